// tests/fuzz/rulemodel/RuleModelFuzzer.cpp
// Reads arbitrary text as a rule, writes it, and checks that the written text
// reads back into a rule that is written identically. Run as
//   build-fuzz/bin/fuzz_rulemodel -max_total_time=300 <work dir> tests/fuzz/rulemodel/corpus
#include "rules/KalRule.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

std::string Write(const KalRule* rule) {
  std::ostringstream os;
  rule->output(os);
  return os.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  KalRule* rule = KalRuleFactory::CreateFromString(text);
  if (rule == nullptr) return 0;
  const std::string written = Write(rule);

  KalRule* again = KalRuleFactory::CreateFromString(written);
  if (again == nullptr) {
    std::fprintf(stderr, "written rule does not read back:\n%s\n", written.c_str());
    std::abort();
  }
  const std::string rewritten = Write(again);
  if (rewritten != written || again->GetRuleType() != rule->GetRuleType()) {
    std::fprintf(stderr, "written:\n%s\nwritten again:\n%s\n", written.c_str(), rewritten.c_str());
    std::abort();
  }

  // A copy has the same content (its desired parent is not copied).
  KalRule* clone = rule->Clone();
  clone->SetDesiredParentRuleID(rule->GetDesiredParentRuleID());
  if (!clone->HaveSameKalConstituents(rule) ||
      clone->GetNumConstraints() != rule->GetNumConstraints())
    std::abort();
  clone->Release();
  again->Release();
  rule->Release();
  return 0;
}
