// tests/transfer/ChartParserTest.cpp
// The chart parser: arcs, packed constituents, tree paths and their
// structures, skips, literals, left-corner filtering and skip sorting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/transfer/ChartDump.h"
#include "tests/transfer/StreamCapture.h"
#include "transfer/transfer.h"

namespace {

const std::string kData = REFINE_TEST_DATA;

// The English-to-Spanish test grammar with its whole lexicon loaded.
class TestGrammar : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(e.loadRuleFile(kData + "/grammar.trf"), 0);
    ASSERT_GT(e.loadRuleFile(kData + "/lexicon.trf"), 0);
  }
  TransferEngine e;
};

TEST_F(TestGrammar, NounPhraseWithoutSentence) {
  EXPECT_EQ(0, e.parse("the red car"));
  EXPECT_EQ(-1, e.topparse);
  EXPECT_EQ(3, e.src_sentence_length);
  EXPECT_EQ(
      "#0 DET 0-1 'the' [DET,1] paths: 0\n"
      "#1 ADJ 1-2 'red' [ADJ,1] paths: 1\n"
      "#2 N 2-3 'car' [N,16] paths: 2\n"
      "#3 NP 0-3 paths: 3:3 0 1 2 arcs: 8\n"
      "#4 NP 1-3 paths: 4:4 1 2 arcs: 9\n"
      "#5 NP 2-3 paths: 5:1 2 arcs: 10\n",
      DumpConstituents(e));
  EXPECT_EQ(
      "arc0 NP,2 0-0 dot 0 ACTIVE []\n"
      "arc1 NP,3 0-0 dot 0 ACTIVE []\n"
      "arc2 NP,2 0-1 dot 1 ACTIVE [0]\n"
      "arc3 NP,3 0-1 dot 1 ACTIVE [0]\n"
      "arc4 NP,4 1-1 dot 0 ACTIVE []\n"
      "arc5 NP,3 0-2 dot 2 ACTIVE [0 1]\n"
      "arc6 NP,4 1-2 dot 1 ACTIVE [1]\n"
      "arc7 NP,1 2-2 dot 0 ACTIVE []\n"
      "arc8 NP,3 0-3 dot 3 COMPLETED [0 1 2]\n"
      "arc9 NP,4 1-3 dot 2 COMPLETED [1 2]\n"
      "arc10 NP,1 2-3 dot 1 COMPLETED [2]\n"
      "arc11 S,1 0-0 dot 0 ACTIVE []\n"
      "arc12 S,1 0-3 dot 1 ACTIVE [3]\n"
      "arc13 S,1 1-1 dot 0 ACTIVE []\n"
      "arc14 S,1 1-3 dot 1 ACTIVE [4]\n"
      "arc15 S,1 2-2 dot 0 ACTIVE []\n"
      "arc16 S,1 2-3 dot 1 ACTIVE [5]\n",
      DumpArcs(e));
  EXPECT_EQ("0 1 2 3 4 5", DumpAgenda(e));
  for (const auto& c : e.constituents) EXPECT_EQ(Constituent::CHART, c->status);
}

TEST_F(TestGrammar, SentenceIsACompleteParse) {
  EXPECT_EQ(1, e.parse("the dog sleeps"));
  EXPECT_EQ(6, e.topparse);
  EXPECT_EQ(
      "#0 DET 0-1 'the' [DET,1] paths: 0\n"
      "#1 N 1-2 'dog' [N,1] paths: 1\n"
      "#2 V 2-3 'sleeps' [V,9] paths: 2\n"
      "#3 NP 0-2 paths: 3:2 0 1 arcs: 5\n"
      "#4 NP 1-2 paths: 4:1 1 arcs: 6\n"
      "#5 VP 2-3 paths: 5:6 2 arcs: 15\n"
      "#6 S 0-3 paths: 6:0 3:2 0 1 5:6 2 arcs: 19\n"
      "#7 S 1-3 paths: 7:0 4:1 1 5:6 2 arcs: 20\n",
      DumpConstituents(e));
  EXPECT_EQ("0 1 3 4 2 5 6 7", DumpAgenda(e));
  EXPECT_EQ("((subj ((agr ((num sg) (pers 3))))) (tense pres))", TreeFS(e, "6:0 3:2 0 1 5:6 2"));
  EXPECT_EQ("((form the))", TreeFS(e, "0"));
}

