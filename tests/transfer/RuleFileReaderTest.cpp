// tests/transfer/RuleFileReaderTest.cpp
#include "transfer/RuleFileReader.h"

#include "tests/support/RunProgram.h"
#include "tests/transfer/RecordingBuilder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

namespace {

std::string Read(const std::string& text, int casePolicy = 1) {
  RecordingBuilder builder;
  builder.casePolicy = casePolicy;
  readRuleText(text, builder);
  EXPECT_EQ("", builder.protocolError) << text;
  return builder.log;
}

std::string Fixture(const std::string& name) {
  return testsupport::ReadFile(std::string(REFINE_TEST_SRC) + "/data/" + name);
}

TEST(RuleFileReader, ReadsPhraseRulesAndDirectives) {
  const std::string expected =
      "topnode S\n"
      "topnode VP\n"
      "openclass N\n"
      "openclass V\n"
      "rule NP,3 given PHRASE NP::NP [DET ADJ N] -> [DET N ADJ]\n"
      "align 1 1\n"
      "align 2 3\n"
      "align 3 2\n"
      "parse (0 AGR) = (3 AGR)\n"
      "transfer (2 AGR) = (7 AGR)\n"
      "generation (1 AGR) = (0 AGR)\n"
      "begin OR\n"
      "alt\n"
      "parse (2 DEG) = POS\n"
      "end alt\n"
      "alt\n"
      "parse (2 DEG) = SUP\n"
      "end alt\n"
      "end block\n"
      "end complete 7\n"
      "rule PP,0 PHRASE PP::PP [P#1000 NP#1 ADJ] -> [P \"DE\" NP]\n"
      "align 1 1\n"
      "align 2 3\n"
      "score 0.25\n"
      "parse (0 CASE) =c ACC\n"
      "transfer (0 FORM) <= De\n"
      "constraint (3 NUM) = *UNDEFINED*\n"
      "begin EOR\n"
      "alt\n"
      "parse 0 = 1\n"
      "end alt\n"
      "alt\n"
      "parse (0 POS) = *DEFINED*\n"
      "transfer (0 A) = 6\n"
      "end alt\n"
      "end block\n"
      "end complete 7\n"
      "rule VP,7 given PHRASE VP::VP [LIT-NOT V] -> [V]\n"
      "align 2 1\n"
      "parse (0 NEG) = (*NOT* YES MAYBE)\n"
      "generation (1 TENSE) == (0 TENSE)\n"
      "fill (0 SUBJ) <= (1 SUBJ)\n"
      "end complete 2\n";
  EXPECT_EQ(expected, Read(Fixture("grammar.trf")));
}

TEST(RuleFileReader, ReadsLexicalEntries) {
  const std::string expected =
      "rule N,0 LEX N::N [\"HOUSE\"] -> [\"CASA\"]\n"
      "align 1 1\n"
      "parse (0 FORM) = HOUSE\n"
      "transfer (0 FORM) = CASA\n"
      "end complete 4\n"
      "rule N,5 given COMPOUND N::N [\"ICE\" \"CREAM\"] -> [\"HELADO\"]\n"
      "align 1 1\n"
      "parse (0 AGR NUM) = SG\n"
      "transfer (0 GENDER) = (*OR* M F)\n"
      "end complete 4\n"
      "rule ADJ,2 given LEX ADJ::ADJ [\"SAY \"HI\"\"] -> [\"Hola\"]\n"
      "parse (0 FORM) = A\\B\n"
      "! Only X/Y0 allowed in lex rule paths\n"
      "! **ERROR** ENTRY ADJ,2 WAS MALFORMED\n"
      "end malformed 4\n";
  EXPECT_EQ(expected, Read(Fixture("lexicon.trf")));
}

TEST(RuleFileReader, CasePolicyAppliesToTokensAndWordsOnly) {
  EXPECT_EQ(
      "rule n,0 LEX n::n [\"house\"] -> [\"casa\"]\n"
      "parse (0 agr) = sg\n"
      "parse (0 form) = Sg\n"
      "end complete 4\n",
      Read("N::N |: [\"House\"] -> [\"Casa\"] ( ((X0 Agr) = SG) ((x0 FORM) = 'Sg') )", 2));
  EXPECT_EQ(
      "rule N,0 LEX N::N [\"House\"] -> [\"Casa\"]\n"
      "parse (0 Agr) = SG\n"
      "end complete 2\n",
      Read("N::N |: [\"House\"] -> [\"Casa\"] ( ((X0 Agr) = SG) )", 0));
}

TEST(RuleFileReader, RuleHeaders) {
  struct Case {
    const char* text;
    const char* log;
  };
  const Case kCases[] = {
      {"{NP,007} NP::NP [DET # N] -> [N] ()",
       "rule NP,7 given PHRASE NP::NP [DET#1 N] -> [N]\nend complete 0\n"},
      {"{NP,-3x} NP::NP [DET #5 # N ##] -> [] ()",
       "rule NP,-3 given PHRASE NP::NP [DET#1 N#1000] -> []\nend complete 0\n"},
      // A skip marker before the first element has no effect.
      {"NP::NP [# DET] -> [N] ()", "rule NP,0 PHRASE NP::NP [DET] -> [N]\nend complete 0\n"},
      {"V::V |: [\"go\"] <-> [] ()", "rule V,0 LEX V::V [\"GO\"] -> []\nend complete 0\n"},
      {"NP::NP : [\"the\" N] -> ['los' \"las\" N] ()",
       "rule NP,0 PHRASE NP::NP [LIT-THE N] -> [\"los\" \"LAS\" N]\nend complete 0\n"},
      // ID-less rules count up from the largest accepted index of their name.
      {"{NP,4} NP::NP [N] -> [N] () NP::NP [N] -> [N] () {NP,2} NP::NP [N] -> [N] () NP::NP [N] -> "
       "[N] ()",
       "rule NP,4 given PHRASE NP::NP [N] -> [N]\nend complete 0\n"
       "rule NP,5 PHRASE NP::NP [N] -> [N]\nend complete 0\n"
       "rule NP,2 given PHRASE NP::NP [N] -> [N]\nend complete 0\n"
       "rule NP,6 PHRASE NP::NP [N] -> [N]\nend complete 0\n"},
  };
  for (const Case& c : kCases) EXPECT_EQ(c.log, Read(c.text)) << c.text;
}

TEST(RuleFileReader, EquationGroups) {
  // Two source and two target elements: X0..X2 and Y0..Y2; in the transfer
  // group source register Xi is 3 + i.
  struct Case {
    const char* equation;
    const char* log;  // what is stored, or "" when the equation is dropped
  };
  const Case kCases[] = {
      {"(x1 = x2)", "parse 1 = 2"},
      {"((y1 a) = x2)", "transfer (1 A) = 5"},
      {"((y1 a) = y0)", "generation (1 A) = 0"},
      {"((y0 a) = (y2 b))", "fill (0 A) = (2 B)"},
      {"((y1 a) = (y2 a))", "constraint (1 A) = (2 A)"},
      {"((x1 a) = y1)", ""},
      {"((x1 a) = *remove*)", "parse (1 A) = *REMOVE*"},
      {"((y0 a) = \"v\")", "transfer (0 A) = V"},
      {"((y1 a) = (*or* p 'q' \"r\"))", "generation (1 A) = (*OR* P q R)"},
      {"((y0 a) = *defined*)", "generation (0 A) = *DEFINED*"},
      {"((y1 a) = *defined*)", "constraint (1 A) = *DEFINED*"},
      {"((y0 a) = *undefined*)", "constraint (0 A) = *UNDEFINED*"},
      {"((x1 a) <= y2)", "parse (1 A) <= 2"},
      {"(y0 <= x1)", "transfer 0 <= 4"},
      {"(y0 <= y1)", "fill 0 <= 1"},
      {"(y1 <= y0)", "generation 1 <= 0"},
      {"(y1 <= y2)", "constraint 1 <= 2"},
      {"(y0 <= y0)", ""},
      {"((y2 a) <= v)", "generation (2 A) <= V"},
      {"((x1 a) <= *defined*)", ""},
      {"(x1 == x2)", "parse 1 == 2"},
      {"(y1 == x2)", "transfer 1 == 5"},
      {"(y1 == y0)", "generation 1 == 0"},
      {"(x1 == y0)", ""},
      {"(y1 > x2)", "parse 1 > 2"},
      {"(x1 < y2)", "parse 1 < 2"},
      {"((x1 a) =c (x2 a))", "parse (1 A) =c (2 A)"},
      {"((y2 a) =c y0)", "generation (2 A) =c 0"},
      {"((y2 a) =c y1)", "constraint (2 A) =c 1"},
      {"((y2 a) =c x1)", ""},
      {"((y0 a) =C v)", "generation (0 A) =c V"},
      {"((y1 a) =c v)", "constraint (1 A) =c V"},
      {"((x1 a) =n v)", ""},
      {"((x1 a) *remove* v)", ""},
      {"((x1 a) = (*multiple* p q))", ""},
      {"(x1 == v)", ""},
  };
  for (const Case& c : kCases) {
    const std::string log = Read(std::string("NP::NP [DET N] -> [N ADJ] (") + c.equation + ")");
    const std::string head = "rule NP,0 PHRASE NP::NP [DET N] -> [N ADJ]\n";
    ASSERT_EQ(0u, log.find(head)) << c.equation << "\n" << log;
    std::string body = log.substr(head.size());
    body = body.substr(0, body.find("end "));
    EXPECT_EQ(*c.log ? std::string(c.log) + "\n" : "", body) << c.equation;
  }
}

TEST(RuleFileReader, SpecificityCountsConstrainingEquations) {
  EXPECT_EQ(
      "rule NP,0 PHRASE NP::NP [N] -> [N]\n"
      "! 0 not allowed in alignments\n"
      "parse 1 = 0\n"
      "parse (0 A) = B\n"
      "parse (0 A) =c B\n"
      "parse (1 A) = 1\n"
      "parse (0 A) <= B\n"
      "! **ERROR** ENTRY NP,0 WAS MALFORMED\n"
      "end malformed 8\n",
      Read("NP::NP [N] -> [N] ( (x0::y1) (x1 = x0) ((x0 a) = b) ((x0 a) =c b) ((x1 a) = x1) "
           "((x1 a) = y1) ((x0 a) =n b) ((x0 a) <= b) )"));
}

TEST(RuleFileReader, AlignmentChecks) {
  const std::string expected =
      "rule NP,1 given PHRASE NP::NP [LIT-DE N] -> [N \"X\"]\n"
      "! 0 not allowed in alignments\n"
      "! 0 not allowed in alignments\n"
      "align 2 1\n"
      "! No alignments allowed for source literal X1 in grammar rule NP,1\n"
      "NP::NP LIT-DE -> N\n"
      ".  Skipping rule.\n"
      "! No alignments allowed for inserted word Y2 in grammar rule NP,1\n"
      "NP::NP LIT-DE -> N\n"
      ".  Skipping rule.\n"
      "! X index 3 is larger than allowed number 2.  \n"
      "Please check rule NP,1 \n"
      "NP::NP LIT-DE -> N\n"
      ". Skipping rule.\n"
      "! Y index 3 is larger than allowed number 2.  \n"
      "Please check rule NP,1\n"
      "NP::NP LIT-DE -> N\n"
      ".  Skipping rule.\n"
      "! **ERROR** ENTRY NP,1 WAS MALFORMED\n"
      "end malformed 0\n";
  EXPECT_EQ(expected,
            Read("{NP,1}\nNP::NP [\"de\" N] -> [N \"x\"]\n(\n(X1::Y0)\n(X0::Y1)\n(Y2::X1)\n"
                 "(X1::Y1)\n(X2::Y2)\n(X3::Y1)\n(X1::Y3)\n)\n"));
  // Lexical entries may align their words.
  EXPECT_EQ("rule N,0 LEX N::N [\"A\"] -> [\"B\"]\nalign 1 1\nend complete 0\n",
            Read("N::N |: [\"a\"] -> [\"b\"] ((x1::y1))"));
}

TEST(RuleFileReader, RegisterRangeChecks) {
  const std::string expected =
      "rule S,1 given PHRASE S::S [NP] -> [NP VP]\n"
      "! X index above limit 1\n"
      "Please check rule S,1.  Skipping rule...\n"
      "transfer (0 A) = 4\n"
      "! Y index 3 above limit 2\n"
      "Please check rule S,1\n"
      "S::S NP -> NP\n"
      ".  Skipping rule...\n"
      "! X index 2 above limit 1\n"
      "Please check rule \n"
      "S::S NP -> NP\n"
      "S,1.  Skipping rule...\n"
      // Equations to a value, *DEFINED* or *UNDEFINED* are checked too.
      "! X index above limit 1\n"
      "Please check rule S,1.  Skipping rule...\n"
      "! Y index 3 above limit 2\n"
      "Please check rule S,1\n"
      "S::S NP -> NP\n"
      ".  Skipping rule...\n"
      "! X index above limit 1\n"
      "Please check rule S,1.  Skipping rule...\n"
      "! Y index 4 above limit 2\n"
      "Please check rule S,1\n"
      "S::S NP -> NP\n"
      ".  Skipping rule...\n"
      // The constraint group reports both registers.
      "! Y index 5 above limit 2\n"
      "Please check rule S,1\n"
      "S::S NP -> NP\n"
      ".  Skipping rule...\n"
      "! Y index 6 above limit 2\n"
      "Please check rule S,1\n"
      "S::S NP -> NP\n"
      ".  Skipping rule...\n"
      "! Y index 3 above limit 2\n"
      "Please check rule S,1\n"
      "S::S NP -> NP\n"
      ".  Skipping rule...\n"
      "! **ERROR** ENTRY S,1 WAS MALFORMED\n"
      "end malformed 10\n";
  EXPECT_EQ(expected, Read("{S,1}\nS::S [NP] -> [NP VP]\n(\n"
                           "((x0 a) = (x2 a))\n"
                           "((y0 a) = x1)\n"
                           "((y3 a) = x1)\n"
                           "((y1 a) = x2)\n"
                           "((x3 a) = sg)\n"
                           "((y3 a) = *defined*)\n"
                           "((x2 a) > x0)\n"
                           "((y1 a) = (y4 b))\n"
                           "((y5 b) = (y6 b))\n"
                           "((y0 c) = (y3 c))\n"
                           ")\n"));
}

TEST(RuleFileReader, DebugDirectiveTogglesIdMessages) {
  EXPECT_EQ(
      "debug\n"
      "!  Creating id for id-less rule\n"
      "!   Rule name NP\n"
      "rule NP,0 PHRASE NP::NP [N] -> [N]\n"
      "end complete 0\n"
      "debug\n"
      "rule NP,1 PHRASE NP::NP [N] -> [N]\n"
      "end complete 0\n",
      Read("(debug)\nNP::NP [N] -> [N] ()\n(DEBUG)\nNP::NP [N] -> [N] ()\n"));
}

TEST(RuleFileReader, TracesWithDebugAndEngineDebug) {
  RecordingBuilder builder;
  builder.debug = true;
  builder.engineDebug = true;
  readRuleText("NP::NP [DET \"de\" # N] -> [N 'x'] ( ((y1 a) = x1) (*OR* (x0 = x1)) )", builder);
  EXPECT_EQ(
      "Source nts DET"
      "String literal in source production rule word:DE skip: N\n"
      "Target nts nt:N literal word:x\n"
      "clearing paths\nSetting register\nPush back path val AUNIFYing \nSetting register\n rpath "
      "add to TRANSFER"
      "Adding OR block\n"
      "clearing paths\nSetting register\nUNIFYing \nSetting register\n rpath add to PARSE",
      builder.traced);
}

TEST(RuleFileReader, BlockAlternatives) {
  struct Case {
    const char* equations;
    const char* log;
  };
  const Case kCases[] = {
      // Parenthesised lists, a bare single equation, and an empty list; the
      // next equation after the block is read normally.
      {"(*OR* ( ((x1 a) = b) ((y1 a) = x1) ) (x1 = x0) ( )) ((x0 c) = d)",
       "begin OR\nalt\nparse (1 A) = B\ntransfer (1 A) = 3\nend alt\nalt\nparse 1 = 0\nend alt\n"
       "alt\nend alt\nend block\nparse (0 C) = D\nend complete 6\n"},
      {"(*EOR* ((*OR* (x0 = x1) (x1 = x0))) (x0 = x1))",
       "begin EOR\nalt\nbegin OR\nalt\nparse 0 = 1\nend alt\nalt\nparse 1 = 0\nend alt\nend block\n"
       "end alt\nalt\nparse 0 = 1\nend alt\nend block\nend complete 3\n"},
      // A single alternative with a parenthesised left path is taken for a
      // list and fails; recovery closes the block, and the rule ends early.
      {"(*OR* ((x1 a) = b))\n((x0 c) = d)",
       "begin OR\nalt\n! syntax 1:27\nend alt\n! syntax 1:34\nend block\nend complete 0\n! syntax "
       "1:38\n"},
  };
  for (const Case& c : kCases) {
    const std::string head = "rule S,0 PHRASE S::S [NP] -> [NP]\n";
    EXPECT_EQ(head + c.log, Read(std::string("S::S [NP] -> [NP] (") + c.equations + ")"))
        << c.equations;
  }
}

TEST(RuleFileReader, RecoversFromBrokenInput) {
  struct Case {
    const char* name;
    const char* text;
    const char* log;
  };
  const Case kCases[] = {
      {"missing bracket",
       "{NP,1}\nNP::NP [DET N] -> [DET N]\n(\n((x0 agr) = (x2 agr)\n)\n{NP,2}\nNP::NP [N] -> "
       "[N]\n(\n)\n",
       "rule NP,1 given PHRASE NP::NP [DET N] -> [DET N]\n"
       "parse (0 AGR) = (2 AGR)\n"
       "! syntax 6:1\n"
       "end abandoned 1\n"
       "! syntax 6:4\n"
       "rule NP,0 PHRASE NP:: [N] -> [N]\n"
       "end complete 0\n"},
      {"bare register in parentheses",
       "NP::NP [DET N] -> [N]\n(\n((x1) = (x2 agr))\n((x0 agr) = (x2 agr))\n)\n",
       "rule NP,0 PHRASE NP::NP [DET N] -> [N]\n"
       "! syntax 3:5\n"
       "! syntax 3:17\n"
       "parse (0 AGR) = (2 AGR)\n"
       "end complete 1\n"},
      {"unknown characters", "NP::NP [DET & N] -> [N ! ]\n(\n(X2::Y1) ^ ~\n)\n",
       "rule NP,0 PHRASE NP::NP [DET N] -> [N]\nalign 2 1\nend complete 0\n"},
      {"unterminated string",
       "N::N |: [\"house] -> [\"casa\"]\n(\n)\nN::N |: [\"dog\"] -> [\"perro\"]\n(\n)\n",
       // The end of the input is reported one column after the last line
       // end, where the open string stopped the scanner.
       "! syntax 7:2\n! syntax 7:2\n"},
      {"mixed-case keyword", "NP::NP [N] -> [N] ()\n(Topnode S)\nS::S [NP] -> [NP] ()\n",
       "rule NP,0 PHRASE NP::NP [N] -> [N]\nend complete 0\n! syntax 2:1\n"},
      {"broken equation",
       "NP::NP [N] -> [N] (\n((x0 a) = foo bar)\n((x0 b) = c)\n)\nV::V [V] -> [V] ()",
       "rule NP,0 PHRASE NP::NP [N] -> [N]\n! syntax 2:11\nparse (0 B) = C\nend complete 3\n"
       "rule V,0 PHRASE V::V [V] -> [V]\nend complete 0\n"},
      {"missing separator of rule ID", "{NP 1}\nNP::NP [N] -> [N] ()\n",
       "! syntax 1:5\nrule NP,0 PHRASE NP::NP [N] -> [N]\nend complete 0\n"},
      {"empty source production", "NP::NP [] -> [N] ()\nS::S [NP] -> [NP] ()\n",
       "! syntax 1:9\nrule NP,0 PHRASE NP::NP [] -> [N]\nend complete 0\n"
       "rule S,0 PHRASE S::S [NP] -> [NP]\nend complete 0\n"},
      {"empty input", "", "! syntax 1:1\n"},
      {"only comments", "; nothing\n#| here |#\n", "! syntax 3:1\n"},
      {"end inside a block comment", "NP::NP [N] -> [N] ()\n#| (\nS::S [NP] -> [NP] ()\n",
       "rule NP,0 PHRASE NP::NP [N] -> [N]\nend complete 0\n"},
  };
  for (const Case& c : kCases) EXPECT_EQ(c.log, Read(c.text)) << c.name;
}

// Nothing read from any prefix or any mutation of the fixtures may crash,
// hang or break the builder protocol (checked by Read).
TEST(RuleFileReader, SurvivesTruncatedAndMutatedInput) {
  const std::string base = Fixture("grammar.trf") + Fixture("lexicon.trf");
  for (std::size_t n = 0; n <= base.size(); ++n) Read(base.substr(0, n));
  std::mt19937 random(7);
  const std::string alphabet = "()[]{}:|-<>=#*\"'\\;xy0 \n";
  for (int round = 0; round < 300; ++round) {
    std::string text = base;
    for (int k = 0; k < 4; ++k) {
      const std::size_t at = random() % text.size();
      switch (random() % 3) {
        case 0:
          text.erase(at, 1 + random() % 8);
          break;
        case 1:
          text.insert(at, 1, alphabet[random() % alphabet.size()]);
          break;
        default:
          text[at] = static_cast<char>(random() % 256);
          break;
      }
      if (text.empty()) text = "(";
    }
    Read(text);
  }
}

TEST(RuleFileReader, ReadsFromAStreamWithItsName) {
  testsupport::TempDir dir;
  // Recovery in the right side skips the equation's own ")" and then the
  // rule's, so the rule is cut short.
  const std::string file = dir.write("bad.trf", "NP::NP [N] -> [N] (\n(x0 = )\n)\n");
  std::ifstream in(file);
  RecordingBuilder builder;
  readRuleFile(in, builder, "bad.trf");
  EXPECT_NE(std::string::npos, builder.log.find("! bad.trf:2:")) << builder.log;
  EXPECT_NE(std::string::npos, builder.log.find("end abandoned 1\n")) << builder.log;
}

}  // namespace
