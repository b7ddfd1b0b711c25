// tests/transfer/LexiconIndexTest.cpp
// The line-based lexicon file index and loading entries from it.
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <set>
#include <string>

#include "tests/support/RunProgram.h"
#include "tests/transfer/StreamCapture.h"
#include "transfer/transfer.h"

namespace {

using testsupport::TempDir;

const char* kLexicon =
    "; entries with and without ID lines\n"
    "{N,1}\n"
    "N::N |: [\"house\"] -> [\"casa\"]\n"
    "(\n"
    "(x1::y1)\n"
    ")\n"
    "\n"
    "N::N |: [\"dog\"] -> [\"perro\"]\n"
    "(\n"
    "; a comment inside an entry\n"
    "(x1::y1)\n"
    ")\n"
    "{N,2}\n"
    "N::N |: [\"house\"] -> [\"hogar\"]\n"
    "()\n"
    "{V,007}\r\n"
    "V::V |: [run \"fast\"] -> [\"correr\"]\r\n"
    "()\r\n";

TEST(LexiconIndex, IndexesEntriesByHeadWordWithoutParsingThem) {
  TempDir dir;
  TransferEngine e;
  EXPECT_EQ(e.loadLexiconFile(dir.write("lex.trf", kLexicon)), 4);
  EXPECT_TRUE(e.rules.empty());
  EXPECT_EQ(e.lexiconfiledb,
            (std::map<std::string, std::string>{
                {"dog", "N::N |: [\"dog\"] -> [\"perro\"]\n(\n(x1::y1)\n)\n"},
                {"house",
                 "{N,1}\nN::N |: [\"house\"] -> [\"casa\"]\n(\n(x1::y1)\n)\n\n"
                 "{N,2}\nN::N |: [\"house\"] -> [\"hogar\"]\n()\n"},
                {"run", "{V,007}\nV::V |: [run \"fast\"] -> [\"correr\"]\n()\n"}}));
  EXPECT_EQ(e.idsrcword, (std::map<std::string, std::string>{
                             {"N,1", "house"}, {"N,2", "house"}, {"V,7", "run"}}));
  EXPECT_EQ(e.poslexicondb, (std::map<std::string, std::set<std::string>>{{"N", {"dog", "house"}},
                                                                          {"V", {"run"}}}));
}

TEST(LexiconIndex, LoadsTheEntriesOfAWordOnce) {
  TempDir dir;
  TransferEngine e;
  e.loadLexiconFile(dir.write("lex.trf", kLexicon));
  EXPECT_EQ(e.loadIndexedEntries("house"), 2);
  EXPECT_EQ(e.lexiconfiledb.count("house"), 0u);
  EXPECT_EQ(e.loadIndexedEntries("house"), 0);
  EXPECT_EQ(e.loadIndexedEntries("cat"), 0);
  EXPECT_EQ(e.rulelookup.count("N,1") + e.rulelookup.count("N,2"), 2u);
  EXPECT_EQ(e.srclexicon.at("house").size(), 1u);  // one group, two members
}

TEST(LexiconIndex, DeletingAnIndexedIdLoadsItsWordFirst) {
  TempDir dir;
  TransferEngine e;
  e.loadLexiconFile(dir.write("lex.trf", kLexicon));
  EXPECT_TRUE(e.deleteRule(std::string("V,7")));
  EXPECT_EQ(e.rulelookup.count("V,7"), 0u);
  EXPECT_EQ(e.lexiconfiledb.count("run"), 0u);
  EXPECT_FALSE(e.deleteRule(std::string("V,7")));
  EXPECT_FALSE(e.deleteRule(std::string("N,9")));

  // When the word already has entries, the index is not consulted and the
  // ID it named is forgotten.
  e.addNewRule("{N,5} N::N |: [\"house\"] -> [\"casa\"] ()");
  EXPECT_FALSE(e.deleteRule(std::string("N,1")));
  EXPECT_EQ(e.idsrcword.count("N,1"), 0u);
  EXPECT_EQ(e.idsrcword.count("N,2"), 1u);
}

TEST(LexiconIndex, AppliesTheCasePolicyToIdsCategoriesAndHeadWords) {
  TempDir dir;
  TransferEngine e;
  e.normalizecase = 2;
  e.loadLexiconFile(dir.write("lex.trf", "{N,1}\nN::N |: [\"House\"] -> [\"Casa\"]\n()\n"));
  EXPECT_EQ(e.idsrcword, (std::map<std::string, std::string>{{"n,1", "house"}}));
  EXPECT_EQ(e.poslexicondb.count("n"), 1u);
  EXPECT_EQ(e.loadIndexedEntries("house"), 1);
  EXPECT_EQ(e.rules[0]->ruleid, "n,1");
}

// A head word with an escaped double quote is indexed under the word the
// rule's reader makes of it, so that its entries are found.
TEST(LexiconIndex, HeadWordsWithEscapedQuotes) {
  TempDir dir;
  TransferEngine e;
  e.addNewRule("N::N |: [\"a\\\"b\"] -> [\"x\"] ()\nN::N |: [\"c\\\\\"] -> [\"y\"] ()");
  ASSERT_EQ(e.rules.size(), 2u);
  ASSERT_EQ(e.rules[0]->src_rhs[0], "a\"b");
  ASSERT_EQ(e.rules[1]->src_rhs[0], "c\\");
  const std::string file = dir.file("l.trf");
  {
    StreamCapture out(std::cout);
    e.saveLexicon(file);
  }
  TransferEngine indexed;
  EXPECT_EQ(indexed.loadLexiconFile(file), 2);
  EXPECT_EQ(indexed.loadIndexedEntries("a\"b"), 1);
  EXPECT_EQ(indexed.loadIndexedEntries("c\\"), 1);
  EXPECT_EQ(indexed.getAllLexicalRules(), e.getAllLexicalRules());
}

// Lines are taken whole, however long: a long line is never cut into a
// piece that starts a false entry.
TEST(LexiconIndex, LongLinesStayWhole) {
  TempDir dir;
  const std::string value(2030, 'a');
  const std::string longLine = "((x0 note) = \"" + value + "{x\")";
  ASSERT_GT(longLine.size(), 2047u);
  const std::string text = "{N,1}\nN::N |: [\"house\"] -> [\"casa\"]\n(\n" + longLine + "\n)\n";
  TransferEngine e;
  EXPECT_EQ(e.loadLexiconFile(dir.write("lex.trf", text)), 1);
  EXPECT_EQ(e.lexiconfiledb.at("house"), text);
  EXPECT_EQ(e.loadIndexedEntries("house"), 1);
  EXPECT_NE(e.getRule("N,1").find(value + "{x"), std::string::npos);
}

TEST(LexiconIndex, ReportsWhatItCannotIndex) {
  TempDir dir;
  TransferEngine e;
  StreamCapture err(std::cerr);
  EXPECT_EQ(e.loadLexiconFile(dir.file("none.trf")), 0);
  const std::string file = dir.write("lex.trf",
                                     "{N,1}\n"
                                     "no header here\n"
                                     "(x1::y1)\n"
                                     "N::N |: [\"dog\"] -> [\"perro\"]\n"
                                     "{N,3}\n");
  EXPECT_EQ(e.loadLexiconFile(file), 1);
  EXPECT_EQ(e.lexiconfiledb,
            (std::map<std::string, std::string>{{"dog", "N::N |: [\"dog\"] -> [\"perro\"]\n"}}));
  EXPECT_EQ(err.text(),
            "Unable to open " + dir.file("none.trf") + ".\n" + file +
                ":1: lexicon entry without \"::\" and \"[\" in its header; not indexed\n" + file +
                ":5: lexicon entry without \"::\" and \"[\" in its header; not indexed\n");
}

TEST(LexiconIndex, IndexesTheTestLexiconLikeLoadingItWhole) {
  TransferEngine whole;
  const int rules = whole.loadRuleFile(REFINE_TEST_DATA "/lexicon.trf");
  TransferEngine indexed;
  EXPECT_EQ(indexed.loadLexiconFile(REFINE_TEST_DATA "/lexicon.trf"), rules);
  int loaded = 0;
  const auto words = indexed.lexiconfiledb;
  for (const auto& entry : words) loaded += indexed.loadIndexedEntries(entry.first);
  EXPECT_EQ(loaded, rules);
  EXPECT_EQ(indexed.getAllLexicalRules().size(), whole.getAllLexicalRules().size());
  for (const auto& [id, number] : whole.rulelookup)
    EXPECT_EQ(indexed.getRule(id), whole.getRule(id)) << id;
}

}  // namespace