TEST_F(TestGrammar, FailingEquationsBuildNothingAndKeepTheArc) {
  // Determiner and noun disagree in number: NP,2 cannot complete.
  EXPECT_EQ(0, e.parse("these dog"));
  EXPECT_EQ(
      "#0 DET 0-1 'these' [DET,9] paths: 0\n"
      "#1 N 1-2 'dog' [N,1] paths: 1\n"
      "#2 NP 1-2 paths: 2:1 1 arcs: 5\n",
      DumpConstituents(e));
  EXPECT_EQ(
      "arc0 NP,2 0-0 dot 0 ACTIVE []\n"
      "arc1 NP,3 0-0 dot 0 ACTIVE []\n"
      "arc2 NP,2 0-1 dot 1 ACTIVE [0]\n"
      "arc3 NP,3 0-1 dot 1 ACTIVE [0]\n"
      "arc4 NP,1 1-1 dot 0 ACTIVE []\n"
      "arc5 NP,1 1-2 dot 1 COMPLETED [1]\n"
      "arc6 S,1 1-1 dot 0 ACTIVE []\n"
      "arc7 S,1 1-2 dot 1 ACTIVE [2]\n",
      DumpArcs(e));
}

TEST_F(TestGrammar, NextSentenceStartsOnAClearChartAndNoWordsClearsIt) {
  ASSERT_EQ(1, e.parse("the dog sleeps"));
  EXPECT_EQ(1, e.parse("she sleeps"));
  EXPECT_EQ(5u, e.constituents.size());  // PRON V NP VP S
  EXPECT_EQ("S", e.constituents[static_cast<std::size_t>(e.topparse)]->type);
  for (const char* blank : {"", "   ", " \t\r\n "}) {
    ASSERT_EQ(1, e.parse("the dog sleeps"));
    EXPECT_EQ(0, e.parse(std::string(blank))) << '"' << blank << '"';
    EXPECT_TRUE(e.constituents.empty());
    EXPECT_TRUE(e.arcs.empty());
    EXPECT_TRUE(e.agenda.empty());
    EXPECT_TRUE(e.treefs.empty());
    EXPECT_EQ(-1, e.topparse);
    EXPECT_EQ(0, e.src_sentence_length);
  }
}

TEST_F(TestGrammar, LongerSentenceParses) {
  EXPECT_EQ(1, e.parse("the old man lives in the small house"));
  const Constituent& top = *e.constituents[static_cast<std::size_t>(e.topparse)];
  EXPECT_EQ("S", top.type);
  EXPECT_EQ(0, top.start);
  EXPECT_EQ(8, top.end);
}

TEST_F(TestGrammar, LeftCornerFilterPrunesWhatCannotLeadToTheTop) {
  TransferEngine f;
  f.usefirstset = true;
  ASSERT_GT(f.loadRuleFile(kData + "/grammar.trf"), 0);
  ASSERT_GT(f.loadRuleFile(kData + "/lexicon.trf"), 0);
  {
    StreamCapture out(std::cout);
    f.parsedebug = true;
    EXPECT_EQ(0, f.parse("the red car"));
    f.parsedebug = false;
    EXPECT_NE(std::string::npos, out.text().find("Key LHS not predicted for rule NP,4  LHS.\n"));
  }
  // NP 1-3 is not started after a determiner: ADJ has no left corners.
  EXPECT_EQ(
      "#0 DET 0-1 'the' [DET,1] paths: 0\n"
      "#1 ADJ 1-2 'red' [ADJ,1] paths: 1\n"
      "#2 N 2-3 'car' [N,16] paths: 2\n"
      "#3 NP 0-3 paths: 3:3 0 1 2 arcs: 5\n",
      DumpConstituents(f));
  EXPECT_EQ(1, f.parse("the dog sleeps"));

  // A first top category that no rule produces stops the parse.
  f.topNode = {"CLAUSE", "S"};
  StreamCapture err(std::cerr);
  EXPECT_EQ(0, f.parse("the dog sleeps"));
  EXPECT_EQ(
      "Top node CLAUSE does not appear in the grammar.\n"
      "Make sure that topNode is set correctly.\n",
      err.text());
  // Without any top category nothing is predicted and nothing is complete.
  f.topNode.clear();
  EXPECT_EQ(0, f.parse("the dog sleeps"));
  EXPECT_TRUE(f.arcs.empty());
}

// Small grammars written for one behaviour each.
class SmallGrammar : public ::testing::Test {
 protected:
  void Load(const std::string& grammar) {
    ASSERT_GT(e.addNewRule(grammar), 0);
    ASSERT_GT(e.addNewRule(kLexicon), 0);
  }
  static constexpr const char* kLexicon =
      "{DET,1}\nDET::DET |: [\"the\"] -> [\"el\"]\n((x1::y1))\n"
      "{ADJ,1}\nADJ::ADJ |: [\"red\"] -> [\"rojo\"]\n((x1::y1))\n"
      "{ADJ,2}\nADJ::ADJ |: [\"big\"] -> [\"grande\"]\n((x1::y1))\n"
      "{N,1}\nN::N |: [\"dog\"] -> [\"perro\"]\n((x1::y1))\n"
      "{N,2}\nN::N |: [\"cat\"] -> [\"gato\"]\n((x1::y1))\n"
      "{V,1}\nV::V |: [\"sees\"] -> [\"ve\"]\n((x1::y1))\n";
  TransferEngine e;
};

