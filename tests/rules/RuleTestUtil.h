// tests/rules/RuleTestUtil.h
#pragma once

#include "rules/KalRule.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace ruletest {

// Releases a reference-counted object at the end of a scope.
struct Releaser {
  void operator()(RefCountedObject* o) const { o->Release(); }
};
using RulePtr = std::unique_ptr<KalRule, Releaser>;
using ConstraintPtr = std::unique_ptr<KalConstraint, Releaser>;

inline RulePtr Read(const std::string& text) {
  return RulePtr(KalRuleFactory::CreateFromString(text));
}

inline std::string Write(const KalRule* rule) {
  std::ostringstream os;
  rule->output(os);
  return os.str();
}

inline std::string Write(const KalConstraint* c) {
  std::ostringstream os;
  c->output(os);
  return os.str();
}

// The rule texts of a rule file: each begins at a line starting with '{';
// comment lines before the first rule are dropped.
inline std::vector<std::string> SplitRuleFile(const std::string& content) {
  std::vector<std::string> rules;
  std::istringstream in(content);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '{') rules.emplace_back();
    if (!rules.empty()) rules.back() += line + "\n";
  }
  return rules;
}

inline std::string ConstituentText(const KalConstituent* c) {
  std::ostringstream os;
  c->output(os);
  if (auto* lit = dynamic_cast<const LiteralConstituent*>(c))
    os << "/q" << static_cast<int>(lit->GetQuoteStyle());
  os << "/" << c->GetSkipMarker();
  return os.str();
}

// Every field of the two rules is equal.
inline void ExpectSameRule(const KalRule* a, const KalRule* b, const std::string& context) {
  SCOPED_TRACE(context);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(a->GetRuleType(), b->GetRuleType());
  EXPECT_EQ(a->GetRuleID(), b->GetRuleID());
  EXPECT_EQ(a->GetDesiredParentRuleID(), b->GetDesiredParentRuleID());
  EXPECT_EQ(a->IsEnabled(), b->IsEnabled());
  EXPECT_EQ(a->GetTimeStamp(), b->GetTimeStamp());
  EXPECT_EQ(a->GetTranslationPairs(), b->GetTranslationPairs());
  EXPECT_EQ(a->GetLFlag(), b->GetLFlag());
  EXPECT_EQ(a->GetIDLeadToChange(), b->GetIDLeadToChange());
  EXPECT_EQ(a->GetSLCategoryName(), b->GetSLCategoryName());
  EXPECT_EQ(a->GetTLCategoryName(), b->GetTLCategoryName());
  EXPECT_TRUE(const_cast<KalRule*>(a)->HaveSameKalConstituents(const_cast<KalRule*>(b)));
  ASSERT_EQ(a->GetNumSLConstituents(), b->GetNumSLConstituents());
  for (int i = 0; i < a->GetNumSLConstituents(); ++i)
    EXPECT_EQ(ConstituentText(a->GetSLConstituent(i)), ConstituentText(b->GetSLConstituent(i)));
  ASSERT_EQ(a->GetNumTLConstituents(), b->GetNumTLConstituents());
  for (int i = 0; i < a->GetNumTLConstituents(); ++i)
    EXPECT_EQ(ConstituentText(a->GetTLConstituent(i)), ConstituentText(b->GetTLConstituent(i)));
  ASSERT_EQ(a->GetNumAlignments(), b->GetNumAlignments());
  for (int i = 0; i < a->GetNumAlignments(); ++i)
    EXPECT_TRUE(*a->GetAlignment(i) == *b->GetAlignment(i));
  ASSERT_EQ(a->GetNumConstraints(), b->GetNumConstraints());
  for (int i = 0; i < a->GetNumConstraints(); ++i) {
    EXPECT_TRUE(*a->GetConstraint(i) == *b->GetConstraint(i)) << Write(a->GetConstraint(i));
    EXPECT_TRUE(a->GetConstraint(i)->HaveSameValues(b->GetConstraint(i)));
  }
  auto* la = dynamic_cast<const KalLexiconRule*>(a);
  auto* lb = dynamic_cast<const KalLexiconRule*>(b);
  if (la != nullptr && lb != nullptr) {
    EXPECT_TRUE(la->AreSameLexicon(lb->GetSLLexicon(), lb->GetTLLexicon()));
  }
}

}  // namespace ruletest
