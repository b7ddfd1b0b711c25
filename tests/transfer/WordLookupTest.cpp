// tests/transfer/WordLookupTest.cpp
// Splitting and case-normalising sentences, looking words up, compounds,
// literals, unknown words under each policy, and the agenda order.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/transfer/ChartDump.h"
#include "tests/transfer/StreamCapture.h"
#include "transfer/transfer.h"

namespace {

const std::string kData = REFINE_TEST_DATA;

// The constituents put on the agenda by word lookup (those without arcs).
std::string Seeded(const TransferEngine& e) {
  std::istringstream all(DumpConstituents(e));
  std::string line, out;
  while (std::getline(all, line))
    if (line.find(" arcs:") == std::string::npos) out += line + "\n";
  return out;
}

// Rules added after `from` as "category: source -> target".
std::string NewEntries(const TransferEngine& e, std::size_t from) {
  std::string out;
  for (std::size_t n = from; n < e.rules.size(); ++n) {
    const TRule& r = *e.rules[n];
    out += r.src_lhs + ":";
    for (const std::string& w : r.src_rhs) out += " " + w;
    out += " ->";
    for (const std::string& w : r.tgt_rhs) out += " '" + w + "'";
    out += "\n";
  }
  return out;
}

TEST(CasePolicy, UpperLowerOrUnchanged) {
  TransferEngine e;
  EXPECT_EQ("The House", e.applyCasePolicy("The House", 0));
  EXPECT_EQ("THE HOUSE", e.applyCasePolicy("The House", 1));
  EXPECT_EQ("the house", e.applyCasePolicy("The House", 2));
  EXPECT_EQ("The House", e.applyCasePolicy("The House", 7));
  e.normalizecase = 2;
  EXPECT_EQ("the house", e.applyCasePolicy("The House"));
  e.utf8 = true;
  e.utools = std::make_unique<UnicodeTools>();
  EXPECT_EQ("ÉL", e.applyCasePolicy("él", 1));
}

// The rule reader applies the same policy to categories and IDs.
TEST(WordLookup, SentenceWordsAreCaseNormalised) {
  TransferEngine e;
  e.normalizecase = 2;
  ASSERT_GT(e.loadLexiconFile(kData + "/lexicon.trf"), 0);
  StreamCapture out(std::cout);
  e.minimaldebug = true;
  e.parse(" The\tHouse \r\n");
  EXPECT_EQ("*** STARTING PARSE ON \"the house\"\n", out.text());
  EXPECT_EQ(
      "#0 det 0-1 'the' [det,1] paths: 0\n"
      "#1 n 1-2 'house' [n,5] paths: 1\n",
      DumpConstituents(e));
}

TEST(WordLookup, CompoundsFromTheLexiconIndex) {
  TransferEngine e;
  ASSERT_GT(e.loadRuleFile(kData + "/grammar.trf"), 0);
  ASSERT_GT(e.loadLexiconFile(kData + "/lexicon.trf"), 0);
  EXPECT_EQ(0, e.parse("the ice cream"));
  EXPECT_EQ(
      "#0 DET 0-1 'the' [DET,1] paths: 0\n"
      "#1 N 1-3 'ice_cream' [N,17] paths: 1\n"
      "#2 UNK 2-3 'cream' [UNK,0] paths: 2\n",
      Seeded(e));
  EXPECT_EQ("0 1 2 3 4", DumpAgenda(e));
  EXPECT_FALSE(e.lexiconfiledb.count("ice"));

  // The compound runs past the end of the sentence: "ice" alone has no
  // entry that fits and becomes an unknown word, as any word without one.
  EXPECT_EQ(0, e.parse("the ice"));
  EXPECT_EQ(
      "#0 DET 0-1 'the' [DET,1] paths: 0\n"
      "#1 UNK 1-2 'ice' [UNK,1] paths: 1\n",
      Seeded(e));
}

TEST(WordLookup, CompoundBesideSingleWordEntries) {
  TransferEngine e;
  ASSERT_GT(e.loadRuleFile(kData + "/lexicon.trf"), 0);
  ASSERT_GT(e.addNewRule("{N,30}\nN::N |: [\"ice\"] -> [\"hielo\"]\n((x1::y1))\n"), 0);
  e.parse("ice cream cat");
  EXPECT_EQ(
      "#0 N 0-2 'ice_cream' [N,17] paths: 0\n"
      "#1 N 0-1 'ice' [N,30] paths: 1\n"
      "#2 UNK 1-2 'cream' [UNK,0] paths: 2\n"
      "#3 N 2-3 'cat' [N,3] paths: 3\n",
      Seeded(e));
  // Among equal ends the earlier-added first; the compound waits for the
  // constituents that end before it.
  EXPECT_EQ("0 1 2 3", DumpAgenda(e).substr(0, 7));
}

TEST(WordLookup, LiteralWordsGetALiteralConstituent) {
  TransferEngine e;
  ASSERT_GT(e.loadRuleFile(kData + "/lexicon.trf"), 0);
  ASSERT_GT(e.addNewRule("{PP,9}\nPP::PP : [\"in\" NP] -> [\"en\" NP]\n((X2::Y2))\n"
                         "{NP,9}\nNP::NP : [\"of\" N] -> [\"de\" N]\n((X2::Y2))\n"),
            0);
  const std::size_t before = e.rules.size();
  e.parse("in of");
  // "in" is also a preposition; "of" is only a literal, which does not count
  // as an entry, so it becomes unknown as well.
  EXPECT_EQ(
      "#0 LIT-in 0-1 'in' paths: 0\n"
      "#1 PREP 0-1 'in' [PREP,1] paths: 1\n"
      "#2 LIT-of 1-2 'of' paths: 2\n"
      "#3 UNK 1-2 'of' [UNK,0] paths: 3\n",
      Seeded(e));
  EXPECT_EQ("UNK: of -> 'of'\n", NewEntries(e, before));
}

TEST(UnknownWords, EntriesUnderEachPolicy) {
  struct Case {
    const char* policy;
    std::vector<std::string> openclass;
    const char* word;
    const char* entries;
  };
  const Case kCases[] = {
      {"*copy*", {}, "xyz", "UNK: xyz -> 'xyz'\n"},
      {"*COPY*", {}, "xyz", "UNK: xyz -> 'xyz'\n"},
      {"*delete*", {"N", "V"}, "xyz", "N: xyz -> ''\nV: xyz -> ''\n"},
      {"*DELETE*", {}, "xyz", "UNK: xyz -> ''\n"},
      {"*cut*", {}, "xyz", "UNK: xyz -> ''\n"},
      {"REPL", {}, "xyz", "UNK: xyz -> 'xyz'\n"},
      {"REPL", {}, "caf\xc3\xa9", "UNK: caf\xc3\xa9 -> 'REPL'\n"},
      {"*copy*", {"ADJ"}, "caf\xc3\xa9", "ADJ: caf\xc3\xa9 -> 'caf\xc3\xa9'\n"},
      // Quotes and backslashes survive the entry text.
      {"*copy*", {}, "a\"b", "UNK: a\"b -> 'a\"b'\n"},
      {"*copy*", {}, "c\\d", "UNK: c\\d -> 'c\\d'\n"},
      {"*copy*", {}, "e\\", "UNK: e\\ -> 'e\\'\n"},
      {"say\"\\", {}, "caf\xc3\xa9", "UNK: caf\xc3\xa9 -> 'say\"\\'\n"},
  };
  for (const Case& c : kCases) {
    TransferEngine e;
    e.unkpolicy = c.policy;
    e.openclass = c.openclass;
    e.parse(c.word);
    EXPECT_EQ(c.entries, NewEntries(e, 0)) << c.policy << " " << c.word;
    EXPECT_EQ(c.openclass.empty() ? 1u : c.openclass.size(), e.constituents.size())
        << c.policy << " " << c.word;
    for (const auto& k : e.constituents) EXPECT_EQ(c.word, k->word);
  }
}

TEST(UnknownWords, LaterOccurrencesFindTheInventedEntries) {
  TransferEngine e;
  e.parse("xyz");
  ASSERT_EQ(1u, e.rules.size());
  const int count = e.unknowns.at("xyz");
  e.parse("xyz xyz");
  EXPECT_EQ(1u, e.rules.size());
  EXPECT_EQ(count + 2, e.unknowns.at("xyz"));
  EXPECT_EQ(
      "#0 UNK 0-1 'xyz' [UNK,0] paths: 0\n"
      "#1 UNK 1-2 'xyz' [UNK,0] paths: 1\n",
      Seeded(e));
}

TEST(UnknownWords, WordWhoseEntriesAllFailGetsAnEntryInAddition) {
  TransferEngine e;
  ASSERT_EQ(1, e.addNewRule("{N,1}\nN::N |: [\"odd\"] -> [\"raro\"]\n"
                            "((x1::y1) ((x0 a) = x) ((x0 a) = y))\n"));
  e.parse("odd");
  EXPECT_EQ("#0 UNK 0-1 'odd' [UNK,0] paths: 0\n", Seeded(e));
  EXPECT_EQ("UNK: odd -> 'odd'\n", NewEntries(e, 1));
}

TEST(UnknownWords, TraceOfAnUnknownWord) {
  TransferEngine e;
  e.parsedebug = true;
  e.enginedebug = true;
  StreamCapture out(std::cout);
  EXPECT_EQ(0, e.parse("xyz"));
  EXPECT_EQ(
      "*** STARTING PARSE ON \"xyz\"\n"
      "\n*** WORD INDEX 0, word:  xyz\n"
      "Word not found in lexicon, adding as unknown\n"
      "Adding unknown word \"xyz\" to lexicon\n"
      "New entry: \n"
      "UNK::UNK |: [\"xyz\"] -> [\"xyz\"]\n"
      "(\n"
      "(x1::y1)\n"
      "((x0 form) = \"xyz\")\n"
      "((y0 form) = \"xyz\")\n"
      ")\n"
      "* Checking lexicon for full-form single words\n"
      "Looking in source lexicon\n"
      " Lexrules size is 1\n"
      " Check lex rule UNK,0\n"
      " Unification SUCCEEDED\n"
      "Adding POS UNK for xyz (constituent #0)\n"
      "\n* Added 1 new word entries to agenda.\n\n"
      "\n** Selecting KEY #0 of type 'UNK' starting at 0 ending at 1\n"
      "* Adding KEY #0 starting at 0 ending at 1 (sent len 1) to chart\n"
      "Constituents at end of parse 1, Arcs: 0\n",
      out.text());
}

TEST(UnknownWords, EntryThatCannotBeStoredIsNotReportedAsStored) {
  TransferEngine e;
  ASSERT_EQ(0, e.addlexentry("one", "uno", "N"));
  StreamCapture err(std::cerr);
  EXPECT_EQ(-1, e.addlexentry("two", "dos", "(N"));
  EXPECT_EQ(1u, e.rules.size());
  EXPECT_FALSE(err.text().empty());
}

TEST(Agenda, KeysGoAfterThoseEndingNoLater) {
  struct Case {
    std::vector<int> ends;  // of constituents 0.., the last one is added
    std::vector<int> agenda;
    int position;
    std::vector<int> expect;
  };
  const Case kCases[] = {
      {{2, 1}, {0}, 0, {0, 1}},
      {{2, 1, 3}, {0, 1}, 0, {0, 1, 2}},
      {{1, 3, 2}, {0, 1}, 0, {0, 2, 1}},
      {{1}, {}, 0, {0}},
      {{1, 2, 2, 3, 2}, {0, 1, 2, 3}, 1, {0, 1, 2, 4, 3}},
      // Never before the position given, even when that entry ends later.
      {{3, 1}, {0}, 0, {0, 1}},
      {{2, 3, 1}, {0, 1}, 1, {0, 1, 2}},
  };
  for (const Case& c : kCases) {
    TransferEngine e;
    for (int end : c.ends) {
      e.constituents.push_back(std::make_unique<Constituent>());
      e.constituents.back()->end = end;
    }
    e.agenda = c.agenda;
    e.addKey(static_cast<int>(c.ends.size()) - 1, c.position);
    EXPECT_EQ(c.expect, e.agenda) << ::testing::PrintToString(c.ends);
  }
}

TEST(WordLookup, MorphologyAddsNothingWithoutAServer) {
  TransferEngine e;
  EXPECT_EQ(0, e.addWordEntriesWithMorphology("dog", 0, {"dog"}));
  EXPECT_TRUE(e.constituents.empty());
}

}  // namespace