TEST_F(SmallGrammar, OneConstituentPerCategoryAndSpan) {
  Load(
      "{S,1}\nS::S : [NP VP] -> [NP VP]\n((X1::Y1) (X2::Y2))\n"
      "{NP,1}\nNP::NP : [DET N] -> [DET N]\n((X1::Y1) (X2::Y2))\n"
      "{VP,1}\nVP::VP : [V NP] -> [V NP]\n((X1::Y1) (X2::Y2))\n");
  EXPECT_EQ(1, e.parse("the dog sees the cat"));
  EXPECT_EQ(8, e.topparse);
  EXPECT_EQ(
      "#0 DET 0-1 'the' [DET,1] paths: 0\n"
      "#1 N 1-2 'dog' [N,1] paths: 1\n"
      "#2 V 2-3 'sees' [V,1] paths: 2\n"
      "#3 DET 3-4 'the' [DET,1] paths: 3\n"
      "#4 N 4-5 'cat' [N,2] paths: 4\n"
      "#5 NP 0-2 paths: 5:1 0 1 arcs: 2\n"
      "#6 NP 3-5 paths: 6:1 3 4 arcs: 9\n"
      "#7 VP 2-5 paths: 7:2 2 6:1 3 4 arcs: 11\n"
      "#8 S 0-5 paths: 8:0 5:1 0 1 7:2 2 6:1 3 4 arcs: 13\n",
      DumpConstituents(e));
  EXPECT_EQ("0 1 5 2 3 4 6 7 8", DumpAgenda(e));
}

TEST_F(SmallGrammar, AmbiguousSpanIsPackedWithItsTrace) {
  Load(
      "{NP,1}\nNP::NP : [DET N] -> [DET N]\n((X1::Y1) (X2::Y2) ((x0 reading) = one))\n"
      "{NP,2}\nNP::NP : [DET N] -> [N DET]\n((X1::Y2) (X2::Y1) ((x0 reading) = two))\n");
  e.topNode = {"NP"};
  StreamCapture out(std::cout);
  e.parsedebug = true;
  EXPECT_EQ(1, e.parse("the dog"));
  EXPECT_EQ(
      "*** STARTING PARSE ON \"the dog\"\n"
      "\n*** WORD INDEX 0, word:  the\n"
      "* Checking lexicon for full-form compounds\n"
      "  - No lexical entries found\n"
      "* Checking lexicon for full-form single words\n"
      " Check lex rule DET,1\n"
      " Unification SUCCEEDED\n"
      "Adding POS DET for the (constituent #0)\n"
      "\n* Added 1 new word entries to agenda.\n\n"
      "\n*** WORD INDEX 1, word:  dog\n"
      "* Checking lexicon for full-form compounds\n"
      "  - No lexical entries found\n"
      "* Checking lexicon for full-form single words\n"
      " Check lex rule N,1\n"
      " Unification SUCCEEDED\n"
      "Adding POS N for dog (constituent #1)\n"
      "\n* Added 1 new word entries to agenda.\n\n"
      "\n** Selecting KEY #0 of type 'DET' starting at 0 ending at 1\n"
      "ADDED ARC#0\n"
      "ADDED ARC#1\n"
      "  NP,1 (arc #0)\t: extending to create new active arc 2 ~ DET * N\n"
      "  NP,2 (arc #1)\t: extending to create new active arc 3 ~ DET * N\n"
      "* Adding KEY #0 starting at 0 ending at 1 (sent len 2) to chart\n"
      "\n** Selecting KEY #1 of type 'N' starting at 1 ending at 2\n"
      "  NP,1 (arc #2)\t: Checking for successful completion of rule: NP,1\n"
      " Constituent type 'DET'\n"
      " Key type 'N'\n"
      " Unification SUCCEEDED\n"
      " Constructing new constituent of type 'NP' covering indices 0 to 2 (Const. #2)\n"
      "  NP,2 (arc #3)\t: Checking for successful completion of rule: NP,2\n"
      " Constituent type 'DET'\n"
      " Key type 'N'\n"
      " Unification SUCCEEDED\n"
      " Packing into existing constituent of type 'NP' covering indices 0 to 2 (#2)\n"
      "* Adding KEY #1 starting at 1 ending at 2 (sent len 2) to chart\n"
      "\n** Selecting KEY #2 of type 'NP' starting at 0 ending at 2\n"
      "* Adding KEY #2 starting at 0 ending at 2 (sent len 2) to chart\n"
      "***** COMPLETE PARSE FOUND! *****\n",
      out.text());
  EXPECT_EQ("#2 NP 0-2 paths: 2:0 0 1 | 2:1 0 1 arcs: 4 5\n",
            DumpConstituents(e).substr(DumpConstituents(e).find("#2")));
  EXPECT_EQ("((reading one))", TreeFS(e, "2:0 0 1"));
  EXPECT_EQ("((reading two))", TreeFS(e, "2:1 0 1"));
}

