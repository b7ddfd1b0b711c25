// tests/rules/KalRulePrimitivesTest.cpp
// The refinement primitives on small rules and trees.
#include "rules/KalRule.h"

#include "rules/KalRuleCollection.h"
#include "rules/KalRuleUtils.h"
#include "rules/ParseTree.h"
#include "tests/rules/RuleTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using ruletest::Read;
using ruletest::RulePtr;
using ruletest::Write;

namespace {

const char kExampleTree[] =
    "((S,1 (NP,8 (DET,23 'THE') (N,1234 'DOG') ) (VP,3 (V,99 'BARKS') ) ) )";

ParseTree Tree(const std::string& text) {
  ParseTree tree;
  tree.ProcessCStructureIntoTree(text);
  return tree;
}

// Breaks the links of a small hierarchy built by a test.
void Unlink(std::initializer_list<KalRule*> rules) {
  for (KalRule* r : rules) static_cast<GraphNode*>(r)->Reset();
}

const char kNP3[] =
    "{NP,3}\nNP::NP : [DET ADJ N] -> [DET N ADJ]\n(\n;(T:77)\n;(TR:4)\n(X1::Y1)\n(X2::Y3)\n"
    "(X3::Y2)\n((y1 agr gen) = (y2 agr gen))\n)\n";

TEST(KalRulePrimitives, Bifurcate) {
  KalRuleIDManager manager;
  manager.DeclareUsingRuleID(POS_TYPE_NP, 7);
  RulePtr rule = Read(kNP3);
  RulePtr copy(rule->Bifurcate(&manager));
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(
      "{NP,8}\n"
      "NP::NP : [DET ADJ N] -> [DET N ADJ]\n"
      "(\n"
      ";(T:77)\n"
      ";(P:{NP,3})\n"
      "  (X1::Y1)  (X2::Y3)  (X3::Y2)\n"
      "  ((y1 agr gen) = (y2 agr gen))\n"
      ")\n",
      Write(copy.get()));
  EXPECT_EQ(rule.get(), copy->GetParent());
  EXPECT_EQ(copy.get(), rule->GetChild(0));
  EXPECT_TRUE(rule->IsEnabled());
  EXPECT_EQ(9, manager.CreateNewRuleID(POS_TYPE_NP));

  // A disabled rule gives a disabled copy.
  rule->SetEnabled(false);
  RulePtr second(rule->Bifurcate(&manager));
  EXPECT_FALSE(second->IsEnabled());
  EXPECT_EQ(KalRuleID(POS_TYPE_NP, 10), second->GetRuleID());
  Unlink({rule.get()});

  EXPECT_EQ(nullptr, rule->Bifurcate(nullptr));
  // A category outside the table has no numbers.
  RulePtr other = Read("{QP,2}\nQP::QP : [ADV ADJ] -> [ADV ADJ]\n(\n(X1::Y1)\n)\n");
  EXPECT_EQ(nullptr, other->Bifurcate(&manager));
  EXPECT_EQ(0, other->GetNumChildren());
}

TEST(KalRulePrimitives, GetFirstEnabled) {
  RulePtr a = Read("{NP,1}\nNP::NP : [N] -> [N]\n()");
  RulePtr b = Read("{NP,2}\nNP::NP : [N] -> [N]\n()");
  RulePtr c = Read("{NP,3}\nNP::NP : [N] -> [N]\n()");
  RulePtr d = Read("{NP,4}\nNP::NP : [N] -> [N]\n()");
  a->AddChild(b.get());
  a->AddChild(c.get());
  c->AddChild(d.get());
  a->SetEnabled(false);
  c->SetEnabled(false);
  // The most recently derived branch is searched first.
  EXPECT_EQ(d.get(), a->GetFirstEnabled());
  EXPECT_EQ(b.get(), b->GetFirstEnabled());
  EXPECT_EQ(d.get(), c->GetFirstEnabled());
  d->SetEnabled(false);
  EXPECT_EQ(b.get(), a->GetFirstEnabled());
  b->SetEnabled(false);
  EXPECT_EQ(nullptr, a->GetFirstEnabled());
  Unlink({a.get(), b.get(), c.get(), d.get()});
}

const char kDetAdjN[] =
    "{NP,2}\nNP::NP : [DET ADJ N] -> [DET ADJ N]\n(\n(X1::Y1)\n(X3::Y3)\n"
    "((y3 agr num) = (y1 agr num))\n((x2 deg) = pos)\n((y0 agr) = (x3 agr))\n)\n";

TEST(KalRulePrimitives, MoveConstituentInRHS) {
  struct Case {
    int from, to;
    const char* written;
  };
  const Case kCases[] = {
      {3, 1,
       "{NP,2}\nNP::NP : [DET ADJ N] -> [N DET ADJ]\n(\n  (X1::Y2)  (X3::Y1)\n"
       "  ((y1 agr num) = (y2 agr num))\n  ((x2 deg) = pos)\n  ((y0 agr) = (x3 agr))\n)\n"},
      {1, 3,
       "{NP,2}\nNP::NP : [DET ADJ N] -> [ADJ N DET]\n(\n  (X1::Y3)  (X3::Y2)\n"
       "  ((y2 agr num) = (y3 agr num))\n  ((x2 deg) = pos)\n  ((y0 agr) = (x3 agr))\n)\n"},
      {2, 3,
       "{NP,2}\nNP::NP : [DET ADJ N] -> [DET N ADJ]\n(\n  (X1::Y1)  (X3::Y2)\n"
       "  ((y2 agr num) = (y1 agr num))\n  ((x2 deg) = pos)\n  ((y0 agr) = (x3 agr))\n)\n"},
  };
  for (const Case& c : kCases) {
    RulePtr rule = Read(kDetAdjN);
    static_cast<KalGrammarRule*>(rule.get())->MoveConstituentInRHS(c.from, c.to);
    EXPECT_EQ(c.written, Write(rule.get())) << c.from << "->" << c.to;
  }
  const std::string unchanged = Write(Read(kDetAdjN).get());
  for (auto move : {std::make_pair(0, 1), {1, 4}, {2, 2}, {-1, 2}}) {
    RulePtr rule = Read(kDetAdjN);
    static_cast<KalGrammarRule*>(rule.get())->MoveConstituentInRHS(move.first, move.second);
    EXPECT_EQ(unchanged, Write(rule.get())) << move.first << "->" << move.second;
  }
}

TEST(KalRulePrimitives, AddConstituentToRHS) {
  const char kDetN[] =
      "{NP,5}\nNP::NP : [DET N] -> [DET N]\n(\n(X1::Y1)\n(X2::Y2)\n((y2 agr) = (y1 agr))\n"
      "((y0 agr) = (x2 agr))\n)\n";
  struct Case {
    int pos;
    const char* word;
    const char* written;
  };
  const Case kCases[] = {
      {2, "de",
       "{NP,5}\nNP::NP : [DET N] -> [DET \"de\" N]\n(\n  (X1::Y1)  (X2::Y3)\n"
       "  ((y3 agr) = (y1 agr))\n  ((y0 agr) = (x2 agr))\n)\n"},
      {0, "de",
       "{NP,5}\nNP::NP : [DET N] -> [\"de\" DET N]\n(\n  (X1::Y2)  (X2::Y3)\n"
       "  ((y3 agr) = (y2 agr))\n  ((y0 agr) = (x2 agr))\n)\n"},
      {-1, "ADJ",
       "{NP,5}\nNP::NP : [DET N] -> [ADJ DET N]\n(\n  (X1::Y2)  (X2::Y3)\n"
       "  ((y3 agr) = (y2 agr))\n  ((y0 agr) = (x2 agr))\n)\n"},
      {9, "de",
       "{NP,5}\nNP::NP : [DET N] -> [DET N \"de\"]\n(\n  (X1::Y1)  (X2::Y2)\n"
       "  ((y2 agr) = (y1 agr))\n  ((y0 agr) = (x2 agr))\n)\n"},
      {3, "de",
       "{NP,5}\nNP::NP : [DET N] -> [DET N \"de\"]\n(\n  (X1::Y1)  (X2::Y2)\n"
       "  ((y2 agr) = (y1 agr))\n  ((y0 agr) = (x2 agr))\n)\n"},
  };
  for (const Case& c : kCases) {
    RulePtr rule = Read(kDetN);
    static_cast<KalGrammarRule*>(rule.get())
        ->AddConstituentToRHS(KalConstituentFactory::CreateKalConstituent(c.word), c.pos);
    EXPECT_EQ(c.written, Write(rule.get())) << c.pos;
  }
  RulePtr rule = Read(kDetN);
  static_cast<KalGrammarRule*>(rule.get())->AddConstituentToRHS(nullptr, 1);
  EXPECT_EQ(2, rule->GetNumTLConstituents());
}

TEST(KalRulePrimitives, GetShiftedPos) {
  struct Case {
    int from, to, p, expect;
  };
  const Case kCases[] = {
      {3, 1, 3, 1}, {3, 1, 1, 2}, {3, 1, 2, 3}, {3, 1, 4, 4}, {3, 1, 0, 0},
      {1, 3, 1, 3}, {1, 3, 2, 1}, {1, 3, 3, 2}, {1, 3, 4, 4},
  };
  for (const Case& c : kCases)
    EXPECT_EQ(c.expect, KalRuleUtils::GetShiftedPos(c.from, c.to, c.p))
        << c.from << " " << c.to << " " << c.p;
}

TEST(KalRulePrimitives, MatchPOStoConstituents) {
  RulePtr rule = Read("{NP,8}\nNP::NP : [DET N] -> [DET N]\n()");
  const std::vector<POS_TYPE> level = {POS_TYPE_ADJ, POS_TYPE_DET, POS_TYPE_NOUN, POS_TYPE_DET};
  struct Case {
    std::vector<std::string> constituents;
    std::vector<POS_TYPE> level;
    int expect;
  };
  const Case kCases[] = {
      {{"DET", "N"}, level, 1},
      {{"DET"}, level, 1},
      {{"N", "DET"}, level, 2},
      {{"DET", "N", "DET", "ADJ"}, level, -1},  // runs past the level
      {{"de"}, {POS_TYPE_NONE}, -1},            // a literal never matches
      {{}, level, 0},
      {{}, {}, -1},
  };
  for (const Case& c : kCases) {
    std::vector<KalConstituent*> list;
    for (const std::string& text : c.constituents)
      list.push_back(KalConstituentFactory::CreateKalConstituent(text));
    EXPECT_EQ(c.expect, rule->MatchPOStoConstituents(c.level, list)) << c.constituents.size();
    for (KalConstituent* k : list) delete k;
  }
}

TEST(KalRulePrimitives, RuleInstantiation) {
  ParseTree tree = Tree(kExampleTree);
  RulePtr np = Read("{NP,8}\nNP::NP : [DET N] -> [DET N]\n()");
  RulePtr s = Read("{S,1}\nS::S : [NP VP] -> [NP VP]\n()");
  RulePtr det = Read("{NP,1}\nNP::NP : [DET] -> [DET]\n()");
  RulePtr n = Read("{NP,2}\nNP::NP : [N] -> [N]\n()");
  struct Case {
    KalRule* rule;
    int word;
    bool fromLeaf;
    int expect;
  };
  const Case kCases[] = {
      {np.get(), 2, true, 2},
      {np.get(), 1, true, 1},
      {s.get(), 2, false, 1},
      {s.get(), 3, false, 2},
      {np.get(), 3, true, -1},
      {n.get(), 2, true, 1},
      // Matches elsewhere on the word's level do not place the word.
      {det.get(), 2, true, -1},
      {n.get(), 1, true, -1},
      {np.get(), 4, true, -1},
      {np.get(), 0, true, -1},
  };
  for (const Case& c : kCases) {
    int pos = 99;
    EXPECT_EQ(c.expect, c.rule->RuleInstantiation(c.word, &tree, pos, c.fromLeaf))
        << c.rule->GetRuleID().ToString() << " " << c.word;
    EXPECT_EQ(c.expect, pos);
  }
  int pos = 99;
  EXPECT_EQ(-1, np->RuleInstantiation(1, nullptr, pos, true));
  ParseTree oneWord = Tree("((N,1234 'DOG') )");
  EXPECT_EQ(-1, n->RuleInstantiation(1, &oneWord, pos, true));

  struct Pair {
    KalRule* rule;
    int word1, word2, pos1, pos2;
  };
  const Pair kPairs[] = {
      {np.get(), 1, 2, 1, 2},   {np.get(), 2, 1, 2, 1}, {np.get(), 2, 2, -1, -1},
      {s.get(), 1, 3, 1, 2},    {s.get(), 3, 2, 2, 1},  {np.get(), 1, 3, -1, -1},
      {np.get(), 1, 9, -1, -1},
  };
  for (const Pair& c : kPairs) {
    int p1 = 99, p2 = 99;
    c.rule->RuleInstantiation(c.word1, c.word2, &tree, p1, p2);
    EXPECT_EQ(c.pos1, p1) << c.rule->GetRuleID().ToString() << " " << c.word1 << c.word2;
    EXPECT_EQ(c.pos2, p2) << c.rule->GetRuleID().ToString() << " " << c.word1 << c.word2;
  }
  int p1 = 99, p2 = 99;
  np->RuleInstantiation(1, 2, nullptr, p1, p2);
  EXPECT_EQ(-1, p1);
  EXPECT_EQ(-1, p2);
}

class Percolation : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* text : {
             "{S,1}\nS::S : [NP VP] -> [NP VP]\n(\n(X1::Y1)\n(X2::Y2)\n)\n",
             "{NP,8}\nNP::NP : [DET N] -> [DET N]\n(\n(X1::Y1)\n(X2::Y2)\n)\n",
             "{VP,3}\nVP::VP : [V] -> [V]\n(\n(X1::Y1)\n)\n",
         }) {
      RulePtr rule = Read(text);
      rc.AddRule(rule.get());
    }
  }

  std::string Percolate(const KalRuleID& upTo, int word, const std::string& treeText) {
    ParseTree tree = Tree(treeText);
    ::testing::internal::CaptureStdout();
    KalRule::Percolate(rc.USeRuleIDManager(), &rc, upTo, word, "agr", &tree);
    return ::testing::internal::GetCapturedStdout();
  }

  KalRuleCollection rc;
};

