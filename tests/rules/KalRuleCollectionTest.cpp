// tests/rules/KalRuleCollectionTest.cpp
// Reading whole rule files into the collection, numbering, lookups and
// writing the grammar and the lexicon back.
#include "rules/KalRuleCollection.h"

#include "tests/rules/RuleTestUtil.h"
#include "tests/support/RunProgram.h"
#include "tests/transfer/RecordingBuilder.h"
#include "transfer/RuleFileReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using ruletest::Read;
using ruletest::RulePtr;
using testsupport::ReadFile;
using testsupport::TempDir;

namespace {

const std::string kData = std::string(REFINE_TEST_SRC) + "/data/";

std::string Grammar(const KalRuleCollection& rc) {
  std::ostringstream os;
  rc.OutputGrammar(os);
  return os.str();
}

std::string Lexicon(const KalRuleCollection& rc) {
  std::ostringstream os;
  rc.OutputLexicon(os);
  return os.str();
}

std::vector<std::string> IDs(const std::vector<KalLexiconRule*>& rules) {
  std::vector<std::string> ids;
  for (const KalLexiconRule* r : rules) ids.push_back(r->GetRuleID().ToString());
  return ids;
}

// Reads the two fixture files as the rule-file phase does.
class CollectionFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ::testing::internal::CaptureStdout();
    ASSERT_TRUE(rc.AddFromFile(kData + "collection-grammar.trf"));
    ASSERT_TRUE(rc.AddFromFile(kData + "collection-lexicon.trf"));
    EXPECT_EQ("done loading grammar\ndone loading grammar\n",
              ::testing::internal::GetCapturedStdout());
    rc.AssignIDsToNonIDRules();
  }
  KalRuleCollection rc;
};

TEST_F(CollectionFiles, WritesRulesSortedAndNumbered) {
  EXPECT_EQ(ReadFile(kData + "collection-grammar-written.trf"), Grammar(rc));
  EXPECT_EQ(ReadFile(kData + "collection-lexicon-written.trf"), Lexicon(rc));
  EXPECT_EQ(6, rc.GetNumGrammarRules());
  EXPECT_EQ(6, rc.GetNumLexiconRules());  // the entry outside the table is kept apart
}

TEST_F(CollectionFiles, LinksDerivedRules) {
  KalRule* vp2 = rc.GetRule(KalRuleID(POS_TYPE_VP, 2));
  KalRule* vp3 = rc.GetRule(KalRuleID(POS_TYPE_VP, 3));
  ASSERT_NE(nullptr, vp2);
  ASSERT_NE(nullptr, vp3);
  // Read before its parent, linked when the parent came.
  EXPECT_EQ(vp2, vp3->GetParent());
  EXPECT_EQ(vp3, vp2->GetChild(0));
  // An entry naming itself as its parent is not its own child.
  KalRule* n3 = rc.GetRule(KalRuleID(POS_TYPE_NOUN, 3));
  ASSERT_NE(nullptr, n3);
  EXPECT_EQ(nullptr, n3->GetParent());
  EXPECT_EQ(0, n3->GetNumChildren());
  EXPECT_EQ(n3, n3->GetFirstEnabled());
}

TEST_F(CollectionFiles, LooksUpRules) {
  EXPECT_EQ(RULE_TYPE_GRAMMAR, rc.GetRule(KalRuleID(POS_TYPE_NP, 5))->GetRuleType());
  EXPECT_FALSE(rc.GetRule(KalRuleID(POS_TYPE_S, 2))->IsEnabled());
  EXPECT_EQ(nullptr, rc.GetRule(KalRuleID(POS_TYPE_NOUN, 99)));

  using Words = std::vector<std::string>;
  KalLexiconRule* hotDog = rc.GetLexRule(Words{"hot", "dog"}, Words{"perro", "caliente"});
  ASSERT_NE(nullptr, hotDog);
  EXPECT_EQ("{N,12}", hotDog->GetRuleID().ToString());
  EXPECT_EQ(nullptr, rc.GetLexRule(Words{"hot", "dog"}, Words{"perro"}));
  EXPECT_EQ(nullptr, rc.GetLexRule(Words{"dog", "hot"}, Words{"perro", "caliente"}));
  EXPECT_EQ(nullptr, rc.GetLexRule(Words{}, Words{}));
  EXPECT_EQ("{PREP,3}", rc.GetLexRule(Words{"("}, Words{"("})->GetRuleID().ToString());

  struct Case {
    bool source;
    const char* word;
    Words ids;
  };
  const Case kCases[] = {
      {true, "dog", {"{N,12}", "{N,13}"}},  // in the order they were added
      {false, "perro", {"{N,12}", "{N,13}"}},
      {false, "caliente", {"{N,12}"}},
      {true, ";", {"{PREP,2}"}},
      {true, "Dog", {}},
      {false, "dog", {}},
      {true, "lots", {}},  // not numbered, so not registered
  };
  for (const Case& c : kCases) {
    std::vector<KalLexiconRule*> found;
    if (c.source)
      rc.GetAllLexRulesWithSLWord(c.word, found);
    else
      rc.GetAllLexRulesWithTLWord(c.word, found);
    EXPECT_EQ(c.ids, IDs(found)) << c.word;
  }

  // An entry replaced by another of the same ID is no longer found under its
  // words, and the new one is found once.
  RulePtr puppy = Read("{N,13}\nN::N |: [\"puppy\" \"puppy\"] -> [\"perrito\"]\n(\n(X1::Y1)\n)\n");
  rc.AddRule(puppy.get());
  std::vector<KalLexiconRule*> found;
  rc.GetAllLexRulesWithSLWord("dog", found);
  EXPECT_EQ(Words{"{N,12}"}, IDs(found));
  found.clear();
  rc.GetAllLexRulesWithSLWord("puppy", found);
  EXPECT_EQ(Words{"{N,13}"}, IDs(found));
}