TEST_F(SmallGrammar, SkipAllowance) {
  struct Case {
    const char* rhs;
    const char* sentence;
    int complete;
  };
  const Case kCases[] = {
      {"[DET N]", "the dog", 1},
      {"[DET N]", "the red dog", 0},
      {"[DET # N]", "the red dog", 1},
      {"[DET # N]", "the dog", 1},
      {"[DET # N]", "the red big dog", 0},
      {"[DET #2 N]", "the red big dog", 1},
      {"[DET ## N]", "the red big red big dog", 1},
  };
  for (const Case& c : kCases) {
    TransferEngine f;
    f.topNode = {"NP"};
    ASSERT_GT(f.addNewRule(std::string("{NP,1}\nNP::NP : ") + c.rhs + " -> [DET N]\n((X1::Y1))\n"),
              0);
    ASSERT_GT(f.addNewRule(kLexicon), 0);
    EXPECT_EQ(c.complete, f.parse(c.sentence)) << c.rhs << " " << c.sentence;
  }
}

TEST_F(SmallGrammar, SkipSortingPutsTheArcWithFewerSkipsFirst) {
  Load(
      "{NP,1}\nNP::NP : [DET ## N] -> [DET N]\n((X1::Y1) (X2::Y2))\n"
      "{NP,2}\nNP::NP : [DET ADJ ADJ N] -> [DET N]\n((X1::Y1) (X4::Y2))\n");
  e.topNode = {"NP"};
  ASSERT_EQ(1, e.parse("the red big dog"));
  const Constituent& np = *e.constituents[static_cast<std::size_t>(e.topparse)];
  ASSERT_EQ(2u, np.arcs.size());
  const std::vector<unsigned> found = np.arcs;
  const std::vector<std::string> paths = np.paths;
  EXPECT_EQ("NP,1", GroupName(e, e.arcs[found[0]]->rule));

  e.skipsort = true;
  ASSERT_EQ(1, e.parse("the red big dog"));
  const Constituent& sorted = *e.constituents[static_cast<std::size_t>(e.topparse)];
  EXPECT_EQ((std::vector<unsigned>{found[1], found[0]}), sorted.arcs);
  EXPECT_EQ(paths, sorted.paths);  // the paths keep the order they were found in
  EXPECT_EQ(0u, e.arcs[sorted.arcs[0]]->skipcount);
  EXPECT_EQ(2u, e.arcs[sorted.arcs[1]]->skipcount);
}

TEST_F(SmallGrammar, LiteralStartsARule) {
  Load("{PP,1}\nPP::PP : [\"of\" N] -> [\"de\" N]\n((X2::Y2))\n");
  e.topNode = {"PP"};
  EXPECT_EQ(1, e.parse("of dog"));
  // The literal is not counted, so the word also becomes unknown.
  EXPECT_EQ(
      "#0 LIT-of 0-1 'of' paths: 0\n"
      "#1 UNK 0-1 'of' [UNK,0] paths: 1\n"
      "#2 N 1-2 'dog' [N,1] paths: 2\n"
      "#3 PP 0-2 paths: 3:0 0 2 arcs: 2\n",
      DumpConstituents(e));
  EXPECT_EQ("()", TreeFS(e, "0"));
}

TEST_F(SmallGrammar, UnaryCycleEndsAndLeavesTheWordAlone) {
  Load("{N,9}\nN::N : [N] -> [N]\n((X1::Y1) ((x0 level) = (x1 level)))\n");
  e.topNode = {"N"};
  EXPECT_EQ(1, e.parse("dog"));
  // The lexical constituent keeps its single reading; the derivations of the
  // rule are packed into a phrase constituent of their own.
  EXPECT_EQ(
      "#0 N 0-1 'dog' [N,1] paths: 0\n"
      "#1 N 0-1 paths: 1:0 0 | 1:0 1:0 0 arcs: 1 2\n",
      DumpConstituents(e));
  EXPECT_EQ(1, e.topparse);
}

}  // namespace
