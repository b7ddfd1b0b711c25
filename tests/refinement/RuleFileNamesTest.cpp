// tests/refinement/RuleFileNamesTest.cpp
#include "refinement/RuleFileNames.h"

#include <gtest/gtest.h>

namespace {

TEST(RuleFileNames, DerivedFromTheGivenFile) {
  struct Case {
    const char* given;
    const char* numbered;
    const char* refined;  // version 3
  };
  const Case kCases[] = {
      {"lexicon.trf", "lexicon-ID.trf", "lexicon-REFINED-3.trf"},
      {"rules/g", "rules/g-ID.trf", "rules/g-REFINED-3.trf"},
      {"/usr0/ulbe/rur2uvo/lexicons/lexicon-test.trf",
       "/usr0/ulbe/rur2uvo/lexicons/lexicon-test-ID.trf",
       "/usr0/ulbe/rur2uvo/lexicons/lexicon-test-REFINED-3.trf"},
      {"a.trf.trf", "a.trf-ID.trf", "a.trf-REFINED-3.trf"},
      {"g.TRF", "g.TRF-ID.trf", "g.TRF-REFINED-3.trf"},
      {"dir.trf/g", "dir.trf/g-ID.trf", "dir.trf/g-REFINED-3.trf"},
      {".trf", "-ID.trf", "-REFINED-3.trf"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.numbered, NumberedRuleFileName(c.given)) << c.given;
    EXPECT_EQ(c.refined, RefinedRuleFileName(c.given, 3)) << c.given;
  }
}

}  // namespace
