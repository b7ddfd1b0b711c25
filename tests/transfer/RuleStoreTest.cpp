// tests/transfer/RuleStoreTest.cpp
// Loading, grouping, indexing, deleting and writing the rules of the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/RunProgram.h"
#include "tests/transfer/StreamCapture.h"
#include "transfer/transfer.h"

namespace {

using testsupport::ReadFile;
using testsupport::TempDir;

// The example phrase rule of the rule-file format, with a block.
const char* kNP3 =
    "{NP,3}\n"
    "NP::NP : [DET ADJ N] -> [DET N ADJ]\n"
    "(\n"
    "(X1::Y1)\n"
    "(X2::Y3)\n"
    "(X3::Y2)\n"
    "((x0 agr) = (x3 agr))\n"
    "((y2 agr) = (x3 agr))\n"
    "((y1 agr) = (y0 agr))\n"
    "(*OR* ( ((x2 deg) = pos) ) ( ((x2 deg) = sup) ))\n"
    ")\n";

// The same rule as the engine writes it, worked out by hand: registers of
// the transfer group are Y0..Y3 then X0..X3 (X3 is register 7).
const char* kNP3Written =
    "{NP,3}\n"
    "NP::NP : [DET ADJ N] -> [DET N ADJ]\n"
    "(\n"
    "; Correspondences\n"
    " (X1::Y1)\n"
    " (X2::Y3)\n"
    " (X3::Y2)\n"
    " (*score* 0)\n"
    "; Parse\n"
    " ((X0 agr) = (X3 agr))\n"
    " (*OR* (((X2 deg) = pos))\n"
    "       (((X2 deg) = sup)))\n"
    "; Transfer\n"
    " ((Y2 agr) = (X3 agr))\n"
    "; Generation\n"
    " ((Y1 agr) = (Y0 agr))\n"
    ")\n";

std::string IdsInOrder(const TransferEngine& e) {
  std::string out;
  for (const auto& r : e.rules) out += r->ruleid + " ";
  return out;
}

// Groups as "lhs[first..]:members" with rule IDs, and the two indices.
std::string Groups(const TransferEngine& e) {
  std::ostringstream os;
  for (std::size_t g = 0; g < e.parsegroups.size(); ++g) {
    os << g << ":";
    for (unsigned n : e.parsegroups[g]->trules) os << " " << e.rules[n]->ruleid;
    os << "\n";
  }
  for (const auto* index : {&e.rulefinder, &e.srclexicon})
    for (const auto& [first, groups] : *index) {
      os << first << " ->";
      for (unsigned g : groups) os << " " << g;
      os << "\n";
    }
  return os.str();
}

// Every stored number agrees with the positions: the invariant of the store.
void ExpectConsistent(const TransferEngine& e) {
  ASSERT_EQ(e.rulelookup.size(), e.rules.size());
  for (std::size_t n = 0; n < e.rules.size(); ++n) {
    const TRule& r = *e.rules[n];
    EXPECT_EQ(e.rulelookup.at(r.ruleid), n) << r.ruleid;
    EXPECT_EQ(e.ruleids.at(r.rulename).count(r.ruleindex), 1u) << r.ruleid;
    int holders = 0;
    for (const auto& g : e.parsegroups)
      for (unsigned m : g->trules) holders += m == n;
    EXPECT_EQ(holders, 1) << r.ruleid;
  }
  for (std::size_t g = 0; g < e.parsegroups.size(); ++g) {
    const ParseGroup& group = *e.parsegroups[g];
    ASSERT_FALSE(group.trules.empty());
    const auto& index =
        e.rules[group.trules[0]]->type == TRule::PHRASE ? e.rulefinder : e.srclexicon;
    const auto& list = index.at(group.src_rhs.at(0));
    EXPECT_EQ(std::count(list.begin(), list.end(), g), 1) << g;
  }
}

TEST(RuleStore, WritesARuleInTheEngineLayout) {
  TransferEngine e;
  EXPECT_EQ(e.addNewRule(kNP3), 1);
  EXPECT_EQ(e.getRule("NP,3"), std::string(kNP3Written) + "\n");
  EXPECT_EQ(e.getRule("NP,4"), "");
  // 1 for each of the three = between paths, 2 for each = with a value.
  EXPECT_EQ(e.rules[0]->specificity, 7);

  // What was written reads back into the same rule.
  TransferEngine again;
  EXPECT_EQ(again.addNewRule(kNP3Written), 1);
  EXPECT_EQ(again.getRule("NP,3"), e.getRule("NP,3"));
}

TEST(RuleStore, GroupTextsOfARule) {
  TransferEngine e;
  e.addNewRule(kNP3);
  const TRule& r = *e.rules[0];
  EXPECT_EQ(r.getParseEquations(),
            " ((X0 agr) = (X3 agr))\n (*OR* (((X2 deg) = pos))\n       (((X2 deg) = sup)))");
  EXPECT_EQ(r.getTransferEquations(), "((Y2 agr) = (X3 agr))");
  EXPECT_EQ(r.getGenerationEquations(), "((Y1 agr) = (Y0 agr))");
  EXPECT_EQ(r.getFillEquations(), "()");
  EXPECT_EQ(r.getConstraintEquations(), "()");
  EXPECT_EQ(r.xyalign, (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(r.yxalign, (std::vector<int>{0, 2, 1}));
}

// Elements the layout treats specially: literals, inserted words, skips,
// an empty target side, words with quotes and backslashes, lexical rules.
TEST(RuleStore, WritesElementsOfEveryKind) {
  struct Case {
    const char* text;
    const char* written;
  };
  const Case kCases[] = {
      {"{PP,1} PP::PP : [\"de\" DET # N ## ADJ #3] -> [\"of\" N] ((X3::Y2))",
       "{PP,1}\nPP::PP : [\"de\" DET # N ## ADJ#3 ] -> [\"of\" N]\n(\n; Correspondences\n"
       " (X3::Y2)\n (*score* 0)\n)\n"},
      {"{N,1} N::N : [N] -> [] ()",
       "{N,1}\nN::N : [N] -> []\n(\n; Correspondences\n (*score* 0)\n)\n"},
      {"{N,2} N::N |: [\"a\\\"b\\\\c\" \"d\"] -> [\"x\"] ((x1::y1) ((y0 form) = \"x\"))",
       "{N,2}\nN::N |: [\"a\\\"b\\\\c\" \"d\"] -> [\"x\"]\n(\n; Correspondences\n (X1::Y1)\n"
       " (*score* 0)\n; Transfer\n ((Y0 form) = x)\n)\n"},
      // A value, *DEFINED* and the other groups of a phrase rule.
      {"{VP,1} VP::VP [V NP] -> [V NP] ((x1::y1) (x2::y2) ((x1 tense) = *defined*)"
       " ((y1 agr) = (y0 agr)) ((y0 agr) = (y2 agr)) ((y1 a) = (y2 a)) ((y1 b) =c (y2 b)))",
       "{VP,1}\nVP::VP : [V NP] -> [V NP]\n(\n; Correspondences\n (X1::Y1)\n (X2::Y2)\n"
       " (*score* 0)\n; Parse\n ((X1 tense) = *DEFINED*)\n; Generation\n"
       " ((Y1 agr) = (Y0 agr))\n; Feature filling\n ((Y0 agr) = (Y2 agr))\n; Constraints\n"
       " ((Y1 a) = (Y2 a))\n ((Y1 b) =c (Y2 b))\n)\n"},
  };
  for (const Case& c : kCases) {
    TransferEngine e;
    ASSERT_EQ(e.addNewRule(c.text), 1) << c.text;
    const std::string written = e.getRule(e.rules[0]->ruleid);
    EXPECT_EQ(written, std::string(c.written) + "\n") << c.text;
    TransferEngine again;
    ASSERT_EQ(again.addNewRule(written), 1) << written;
    EXPECT_EQ(again.getRule(e.rules[0]->ruleid), written);
  }
}

TEST(RuleStore, SavesGrammarAndLexiconFiles) {
  TempDir dir;
  TransferEngine e;
  {
    StreamCapture out(std::cout);
    e.addNewRule(std::string("(topnode VP)\n") + kNP3 +
                 "{N,1} N::N |: [\"dog\"] -> [\"perro\"] ((x1::y1) (*score* 0.5))");
    EXPECT_TRUE(e.saveGrammar(dir.file("g.trf")));
    EXPECT_TRUE(e.saveLexicon(dir.file("l.trf")));
    EXPECT_EQ(out.text(),
              "Saving to " + dir.file("g.trf") + "\nSaving to " + dir.file("l.trf") + "\n");
  }
  EXPECT_EQ(ReadFile(dir.file("g.trf")), std::string("(topnode S VP)\n\n") + kNP3Written + "\n");
  EXPECT_EQ(ReadFile(dir.file("l.trf")),
            "{N,1}\nN::N |: [\"dog\"] -> [\"perro\"]\n(\n; Correspondences\n (X1::Y1)\n"
            " (*score* 0.5)\n)\n\n");

  // Both files load into a new engine as the same rules.
  TransferEngine again;
  EXPECT_EQ(again.loadRuleFile(dir.file("g.trf")), 1);
  EXPECT_EQ(again.loadRuleFile(dir.file("l.trf")), 1);
  EXPECT_EQ(again.getAllRules() + again.getAllLexicalRules(),
            e.getAllRules() + e.getAllLexicalRules());

  StreamCapture err(std::cerr);
  StreamCapture out(std::cout);
  EXPECT_FALSE(e.saveGrammar(dir.file("missing/g.trf")));
  EXPECT_EQ(err.text(), "Unable to open " + dir.file("missing/g.trf") + "\n");
}

TEST(RuleStore, LoadsTheTestGrammarAndLexiconAndWritesThemBackUnchanged) {
  TempDir dir;
  TransferEngine e;
  const int grammar = e.loadRuleFile(REFINE_TEST_DATA "/grammar.trf");
  const int lexicon = e.loadRuleFile(REFINE_TEST_DATA "/lexicon.trf");
  EXPECT_GT(grammar, 5);
  EXPECT_GT(lexicon, 20);
  EXPECT_EQ(e.rules.size(), static_cast<std::size_t>(grammar + lexicon));
  ExpectConsistent(e);
  {
    StreamCapture out(std::cout);
    e.saveGrammar(dir.file("g.trf"));
    e.saveLexicon(dir.file("l.trf"));
  }
  TransferEngine again;
  EXPECT_EQ(again.loadRuleFile(dir.file("g.trf")), grammar);
  EXPECT_EQ(again.loadRuleFile(dir.file("l.trf")), lexicon);
  EXPECT_EQ(again.getAllRules(), e.getAllRules());
  EXPECT_EQ(again.getAllLexicalRules(), e.getAllLexicalRules());
  EXPECT_EQ(IdsInOrder(again), IdsInOrder(e));
}

TEST(RuleStore, RulesWithTheSameSourceSideAndParseEquationsShareAGroup) {
  TransferEngine e;
  e.addNewRule(
      "{NP,1} NP::NP [DET N] -> [DET N] ((x1::y1) (x2::y2) ((x0 agr) = (x2 agr)))\n"
      "{NP,2} NP::NP [DET N] -> [N] ((x2::y1) ((x0 agr) = (x2 agr)) ((y0 a) = (x0 a)))\n"
      "{NP,3} NP::NP [DET N] -> [N] ((x2::y1) ((x0 agr) = (x1 agr)))\n"
      "{NP,4} NP::NP [DET # N] -> [N] ((x2::y1) ((x0 agr) = (x2 agr)))\n"
      "{NP,5} NP::NP [N] -> [N] ((x1::y1))\n"
      "{D,1} DET::DET |: [\"the\"] -> [\"el\"] ((x1::y1))\n"
      "{D,2} DET::DET |: [\"the\"] -> [\"la\"] ((x1::y1))\n");
  EXPECT_EQ(Groups(e),
            "0: NP,1 NP,2\n1: NP,3\n2: NP,4\n3: NP,5\n4: D,1 D,2\n"
            "DET -> 0 1 2\nN -> 3\nthe -> 4\n");
  ExpectConsistent(e);
  EXPECT_EQ(e.rules[5]->type, TRule::LEX);
}

TEST(RuleStore, GroupScoreIsTheHighestOfItsMembersAndSortingOrdersMembers) {
  TransferEngine e;
  e.addNewRule(
      "{A,1} A::A [B] -> [B] ((*score* 1))\n"
      "{A,2} A::A [B] -> [B] ((*score* 3))\n"
      "{A,3} A::A [B] -> [B] ((*score* 2))\n"
      "{A,4} A::A [B] -> [B] ((*score* 3))\n");
  ASSERT_EQ(e.parsegroups.size(), 1u);
  EXPECT_EQ(e.parsegroups[0]->score, 3);
  e.sortTransferRules();
  EXPECT_EQ(e.parsegroups[0]->trules, (std::vector<unsigned>{1, 3, 2, 0}));
}

TEST(RuleStore, DuplicateIdsAreRefusedOrOverwritten) {
  TempDir dir;
  const std::string file = dir.write("g.trf",
                                     "{A,1} A::A [B] -> [B] ()\n"
                                     "{A,2} A::A [C] -> [C] ()\n"
                                     "{A,3} A::A [D] -> [D] ()\n");
  TransferEngine e;
  EXPECT_EQ(e.loadRuleFile(file), 3);
  {
    StreamCapture err(std::cerr);
    EXPECT_EQ(e.loadRuleFile(file), 0);
    EXPECT_EQ(err.text(),
              "Already have a rule with the ID: A,1\nSkipping rule...\n"
              "Already have a rule with the ID: A,2\nSkipping rule...\n"
              "Already have a rule with the ID: A,3\nSkipping rule...\n");
  }
  e.overwritedups = true;
  EXPECT_EQ(e.addNewRule("{A,1} A::A [E] -> [E] ()"), 0);
  EXPECT_EQ(IdsInOrder(e), "A,2 A,3 A,1 ");
  EXPECT_EQ(e.rules[2]->src_rhs[0], "E");
  EXPECT_EQ(e.loadRuleFile(file), 0);
  EXPECT_EQ(IdsInOrder(e), "A,1 A,2 A,3 ");
  ExpectConsistent(e);
}

TEST(RuleStore, DeletingRenumbersRulesGroupsAndIndices) {
  TransferEngine e;
  e.addNewRule(
      "{NP,1} NP::NP [N] -> [N] ()\n"
      "{D,1} DET::DET |: [\"the\"] -> [\"el\"] ()\n"
      "{NP,2} NP::NP [N] -> [N] ()\n"
      "{D,2} DET::DET |: [\"a\"] -> [\"un\"] ()\n");
  e.addWatch("NP,1");
  e.addRuleFail("NP,1");
  e.rulefilters["NP"] = 1;
  EXPECT_TRUE(e.deleteRule(0u));
  EXPECT_EQ(IdsInOrder(e), "D,1 NP,2 D,2 ");
  EXPECT_EQ(Groups(e), "0: NP,2\n1: D,1\n2: D,2\nN -> 0\na -> 2\nthe -> 1\n");
  EXPECT_TRUE(e.rulewatches.empty());
  EXPECT_TRUE(e.rulefaillist.empty());
  EXPECT_TRUE(e.rulefilters.empty());
  ExpectConsistent(e);

  // The only member of a group: the group goes and later groups move down.
  EXPECT_TRUE(e.deleteRule(std::string("D,1")));
  EXPECT_EQ(Groups(e), "0: NP,2\n1: D,2\nN -> 0\na -> 1\nthe ->\n");
  ExpectConsistent(e);

  EXPECT_FALSE(e.deleteRule(7u));
  EXPECT_FALSE(e.deleteRule(std::string("X,9")));
  e.deleteLastNRules(3);  // more than there are: nothing
  e.deleteLastNRules(-1);
  EXPECT_EQ(IdsInOrder(e), "NP,2 D,2 ");
  e.deleteLastNRules(2);
  EXPECT_EQ(IdsInOrder(e), "");
  EXPECT_TRUE(e.parsegroups.empty());
  EXPECT_TRUE(e.ruleids.empty());
}

TEST(RuleStore, RulesWithoutIdTakeTheNextFreeIndexOfTheirCategory) {
  TransferEngine e;
  e.addNewRule("{NP,0} NP::NP [N] -> [N] ()\n{NP,7} NP::NP [A] -> [A] ()\n");
  e.addNewRule("NP::NP [B] -> [B] ()");
  EXPECT_EQ(IdsInOrder(e), "NP,0 NP,7 NP,8 ");
  e.deleteRule(std::string("NP,8"));
  e.addNewRule("NP::NP [C] -> [C] ()");
  EXPECT_EQ(IdsInOrder(e), "NP,0 NP,7 NP,8 ");

  // The largest index leaves no "one more": the lowest free index is used
  // rather than overflowing into a negative one.
  TransferEngine top;
  top.addNewRule("{NP,2147483647} NP::NP [N] -> [N] ()\n{NP,0} NP::NP [A] -> [A] ()\n");
  top.addNewRule("NP::NP [B] -> [B] ()");
  EXPECT_EQ(IdsInOrder(top), "NP,2147483647 NP,0 NP,1 ");
}

TEST(RuleStore, ScoresFollowTheScoreSettings) {
  const char* rule = "{A,1} A::A [B] -> [B] ((*score* 0.01))";
  TransferEngine plain;
  plain.addNewRule("{A,0} A::A [B] -> [B] ()");
  plain.addNewRule(rule);
  EXPECT_FLOAT_EQ(plain.rules[0]->score, 0);
  EXPECT_FLOAT_EQ(plain.rules[1]->score, 0.01f);

  TransferEngine logs;
  logs.logdomain = true;
  logs.addNewRule("{A,0} A::A [B] -> [B] ()");
  logs.addNewRule(rule);
  EXPECT_FLOAT_EQ(logs.rules[0]->score, -10);
  EXPECT_FLOAT_EQ(logs.rules[1]->score, -2);
  // The default log score is not written.
  EXPECT_EQ(logs.getRule("A,0").find("*score*"), std::string::npos);
  {
    StreamCapture err(std::cerr);
    logs.addNewRule("{A,2} A::A [B] -> [B] ((*score* -1))\n{A,3} A::A [B] -> [B] ((*score* 0))");
    EXPECT_EQ(err.text(), "Rule A,2: score -1 is not usable; score equation ignored\n");
  }
  EXPECT_FLOAT_EQ(logs.rules[2]->score, -10);
  EXPECT_TRUE(std::isinf(logs.rules[3]->score));

  TransferEngine random;
  random.randomscores = true;
  for (int i = 0; i < 20; ++i)
    random.addNewRule("{A," + std::to_string(i) + "} A::A [B] -> [B] ((*score* 0.01))");
  ASSERT_EQ(random.rules.size(), 20u);
  for (const auto& r : random.rules) {
    EXPECT_GE(r->score, 0);
    EXPECT_LE(r->score, 1000);
    EXPECT_EQ(r->score, std::floor(r->score));
  }
}

TEST(RuleStore, LeftCornerSets) {
  TransferEngine e;
  e.addNewRule(
      "S::S [NP VP] -> [NP VP] ()\n"
      "NP::NP [DET N] -> [DET N] ()\n"
      "VP::VP [V NP] -> [V NP] ()\n"
      "DET::DET |: [\"the\"] -> [\"el\"] ()\n");
  e.computeNonterms();
  e.computeFirst();
  EXPECT_EQ(e.nonterms, (std::set<std::string>{"DET", "NP", "S", "VP"}));
  EXPECT_EQ(e.curfirst["S"], (std::set<std::string>{"DET", "NP", "S"}));
  EXPECT_EQ(e.curfirst["NP"], (std::set<std::string>{"DET", "NP"}));
  EXPECT_EQ(e.curfirst["VP"], (std::set<std::string>{"VP"}));
  EXPECT_EQ(e.curfirst["DET"], (std::set<std::string>{"DET"}));
}

TEST(RuleStore, ReadsDirectivesAndLiterals) {
  TransferEngine e;
  e.addNewRule(
      "(openclass N V N) (topnode VP) (debug) (debug)\n"
      "PP::PP [\"de\" N] -> [N] ((x2::y1))");
  EXPECT_EQ(e.openclass, (std::vector<std::string>{"N", "V", "N"}));
  EXPECT_EQ(e.topNode, (std::set<std::string>{"S", "VP"}));
  EXPECT_EQ(e.debug, 0);
  EXPECT_EQ(e.literals, (std::set<std::string>{"de"}));
  EXPECT_EQ(e.rules[0]->src_rhs, (std::vector<std::string>{"LIT-de", "N"}));
  EXPECT_EQ(e.rules[0]->xyalign, (std::vector<int>{-1, 0}));
}

TEST(RuleStore, CasePolicyAppliesToEverythingButSingleQuotedWords) {
  TransferEngine e;
  e.normalizecase = 1;
  e.addNewRule("{np,1} np::np [n] -> [n 'de'] ((x1::y1) ((x0 agr) = sg) ((y2 f) = 'low'))");
  EXPECT_EQ(e.getRule("NP,1"),
            "{NP,1}\nNP::NP : [N] -> [N \"de\"]\n(\n; Correspondences\n (X1::Y1)\n"
            " (*score* 0)\n; Parse\n ((X0 AGR) = SG)\n; Generation\n ((Y2 F) = low)\n)\n\n");
}

// A source element aligned a second time frees the target element it had.
TEST(RuleStore, RealigningASourceElementFreesItsFormerTarget) {
  TransferEngine e;
  e.addNewRule("{A,1} A::A [B C] -> [B C] ((x1::y1) (x1::y2))");
  EXPECT_EQ(e.rules[0]->xyalign, (std::vector<int>{1, -2}));
  EXPECT_EQ(e.rules[0]->yxalign, (std::vector<int>{-2, 0}));
}

TEST(RuleStore, RefusedInputLeavesTheStoreUnchanged) {
  TempDir dir;
  TransferEngine e;
  e.addNewRule("{A,1} A::A [B] -> [B] ()");
  const std::string before = e.getAllRules();
  StreamCapture err(std::cerr);
  const char* kBad[] = {
      "{A,2} A::A [B] -> [B] ((x0::y1))",           // 0 in an alignment
      "{A,3} A::A [B] -> [B] (((x0 a) = (x2 a)))",  // register above the source
      "{A,4} A::A [B] -> [B] ((x1::y1)",            // cut off by the end
      "{A,5} A::A [B] -> (",                        // no target side
      "",                                           // nothing at all
      "\"unterminated",
  };
  for (const char* text : kBad) {
    EXPECT_EQ(e.addNewRule(text), 0) << text;
    EXPECT_EQ(e.getAllRules(), before) << text;
    ExpectConsistent(e);
  }
  EXPECT_EQ(e.loadRuleFile(dir.file("none.trf")), 0);
  EXPECT_NE(err.text().find("Unable to open " + dir.file("none.trf") + ".\n"), std::string::npos);
  EXPECT_NE(err.text().find("**ERROR** ENTRY A,2 WAS MALFORMED\n"), std::string::npos);
}

TEST(RuleStore, ClearallEmptiesTheStoreButKeepsTopNodesAndContextScores) {
  TransferEngine e;
  e.addNewRule("(topnode VP) {A,1} A::A [\"x\" B] -> [B] ((x2::y1))");
  e.contextscores["a b"] = 1;
  e.clearall();
  EXPECT_TRUE(e.rules.empty() && e.parsegroups.empty() && e.rulefinder.empty() &&
              e.rulelookup.empty() && e.ruleids.empty() && e.literals.empty());
  EXPECT_EQ(e.topNode.size(), 2u);
  EXPECT_EQ(e.contextscores.size(), 1u);
  EXPECT_EQ(e.addNewRule("{A,1} A::A [B] -> [B] ()"), 1);
}

TEST(RuleStore, PrintsRulesAndTheRuleFinder) {
  TransferEngine e;
  e.addNewRule("{A,1} A::A [B] -> [B] ()\n{A,2} A::A [B C] -> [B] ()\n");
  StreamCapture out(std::cout);
  e.printRule(std::string("A,1"));
  e.printRule(std::string("Z,1"));
  e.printRule(5u);
  e.printRuleFinder("B");
  e.printRuleFinder("Q");
  EXPECT_EQ(out.text(),
            "\n{A,1}\nA::A : [B] -> [B]\n(\n; Correspondences\n (*score* 0)\n)\n\n"
            "In firstrhs_rules 0 A,1\nIn firstrhs_rules 1 A,2\n");
}

TEST(RuleStore, ReadsContextScores) {
  TempDir dir;
  const std::string file = dir.write("ctx.txt",
                                     "; comment\n"
                                     "# comment\n"
                                     "\n"
                                     "NP VP\t0.5\n"
                                     "DET N\t-2\r\n"
                                     "no tab here\n"
                                     "A B\tnot a number\n");
  TransferEngine e;
  StreamCapture err(std::cerr);
  e.loadContextScores(file);
  EXPECT_EQ(e.contextscores, (std::map<std::string, double>{{"DET N", -2}, {"NP VP", 0.5}}));
  EXPECT_EQ(err.text(), file + ":6: expected a context, a tab and a score; line skipped\n" + file +
                            ":7: expected a context, a tab and a score; line skipped\n");
  e.loadContextScores(dir.file("none"));
  EXPECT_NE(err.text().find("Unable to open " + dir.file("none") + ".\n"), std::string::npos);
}

TEST(RuleStore, DebugTraceOfStoringRules) {
  TransferEngine e;
  e.debug = 1;
  e.overwritedups = true;
  StreamCapture out(std::cout);
  StreamCapture err(std::cerr);
  e.addNewRule("{A,1} A::A [B] -> [B] ()\n{A,1} A::A [C] -> [C] ()");
  const std::string rule1 = "{A,1}\nA::A : [B] -> [B]\n(\n; Correspondences\n (*score* 0)\n)\n";
  const std::string rule2 = "{A,1}\nA::A : [C] -> [C]\n(\n; Correspondences\n (*score* 0)\n)\n";
  EXPECT_EQ(out.text(), "\n** NEW RULE\n Rule score 0\n Adding rule with ID A,1\n\n" + rule1 +
                            "\n\n** NEW RULE\n Rule score 0\n Overwriting existing rule A,1\n"
                            " Adding rule with ID A,1\n\n" +
                            rule2 + "\n");
  EXPECT_EQ(err.text(), "");
}

}  // namespace
