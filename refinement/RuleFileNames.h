// refinement/RuleFileNames.h
#pragma once

#include <string>

// Names of the rule files a run writes. Each is derived from the file given
// on the command line: the same directory, the name without a final ".trf",
// then a suffix. So lexicon.trf gives lexicon-ID.trf and
// lexicon-REFINED-3.trf, and rules/g gives rules/g-ID.trf.

// The numbered copy written by the rule-file phase ("-ID.trf").
std::string NumberedRuleFileName(const std::string& given);

// The refined file of one version ("-REFINED-" version ".trf").
std::string RefinedRuleFileName(const std::string& given, int version);