TEST_F(CollectionFiles, InventsFeaturesAfterTheLargestCounter) {
  EXPECT_EQ(3, rc.GetNumCustomFeatures());
  EXPECT_EQ("feat_3", rc.PostulateNewFeature());
  EXPECT_EQ("feat_4", rc.PostulateNewFeature());
  TempDir dir;
  ::testing::internal::CaptureStdout();
  rc.AddFromFile(dir.write("a.trf", ";F:2\n"));
  EXPECT_EQ(5, rc.GetNumCustomFeatures());
  rc.AddFromFile(dir.write("b.trf", "\n\n;F:7 \n"));
  rc.AddFromFile(dir.write("c.trf", "; F:9\n;F:11\n"));  // only the first line counts
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ("feat_7", rc.PostulateNewFeature());
  EXPECT_EQ(";F:8\n", Grammar(rc).substr(0, 5));
}

TEST(KalRuleCollection, NumbersFromOneCounterPerCategory) {
  KalRuleCollection rc;
  for (const char* text : {
           "N::N |: [\"gato\"] -> [\"cat\"]\n(\n(X1::Y1)\n)\n",  // unnumbered, read first
           "{N,12}\nN::N |: [\"perro\"] -> [\"dog\"]\n(\n(X1::Y1)\n)\n",
           "{N,4}\nN::N : [ADJ N] -> [N ADJ]\n(\n(X1::Y2)\n)\n",  // a grammar rule of N
           "ADJ::ADJ |: [\"rojo\"] -> [\"red\"]\n(\n(X1::Y1)\n)\n",
       }) {
    RulePtr rule = Read(text);
    rc.AddRule(rule.get());
  }
  rc.AssignIDsToNonIDRules();
  using Words = std::vector<std::string>;
  EXPECT_EQ("{N,13}", rc.GetLexRule(Words{"gato"}, Words{"cat"})->GetRuleID().ToString());
  EXPECT_EQ("{ADJ,1}", rc.GetLexRule(Words{"rojo"}, Words{"red"})->GetRuleID().ToString());
  EXPECT_EQ(14, rc.USeRuleIDManager()->CreateNewRuleID(POS_TYPE_NOUN));
}

TEST(KalRuleCollection, RefusesCyclesOfDerivedRules) {
  KalRuleCollection rc;
  RulePtr a = Read("{V,1}\nV::V |: [\"go\"] -> [\"ir\"]\n(\n;(P:{V,2})\n(X1::Y1)\n)\n");
  RulePtr b = Read("{V,2}\nV::V |: [\"went\"] -> [\"fue\"]\n(\n;(P:{V,1})\n(X1::Y1)\n)\n");
  a->SetEnabled(false);
  b->SetEnabled(false);
  rc.AddRule(a.get());
  rc.AddRule(b.get());
  // {V,1} adopts {V,2}; {V,1} waits for {V,2} in vain, as that would make
  // each derived from the other.
  EXPECT_EQ(a.get(), b->GetParent());
  EXPECT_EQ(nullptr, a->GetParent());
  EXPECT_EQ(nullptr, a->GetFirstEnabled());
  b->SetEnabled(true);
  EXPECT_EQ(b.get(), a->GetFirstEnabled());
  // Neither a rule nor its ancestor is adopted.
  b->AddChild(a.get());
  b->AddChild(b.get());
  EXPECT_EQ(0, b->GetNumChildren());
  EXPECT_EQ(nullptr, a->GetParent());
}

