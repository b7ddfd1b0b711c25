// tests/transfer/FStructReaderTest.cpp
#include "transfer/transfer.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/transfer/StreamCapture.h"

namespace {

struct ReadResult {
  std::string fss;  // the structures in the one-line form, one per line
  std::string out;
  std::string err;
};

std::string OneLine(const std::vector<UKernel::FStruc>& fss) {
  const bool indented = UKernel::FStruc::indentPrint;
  UKernel::FStruc::indentPrint = false;
  std::ostringstream os;
  for (const UKernel::FStruc& fs : fss) os << fs << "\n";
  UKernel::FStruc::indentPrint = indented;
  return os.str();
}

ReadResult Read(const std::string& text, int debug = 0) {
  TransferEngine e;
  e.debug = debug;
  std::vector<UKernel::FStruc> fss;
  ReadResult r;
  {
    StreamCapture out(std::cout), err(std::cerr);
    fss = e.stringToFS(text);
    r.out = out.text();
    r.err = err.text();
  }
  for (const UKernel::FStruc& fs : fss) EXPECT_EQ("X0", fs.readName().read()) << text;
  r.fss = OneLine(fss);
  return r;
}

const char kDupCat[] = "*** Duplicate path found!! CAT \nIgnoring duplicate path \n";

struct Case {
  const char* text;
  const char* fss;
  const char* out;
};

const Case kAccepted[] = {
    {"((cat n) (agr ((num sg) (per 3))))", "((CAT N) (AGR ((NUM SG) (PER 3))))\n", ""},
    // A repeated path keeps the first value, whatever the second is.
    {"((cat n) (cat v))", "((CAT N))\n", kDupCat},
    {"((cat n) (cat (*or* v adj)))", "((CAT N))\n", kDupCat},
    {"((cat n) (cat (*multiple* ((a 1)) ((a 2)))))", "((CAT N))\n", kDupCat},
    {"((cat n) (cat ((a 1))))", "((CAT N))\n", kDupCat},
    // Everything below a repeated path is dropped with it.
    {"((agr ((num sg))) (agr ((per 3))) (cat n))", "((AGR ((NUM SG))) (CAT N))\n",
     "*** Duplicate path found!! AGR \nIgnoring duplicate path \n"},
    {"((agr ((num sg) (num pl))))", "((AGR ((NUM SG))))\n",
     "*** Duplicate path found!! AGR NUM \nIgnoring duplicate path \n"},
    // Each structure has its own paths.
    {"((cat n)) ((cat v))", "((CAT N))\n((CAT V))\n", ""},
    {"((cat n)) ((cat n))", "((CAT N))\n((CAT N))\n", ""},

    {"((num (*or* sg pl)))", "((NUM (*OR* SG PL)))\n", ""},
    {"((num (*or* sg sg)))", "((NUM SG))\n", ""},
    {"((form (*or* \"a b\" c a\\b)))", "((FORM (*OR* \"A B\" C A\\B)))\n", ""},

    {"((args (*multiple* ((a 1)) ((a 2)))))", "((ARGS (*MULTIPLE* ((A 1)) ((A 2)))))\n", ""},
    {"((x ((args (*multiple* ((a 1)) ((b 2)))))))", "((X ((ARGS (*MULTIPLE* ((A 1)) ((B 2)))))))\n",
     ""},
    {"((a (*multiple* ((b 1) (c (*multiple* ((d 2))))))))",
     "((A (*MULTIPLE* ((B 1) (C (*MULTIPLE* ((D 2))))))))\n", ""},
    // Inside a group paths are neither checked nor remembered: a member's
    // repeated feature is assigned again, and its paths do not clash with
    // the structure's own.
    {"((args (*multiple* ((a 1) (a 2)))) (a 3))", "((ARGS (*MULTIPLE* ((A 2)))) (A 3))\n", ""},
    // After a group the structure's paths are checked again.
    {"((args (*multiple* ((a 1)))) (cat n) (cat v))", "((ARGS (*MULTIPLE* ((A 1)))) (CAT N))\n",
     kDupCat},

    // Quoted words keep blanks and parentheses; \" and \\ stand for the
    // second character.
    {"((form \"the house\"))", "((FORM \"THE HOUSE\"))\n", ""},
    {"((form \"say \\\"hi\\\" \\\\ (x)\"))", "((FORM \"SAY \\\"HI\\\" \\\\ (X)\"))\n", ""},
    {"((form \"two\nlines\"))", "((FORM \"TWO\nLINES\"))\n", ""},

    // Keywords are lower case only: "*" begins no token and is dropped.
    {"((num *OR*))", "((NUM OR*))\n", ""},
    // Characters that begin no token are dropped: %, |, a lone # or *,
    // bytes 0 to 2. "=" and "*" may stand inside a word.
    {"((cat% n|) (*x y) (#z w) (v =q) (m a*b) (num \x01sg))",
     "((CAT N) (X Y) (Z W) (V =Q) (M A*B) (NUM SG))\n", ""},
    {"; first line\n((cat n) ; rest of line\n #| block | with |\n bars |# (num sg))",
     "((CAT N) (NUM SG))\n", ""},
    {"()", "()\n", ""},
    {"", "", ""},
    {"\n((cat n))", "", ""},
};

TEST(StringToFS, ReadsStructures) {
  for (const Case& c : kAccepted) {
    const ReadResult r = Read(c.text);
    EXPECT_EQ(c.fss, r.fss) << c.text;
    EXPECT_EQ(c.out, r.out) << c.text;
    EXPECT_EQ("", r.err) << c.text;
  }
}

struct ErrorCase {
  const char* text;
  const char* fss;    // what is still read
  const char* where;  // position of the one error report
  const char* out;
};

const ErrorCase kRejected[] = {
    {"cat n", "", "line 1:1: ", ""},
    {")((a b))", "", "line 1:1: ", ""},
    // A structure with an error is dropped; reading goes on after it.
    {"((cat n) x) ((cat v))", "((CAT V))\n", "line 1:10: ", ""},
    {"((a (b c))) ((d e))", "((D E))\n", "line 1:5: ", ""},
    {"((a ((b 1) x))) ((d e))", "((D E))\n", "line 1:12: ", ""},
    {"((agr ((num sg) (per))) (cat n)) ((x 1))", "((X 1))\n", "line 1:21: ", ""},
    {"((a (*or*))) ((b c))", "((B C))\n", "line 1:10: ", ""},
    {"((a (*multiple* ())) (b c)) ((d e))", "((D E))\n", "line 1:18: ", ""},
    // Errors inside a group or a pair leave the paths, the duplicate marks
    // and the group depth as they were: the next structure reads normally.
    {"((args (*multiple* ((a 1)) x)) (cat n)) ((cat v) (cat w))", "((CAT V))\n",
     "line 1:28: ", kDupCat},
    {"((a ((b (*multiple* ((c 1)) x)))) (d 1)) ((e ((f 1))) (g 2))", "((E ((F 1))) (G 2))\n",
     "line 1:29: ", ""},
    {"((cat (*multiple* ((a (*multiple* ((b 1) (c)))))))) ((cat n) (cat v))", "((CAT N))\n",
     "line 1:44: ", kDupCat},
    // Structures before the error stay.
    {"((cat n)) x", "((CAT N))\n", "line 1:11: ", ""},
    {"((cat n)) ((a b)", "((CAT N))\n", "line 1:17: ", ""},
    {"((cat n)\n (num sg) x)", "", "line 2:11: ", ""},
    // A started keyword, quoted word or comment that breaks off ends the
    // reading.
    {"((cat *ox)) ((a b))", "", "line 1:9: ", ""},
    {"((cat *mul)) ((a b))", "", "line 1:11: ", ""},
    {"((cat n)) ((form \"open", "((CAT N))\n", "line 1:23: ", ""},
    {"((a \"x\\y\"))", "", "line 1:8: ", ""},
    {"((cat n)) #| open", "((CAT N))\n", "line 1:17: ", ""},
};

TEST(StringToFS, ReportsErrorsAndGoesOn) {
  for (const ErrorCase& c : kRejected) {
    const ReadResult r = Read(c.text);
    EXPECT_EQ(c.fss, r.fss) << c.text;
    EXPECT_EQ(c.out, r.out) << c.text;
    EXPECT_EQ(0u, r.err.rfind(c.where, 0)) << c.text << "\n" << r.err;
    EXPECT_EQ(1, std::count(r.err.begin(), r.err.end(), '\n')) << c.text << "\n" << r.err;
  }
}

std::string Nested(int depth) {
  std::string text = "(";
  for (int i = 0; i < depth; ++i) text += "(a (";
  text += "(b c)";
  for (int i = 0; i < depth; ++i) text += "))";
  return text + ") ((d e))";
}

TEST(StringToFS, RefusesStructuresNestedTooDeeply) {
  ReadResult r = Read(Nested(400));
  EXPECT_EQ("", r.err);
  EXPECT_EQ(2, std::count(r.fss.begin(), r.fss.end(), '\n'));

  r = Read(Nested(100000));
  EXPECT_EQ("((D E))\n", r.fss);
  EXPECT_NE(std::string::npos, r.err.find("nested too deeply")) << r.err;
}

TEST(StringToFS, TracesWithDebugOn) {
  const std::string start =
      "Initing New feature structure\n"
      "* The starting FS (X0):\n"
      "x0 name is X0\n"
      "X0: ()\n\n";
  EXPECT_EQ("Processing String to FS ((cat n) (num (*or* sg pl)))\n" + start +
                "Stacking Feature CAT\n"
                "Clearing lpath\n"
                "Pushing back CAT\n"
                "Adding Value N\n\n"
                "Stacking Feature NUM\n"
                "Clearing lpath\n"
                "Pushing back NUM\n"
                "Adding Value (*OR* SG PL)\n\n",
            Read("((cat n) (num (*or* sg pl)))", 1).out);

  EXPECT_EQ("Processing String to FS ((a (*multiple* ((b 1)))) (a 2))\n" + start +
                "Stacking Feature A\n"
                "\nStart MULTIPLE block\n"
                "Clearing mult path\n"
                "Stacking Feature B\n"
                "Clearing lpath\n"
                "Pushing back B\n"
                "Adding Value 1\n\n"
                "Appending MULTIPLE Value \n\n"
                "Pushing back A i 0 of 1\n"
                "Stacking Feature A\n"
                "*** Duplicate path found!! A \n"
                "Ignoring duplicate path \n"
                "Clearing lpath\n"
                "Pushing back A\n"
                "Ignoring value 2",
            Read("((a (*multiple* ((b 1)))) (a 2))", 1).out);

  EXPECT_EQ("", Read("", 1).out);
}

// Texts made of the reader's own pieces in random order: nothing may crash
// or hang, and whatever comes out is a whole structure.
TEST(StringToFS, SurvivesGarbage) {
  const char* const pieces[] = {
      "(",  "(",  "(", ")",  ")",  ")", "a",  "b ",   " ",    "*or*", "*multiple*", "\"q w\"", "\"",
      "#|", "|#", ";", "\n", "*o", "%", "\\", "\x01", "\xff", "*OR*", "=",          "#"};
  std::mt19937 rng(7);
  TransferEngine e;
  size_t read = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int n = 1 + static_cast<int>(rng() % 30);
    for (int i = 0; i < n; ++i) text += pieces[rng() % (sizeof pieces / sizeof *pieces)];
    std::vector<UKernel::FStruc> fss;
    {
      StreamCapture out(std::cout), err(std::cerr);
      fss = e.stringToFS(text);
    }
    read += fss.size();
    for (const UKernel::FStruc& fs : fss) {
      EXPECT_EQ("X0", fs.readName().read()) << text;
      EXPECT_FALSE(OneLine({fs}).empty()) << text;
    }
  }
  EXPECT_GT(read, 0u);
}

}  // namespace