TEST_F(Percolation, RefinesTheRulesBelowTheGivenRule) {
  const std::string s1 = Write(rc.GetRule(KalRuleID(POS_TYPE_S, 1)));
  EXPECT_EQ(
      "V,99 'BARKS'\n"
      "New rule : \n"
      "{VP,4}\nVP::VP : [V] -> [V]\n(\n;(P:{VP,3})\n  (X1::Y1)\n  ((y0 agr) = (y1 agr))\n)\n",
      Percolate(KalRuleID(POS_TYPE_S, 1), 3, kExampleTree));
  EXPECT_FALSE(rc.GetRule(KalRuleID(POS_TYPE_VP, 3))->IsEnabled());
  EXPECT_TRUE(rc.GetRule(KalRuleID(POS_TYPE_VP, 4))->IsEnabled());
  EXPECT_EQ(s1, Write(rc.GetRule(KalRuleID(POS_TYPE_S, 1))));

  // Again: the rule in effect for VP,3 is now VP,4.
  EXPECT_EQ(
      "V,99 'BARKS'\n"
      "New rule : \n"
      "{VP,5}\nVP::VP : [V] -> [V]\n(\n;(P:{VP,4})\n  (X1::Y1)\n  ((y0 agr) = (y1 agr))\n"
      "  ((y0 agr) = (y1 agr))\n)\n",
      Percolate(KalRuleID(POS_TYPE_S, 1), 3, kExampleTree));
}

