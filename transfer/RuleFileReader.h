// transfer/RuleFileReader.h
#pragma once

#include <iosfwd>
#include <string>

class RuleFileBuilder;

// Reads grammar or lexicon text through the generated TransferGrammarLexer
// and TransferGrammarParser and hands every rule, directive and diagnostic to
// the builder. Never throws and never fails on input: every input yields the
// rules that could be read. `name` prefixes syntax-error reports.
void readRuleFile(std::istream& in, RuleFileBuilder& builder, const std::string& name = "");

// The same for rule text held in a string.
void readRuleText(const std::string& text, RuleFileBuilder& builder);
