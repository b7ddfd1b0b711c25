// tests/rules/KalRuleTest.cpp
// Reference counting, the hierarchy of derived rules, copying and the
// lexical-entry operations.
#include "rules/KalRule.h"

#include "rules/KalRuleCollection.h"
#include "tests/rules/RuleTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using ruletest::ExpectSameRule;
using ruletest::Read;
using ruletest::RulePtr;
using ruletest::Write;

namespace {

const char kRule[] =
    "{NP,3}\nNP::NP : [DET ADJ N] -> [DET N ADJ]\n(\n;(T:77)\n(X1::Y1)\n(X2::Y3)\n(X3::Y2)\n"
    "((y1 agr gen) = (y2 agr gen))\n(*OR* ( ((x2 deg) = pos) ) ( ((x2 deg) = sup) ))\n)\n";

TEST(KalRuleTest, CountsReferences) {
  KalConstraint* c = new KalConstraint();
  EXPECT_EQ(2, c->AddRef());
  EXPECT_EQ(1, c->Release());
  RulePtr rule = Read(kRule);
  rule->AddConstraint(c);
  rule->AddConstraint(static_cast<KalConstraint*>(nullptr));
  EXPECT_EQ(3, rule->GetNumConstraints());
  EXPECT_EQ(3, c->AddRef());  // creator, rule, and this one
  EXPECT_EQ(2, c->Release());
  EXPECT_EQ(1, c->Release());  // the creator's reference goes; the rule's stays
  EXPECT_EQ(c, rule->GetConstraint(2));
}

TEST(KalRuleTest, LinksDerivedRules) {
  RulePtr parent = Read(kRule);
  RulePtr child(parent->Clone());
  child->SetRuleID(KalRuleID(POS_TYPE_NP, 8));
  parent->AddChild(child.get());
  EXPECT_EQ(parent.get(), child->GetOriginalRule());
  EXPECT_EQ(nullptr, parent->GetOriginalRule());
  EXPECT_EQ(child.get(), parent->GetChild(0));
  EXPECT_EQ(KalRuleID(POS_TYPE_NP, 3), child->GetDesiredParentRuleID());
  EXPECT_TRUE(child->IsSameDesiredParentRuleID(KalRuleID(POS_TYPE_NP, 3)));
  EXPECT_NE(std::string::npos, Write(child.get()).find(";(P:{NP,3})\n"));

  // Only rules are adopted.
  struct Plain : GraphNode {};
  Plain* plain = new Plain();
  parent->AddChild(plain);
  parent->AddChild(nullptr);
  EXPECT_EQ(1, parent->GetNumChildren());
  plain->Release();

  // Setting the same parent again must not free it on the way.
  child->SetParent(parent.get());
  EXPECT_EQ(parent.get(), child->GetParent());

  // The two hold each other; breaking the links lets both go (checked by the
  // leak sanitizer).
  static_cast<GraphNode*>(parent.get())->Reset();
  static_cast<GraphNode*>(child.get())->Reset();
  EXPECT_EQ(nullptr, child->GetParent());
  EXPECT_EQ(0, parent->GetNumChildren());
}

TEST(KalRuleTest, CopiesDeeply) {
  RulePtr rule = Read(kRule);
  rule->SetDesiredParentRuleID(KalRuleID(POS_TYPE_NP, 1));
  rule->AddTranslationPair(5);
  rule->SetEnabled(false);
  RulePtr clone(rule->Clone());
  EXPECT_EQ(RULE_TYPE_GRAMMAR, clone->GetRuleType());
  EXPECT_EQ(77, clone->GetTimeStamp());
  EXPECT_FALSE(clone->IsEnabled());
  // Not copied: the desired parent and the carried entries.
  EXPECT_EQ(KalRuleID(), clone->GetDesiredParentRuleID());
  EXPECT_TRUE(clone->GetTranslationPairs().empty());
  EXPECT_TRUE(clone->HaveSameKalConstituents(rule.get()));
  ASSERT_EQ(2, clone->GetNumConstraints());
  EXPECT_NE(rule->GetConstraint(0), clone->GetConstraint(0));
  EXPECT_NE(rule->GetSLConstituent(0), clone->GetSLConstituent(0));
  clone->GetConstraint(0)->SetPosLHS(3);
  EXPECT_EQ(1, rule->GetConstraint(0)->GetPosLHS());

  // Another type, null or itself: nothing happens.
  RulePtr lex = Read("N::N |: [\"dog\"] -> [\"perro\"]\n()");
  std::string before = Write(lex.get());
  lex->Copy(rule.get());
  lex->Copy(nullptr);
  lex->Copy(lex.get());
  EXPECT_EQ(before, Write(lex.get()));

  RulePtr lexClone(lex->Clone());
  ExpectSameRule(lex.get(), lexClone.get(), "lexical clone");
}

TEST(KalRuleTest, ResetKeepsCarriedEntries) {
  RulePtr rule = Read(
      "{NP,3}\nNP::NP : [DET N] -> [DET N]\n(\n;(T:5)\n;(P:{NP,1})\n;(I:x)\n;(TR:2)\n;(L:true)\n"
      "(X1::Y1)\n((y1 a) = (y2 a))\n)\n");
  rule->SetEnabled(false);
  rule->Reset();
  EXPECT_EQ(KalRuleID(), rule->GetRuleID());
  EXPECT_EQ(KalRuleID(), rule->GetDesiredParentRuleID());
  EXPECT_EQ(0, rule->GetNumSLConstituents());
  EXPECT_EQ(0, rule->GetNumConstraints());
  EXPECT_EQ(0, rule->GetNumAlignments());
  EXPECT_TRUE(rule->IsEnabled());
  EXPECT_EQ(5, rule->GetTimeStamp());
  EXPECT_EQ("x", rule->GetIDLeadToChange());
  EXPECT_TRUE(rule->GetLFlag());
  EXPECT_EQ(std::vector<int>{2}, rule->GetTranslationPairs());
}

TEST(KalRuleTest, BuildsLexicalEntries) {
  KalRuleIDManager manager;
  manager.DeclareUsingRuleID(POS_TYPE_NOUN, 12);
  std::vector<std::string> sl{"hot", "dog"}, tl{"perro", "caliente"};
  RulePtr entry(new KalLexiconRule(POS_TYPE_NOUN, &manager, sl, tl));
  EXPECT_EQ(KalRuleID(POS_TYPE_NOUN, 13), entry->GetRuleID());
  EXPECT_EQ(14, manager.CreateNewRuleID(POS_TYPE_NOUN));
  EXPECT_EQ(-1, manager.CreateNewRuleID(POS_TYPE_NONE));
  entry->AddConstraint("(x0 agr num) = sg");
  EXPECT_EQ(
      "{N,13}\nN::N |: [\"hot\" \"dog\"] -> [\"perro caliente\"]\n(\n  (X1::Y1)\n"
      "  ((x0 agr num) = sg)\n)\n",
      Write(entry.get()));

  auto* lex = static_cast<KalLexiconRule*>(entry.get());
  EXPECT_TRUE(lex->AreSameLexicon(sl, tl));
  EXPECT_FALSE(lex->AreSameLexicon(tl, sl));
  lex->SetTLLexicon({});
  EXPECT_TRUE(lex->GetTLLexicon().empty());
  // An empty translation keeps one empty word, so the alignment stays valid.
  EXPECT_NE(std::string::npos, Write(entry.get()).find("-> [\"\"]\n"));

  std::vector<std::string> none;
  RulePtr unnumbered(new KalLexiconRule(POS_TYPE_ADJ, nullptr, sl, none));
  EXPECT_EQ(KalRuleID(POS_TYPE_ADJ, -1), unnumbered->GetRuleID());
}

TEST(KalRuleTest, ComparesTimeStamps) {
  TimeStampedObject a, b;
  EXPECT_FALSE(a.IsSet());
  a.LoadTimeStampFromString("T:100");
  b.LoadTimeStampFromString("200");
  EXPECT_EQ("T:100", a.TimeStampToString());
  EXPECT_EQ(-1, a.CmpTimeStamps(&b));
  EXPECT_EQ(1, b.CmpTimeStamps(100));
  EXPECT_EQ(0, a.CmpTimeStamps(100));
  EXPECT_EQ(-2, a.CmpTimeStamps(nullptr));
}

}  // namespace