TEST_F(Percolation, ReachesTheRootWhenTheRuleIsNotOnThePath) {
  EXPECT_EQ(
      "N,1234 'DOG'\n"
      "New rule : \n"
      "{NP,9}\nNP::NP : [DET N] -> [DET N]\n(\n;(P:{NP,8})\n  (X1::Y1)  (X2::Y2)\n"
      "  ((y0 agr) = (y2 agr))\n)\n"
      "New rule : \n"
      "{S,2}\nS::S : [NP VP] -> [NP VP]\n(\n;(P:{S,1})\n  (X1::Y1)  (X2::Y2)\n"
      "  ((y0 agr) = (y1 agr))\n)\n",
      Percolate(KalRuleID(POS_TYPE_VP, 3), 2, kExampleTree));
  EXPECT_FALSE(rc.GetRule(KalRuleID(POS_TYPE_S, 1))->IsEnabled());
}

TEST_F(Percolation, StopsWhereNoRuleIsInEffect) {
  const std::string grammar = [this] {
    std::ostringstream os;
    rc.OutputGrammar(os);
    return os.str();
  }();
  // PP,7 is not in the collection: nothing above it is refined either.
  EXPECT_EQ("N,5 'CASA'\n",
            Percolate(KalRuleID(POS_TYPE_S, 1), 1, "((S,1 (PP,7 (N,5 'CASA') ) ) )"));
  EXPECT_EQ("", Percolate(KalRuleID(POS_TYPE_S, 1), 4, kExampleTree));
  ParseTree tree = Tree(kExampleTree);
  ::testing::internal::CaptureStdout();
  KalRule::Percolate(nullptr, &rc, KalRuleID(POS_TYPE_S, 1), 3, "agr", &tree);
  KalRule::Percolate(rc.USeRuleIDManager(), nullptr, KalRuleID(POS_TYPE_S, 1), 3, "agr", &tree);
  KalRule::Percolate(rc.USeRuleIDManager(), &rc, KalRuleID(POS_TYPE_S, 1), 3, "agr", nullptr);
  EXPECT_EQ("", ::testing::internal::GetCapturedStdout());
  std::ostringstream os;
  rc.OutputGrammar(os);
  EXPECT_EQ(grammar, os.str());
}