TEST(KalRuleCollection, SplitsRuleFiles) {
  struct Case {
    const char* name;
    const char* file;
    std::vector<std::string> texts;
  };
  const Case kCases[] = {
      {"comments and quoted parentheses",
       "; (a comment\n{N,1}\nN::N |: [\")\"] -> [\";\"] ; (\n(\n(X1::Y1) ; )\n)\ntrailing\n",
       {"{N,1} \nN::N |: [\")\"] -> [\";\"] ; ( \n( \n(X1::Y1) ; ) \n)", "trailing"}},
      {"line ends CR LF and CR",
       "{N,1}\r\nN::N |: [\"a\"] -> [\"b\"]\r\n(\r\n)\r{N,2}\rN::N |: [\"c\"] -> [\"d\"] ()",
       {"{N,1} \nN::N |: [\"a\"] -> [\"b\"] \n( \n)", "{N,2} \nN::N |: [\"c\"] -> [\"d\"] ()"}},
      {"a word across lines and a block comment",
       "{N,1}\nN::N |: [\"a\n(\"] -> [\"b\"]\n(\n#| ) |#\n)\n",
       {"{N,1} \nN::N |: [\"a \n(\"] -> [\"b\"] \n( \n#| ) |# \n)"}},
      {"disabled rule",
       ";D:\n;{N,1}\n;N::N |: [\"a\"] -> [\"b\"]\n;(\n;;(T:5)\n;)\n{N,2}\n",
       {";D:\n{N,1} \nN::N |: [\"a\"] -> [\"b\"] \n( \n;(T:5) \n)", "{N,2}"}},
      {"rule body not closed at the end of the file",
       "{N,1}\nN::N |: [\"a\"] -> [\"b\"]\n(\n(X1::Y1)\n",
       {"{N,1} \nN::N |: [\"a\"] -> [\"b\"] \n( \n(X1::Y1)"}},
      {"only directives and comments", "(topnode S)\n(debug)\n; done\n", {}},
      {"empty file", "", {}},
  };
  TempDir dir;
  for (const Case& c : kCases) {
    RuleParser parser(dir.write("rules.trf", c.file));
    ASSERT_TRUE(parser.IsOpen());
    std::vector<std::string> texts;
    std::string text;
    while (parser.ParseNextRule(text)) texts.push_back(text);
    EXPECT_EQ(c.texts, texts) << c.name;
  }
  RuleParser missing(dir.file("missing.trf"));
  EXPECT_FALSE(missing.IsOpen());
  std::string text;
  EXPECT_FALSE(missing.ParseNextRule(text));
}

TEST(KalRuleCollection, UnreadableFilesAreReported) {
  TempDir dir;
  KalRuleCollection rc;
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(rc.AddFromFile(dir.file("missing.trf")));
  EXPECT_FALSE(rc.AddFromFile(dir.path()));
  EXPECT_EQ("done loading grammar\ndone loading grammar\n",
            ::testing::internal::GetCapturedStdout());
  EXPECT_EQ("Cannot read rule file \"" + dir.file("missing.trf") +
                "\": No such file or directory\n"
                "Cannot read rule file \"" +
                dir.path() + "\": Is a directory\n",
            ::testing::internal::GetCapturedStderr());
  EXPECT_EQ(";F:0\n", Grammar(rc));
}

// The whole test grammar and lexicon, written by the collection, read back
// into a collection that writes them identically, and read by the engine's
// rule-file reader without a diagnostic.
TEST(KalRuleCollection, WrittenTestDataIsReadBack) {
  KalRuleCollection rc;
  ::testing::internal::CaptureStdout();
  rc.AddFromFile(std::string(REFINE_TEST_DATA) + "/grammar.trf");
  rc.AddFromFile(std::string(REFINE_TEST_DATA) + "/lexicon.trf");
  rc.AssignIDsToNonIDRules();
  EXPECT_EQ(11, rc.GetNumGrammarRules());
  EXPECT_EQ(71, rc.GetNumLexiconRules());

  TempDir dir;
  const std::string grammar = dir.write("g.trf", Grammar(rc));
  const std::string lexicon = dir.write("l.trf", Lexicon(rc));
  KalRuleCollection again;
  again.AddFromFile(grammar);
  again.AddFromFile(lexicon);
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(Grammar(rc), Grammar(again));
  EXPECT_EQ(Lexicon(rc), Lexicon(again));

  struct File {
    std::string text;
    int rules;
  };
  for (const File& f : {File{Grammar(rc), 11}, File{Lexicon(rc), 71}}) {
    RecordingBuilder builder;
    readRuleText(f.text, builder);
    EXPECT_EQ("", builder.protocolError);
    EXPECT_EQ(std::string::npos, ("\n" + builder.log).find("\n!")) << builder.log;
    EXPECT_EQ(f.rules, builder.rulesAccepted);
  }
}

}  // namespace