TEST(KalRulePrimitives, Delta) {
  auto entry = [](const char* category, const char* constraints) {
    return Read(std::string(category) + "::" + category + " |: [\"a\"] -> [\"b\"]\n(\n(X1::Y1)\n" +
                constraints + ")\n");
  };
  RulePtr masc = entry("N", "((x0 agr gen) = masc)\n((x0 agr num) = sg)\n");
  RulePtr fem = entry("N", "((x0 agr gen) = fem)\n((x0 agr num) = sg)\n");
  RulePtr twice = entry("N",
                        "((x0 agr gen) = fem)\n((x0 agr gen) = (*OR* fem masc))\n"
                        "((x0 agr num) = (x1 agr num))\n");
  RulePtr verb = entry("V", "((x0 agr gen) = fem)\n");
  auto delta = [](KalRule* a, KalRule* b) {
    std::vector<std::string> out = {"stale"};
    static_cast<KalLexiconRule*>(a)->Delta(static_cast<KalLexiconRule*>(b), out);
    return out;
  };
  using Words = std::vector<std::string>;
  EXPECT_EQ(Words{"agr gen"}, delta(masc.get(), fem.get()));
  EXPECT_EQ(Words{}, delta(fem.get(), fem.get()));
  EXPECT_EQ((Words{"agr gen", "agr gen"}), delta(masc.get(), twice.get()));
  EXPECT_EQ(Words{"POS"}, delta(masc.get(), verb.get()));
  EXPECT_EQ(Words{}, delta(masc.get(), nullptr));
}

TEST(KalRulePrimitives, SetConstraintsFromPOS) {
  struct Case {
    POS_TYPE category;
    std::vector<std::string> sl, tl;
    std::vector<std::string> constraints;
  };
  const std::vector<std::string> pres = {"(x0 tense) = (*OR* past-pp pres)", "(x0 agr pers) = 3",
                                         "(x0 agr num) = sg"};
  auto verb = [](const char* s, std::vector<std::string> rest) {
    rest.insert(rest.begin(), {std::string("(x0 actform) = ") + s, "(x0 type) = tr"});
    return rest;
  };
  const Case kCases[] = {
      {POS_TYPE_NOUN,
       {"house"},
       {"casas"},
       {"(x0 agr pers) = 3", "(x0 agr num) = pl", "(x0 agr gen) = fem"}},
      {POS_TYPE_NOUN,
       {"cat"},
       {"gatos"},
       {"(x0 agr pers) = 3", "(x0 agr num) = pl", "(x0 agr gen) = masc"}},
      {POS_TYPE_NOUN,
       {"house"},
       {"casa"},
       {"(x0 agr pers) = 3", "(x0 agr num) = sg", "(x0 agr gen) = fem"}},
      {POS_TYPE_NOUN,
       {"dog"},
       {"perro"},
       {"(x0 agr pers) = 3", "(x0 agr num) = sg", "(x0 agr gen) = masc"}},
      {POS_TYPE_NOUN,
       {"hot", "dog"},
       {"perro", "caliente"},
       {"(x0 agr pers) = 3", "(x0 agr num) = sg", "(x0 agr gen) = masc"}},
      {POS_TYPE_NOUN,
       {"s"},
       {"s"},
       {"(x0 agr pers) = 3", "(x0 agr num) = pl", "(x0 agr gen) = masc"}},
      {POS_TYPE_NOUN, {"dog"}, {}, {"(x0 agr pers) = 3"}},
      {POS_TYPE_VERB, {"eat"}, {"comer"}, verb("eat", {"(x0 tense) = inf"})},
      {POS_TYPE_VERB,
       {"talk"},
       {"hablaba"},
       verb("talk", {"(x0 tense) = past-pi", "(x0 agr pers) = 3", "(x0 agr num) = sg"})},
      {POS_TYPE_VERB, {"eat"}, {"come"}, verb("eat", pres)},
      {POS_TYPE_VERB, {"belong"}, {"pertenecer"}, verb("belong", pres)},
      {POS_TYPE_VERB, {"go"}, {"ir"}, verb("go", {"(x0 tense) = inf"})},
      // A word that is no plain token is quoted, so it stays one value.
      {POS_TYPE_VERB, {"o,k"}, {}, verb("\"o,k\"", pres)},
      {POS_TYPE_ADV, {"very", "quickly"}, {"rapidamente"}, {"(x0 form) = quickly"}},
      {POS_TYPE_PREP, {"of"}, {"de"}, {"(x0 form) = of"}},
      {POS_TYPE_PRON,
       {"he"},
       {"el"},
       {"(x0 agr pers) = 3", "(x0 agr num) = sg", "(x0 case) = nom"}},
      {POS_TYPE_DET, {"the"}, {"el"}, {}},
      {POS_TYPE_NONE, {"the"}, {"el"}, {}},
  };
  for (const Case& c : kCases) {
    std::vector<std::string> sl = c.sl, tl = c.tl;
    KalLexiconRule* entry = new KalLexiconRule(c.category, nullptr, sl, tl);
    entry->AddConstraint("(x0 old) = gone");
    entry->SetConstraintsFromPOS(c.category);
    std::vector<std::string> written;
    for (int i = 0; i < entry->GetNumConstraints(); ++i)
      written.push_back(Write(entry->GetConstraint(i)));
    EXPECT_EQ(c.constraints, written) << (c.tl.empty() ? "" : c.tl.back());
    entry->Release();
  }
}

}  // namespace
