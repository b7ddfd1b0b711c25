// tests/param/ParamTest.cpp
#include "param/Param.h"
#include "tests/support/RunProgram.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using testsupport::TempDir;

// The parameters of a small program: no positional parameter, two switches.
struct Program {
  int d = 0;
  const char* l = nullptr;
  const char* g = nullptr;
  double x = 0;
  bool v = false;
  bool q = false;
  CParam params;

  Program() {
    params.AddParamDef("DebugLevel", 'd', &d, 2, "debug level", true, "n", -1);
    params.AddParamDef("LexFileName", 'l', &l, "lex.trf", "lexicon", true, "s", -1);
    params.AddParamDef("GramFileName", 'g', &g, "gram.trf", "grammar", true, "s", -1);
    params.AddParamDef("Ratio", 'x', &x, 0.5, "ratio", true, "r", -1);
    params.AddParamDef("Verbose", 'v', &v, false, "verbose", true, "", -1);
    params.AddParamDef("Quiet", 'q', &q, false, "quiet", true, "", -1);
  }

  // Interprets `args` (without the program name); returns the result code and
  // leaves what went to the error stream in `err`.
  int Run(std::vector<std::string> args, std::string& err) {
    testing::internal::CaptureStderr();
    int r = RunUncaptured(std::move(args));
    err = testing::internal::GetCapturedStderr();
    return r;
  }

  int RunUncaptured(std::vector<std::string> args) {
    args.insert(args.begin(), "prog");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return params.Interpret_returnError(argv.data(), static_cast<int>(argv.size()));
  }

  std::string Values() const {
    std::ostringstream s;
    s << "d=" << d << " l=" << (l ? l : "(null)") << " g=" << (g ? g : "(null)") << " x=" << x
      << " v=" << v << " q=" << q;
    return s.str();
  }
};

const std::string kHelp = "\nGet help with 'prog --help'\n\n";

struct Case {
  std::vector<std::string> args;
  int result;
  const char* values;  // after interpretation
  std::string err;     // the whole error stream
};

TEST(ParamInterpret, CommandLineForms) {
  const Case kCases[] = {
      {{}, CParam::OK, "d=2 l=lex.trf g=gram.trf x=0.5 v=0 q=0", ""},
      {{"-d3"}, CParam::OK, "d=3 l=lex.trf g=gram.trf x=0.5 v=0 q=0", ""},
      {{"-d", "3"}, CParam::OK, "d=3 l=lex.trf g=gram.trf x=0.5 v=0 q=0", ""},
      {{"--DebugLevel=3"}, CParam::OK, "d=3 l=lex.trf g=gram.trf x=0.5 v=0 q=0", ""},
      {{"--DebugLevel", "3"}, CParam::OK, "d=3 l=lex.trf g=gram.trf x=0.5 v=0 q=0", ""},
      // Formatted input: leading blanks skipped, text after a valid prefix ignored.
      {{"-d", " 12abc", "-x", "2.5e1z"}, CParam::OK, "d=12 l=lex.trf g=gram.trf x=25 v=0 q=0",
       ""},
      {{"-l", "a.trf", "--GramFileName=b=c.trf"}, CParam::OK,
       "d=2 l=a.trf g=b=c.trf x=0.5 v=0 q=0", ""},
      // The last of several settings wins.
      {{"-d1", "-d", "4"}, CParam::OK, "d=4 l=lex.trf g=gram.trf x=0.5 v=0 q=0", ""},
      // Switch clusters, alone and before one value-taking flag.
      {{"-vq"}, CParam::OK, "d=2 l=lex.trf g=gram.trf x=0.5 v=1 q=1", ""},
      {{"-vd2"}, CParam::OK, "d=2 l=lex.trf g=gram.trf x=0.5 v=1 q=0", ""},
      {{"-qd", "7"}, CParam::OK, "d=7 l=lex.trf g=gram.trf x=0.5 v=0 q=1", ""},
      {{"--Verbose"}, CParam::OK, "d=2 l=lex.trf g=gram.trf x=0.5 v=1 q=0", ""},
      // A switch given by keyword does not consume the next argument.
      {{"--Quiet", "-d5"}, CParam::OK, "d=5 l=lex.trf g=gram.trf x=0.5 v=0 q=1", ""},
      {{"--"}, CParam::OK, "d=2 l=lex.trf g=gram.trf x=0.5 v=0 q=0", ""},
      {{"--DebugLevel=3", "extra"},
       CParam::PROBLEM_MISSING_HYPHEN,
       "d=3 l=lex.trf g=gram.trf x=0.5 v=0 q=0",
       "Invalid argument 'extra'.\nEach parameter must start with '-' or '--' resp.!" + kHelp},
      {{"--", "-x"},
       CParam::PROBLEM_MISSING_HYPHEN,
       "d=2 l=lex.trf g=gram.trf x=0.5 v=0 q=0",
       "Invalid argument '-x'.\nEach parameter must start with '-' or '--' resp.!" + kHelp},
      {{"-k"}, CParam::PROBLEM_UNKNOWN_FLAG, "d=2 l=lex.trf g=gram.trf x=0.5 v=0 q=0",
       "Unknown flag '-k'." + kHelp},
      {{"-vk"}, CParam::PROBLEM_UNKNOWN_FLAG, "d=2 l=lex.trf g=gram.trf x=0.5 v=1 q=0",
       "Unknown flag '-k'." + kHelp},
      {{"-"}, CParam::PROBLEM_UNKNOWN_FLAG, "d=2 l=lex.trf g=gram.trf x=0.5 v=0 q=0",
       "Unknown flag ''." + kHelp},
      {{"--Nope=1"}, CParam::PROBLEM_UNKNOWN_KEYWORD, "d=2 l=lex.trf g=gram.trf x=0.5 v=0 q=0",
       "Unknown keyword 'Nope'." + kHelp},
      // Values assigned before a problem stay assigned.
      {{"-d", "9", "--nope"}, CParam::PROBLEM_UNKNOWN_KEYWORD,
       "d=9 l=lex.trf g=gram.trf x=0.5 v=0 q=0", "Unknown keyword 'nope'." + kHelp},
      {{"-f", "/nonexistent/p.txt"}, CParam::PROBLEM_CANNOT_OPEN_FILE,
       "d=2 l=lex.trf g=gram.trf x=0.5 v=0 q=0",
       "Cannot open file '/nonexistent/p.txt'." + kHelp},
      // A parameter-file flag or keyword with no value names no file.
      {{"-f"}, CParam::PROBLEM_CANNOT_OPEN_FILE, "d=2 l=lex.trf g=gram.trf x=0.5 v=0 q=0",
       "Cannot open file ''." + kHelp},
      {{"--ParameterFile"}, CParam::PROBLEM_CANNOT_OPEN_FILE,
       "d=2 l=lex.trf g=gram.trf x=0.5 v=0 q=0", "Cannot open file ''." + kHelp},
  };
  for (const Case& c : kCases) {
    Program p;
    std::string err;
    std::string name;
    for (const std::string& a : c.args) name += "[" + a + "]";
    EXPECT_EQ(c.result, p.Run(c.args, err)) << name;
    EXPECT_EQ(c.values, p.Values()) << name;
    EXPECT_EQ(c.err, err) << name;
  }
}

// Conversion failures end the program inside the library.
TEST(ParamInterpretDeathTest, UnconvertibleValuesExit) {
  struct DeathCase {
    std::vector<std::string> args;
    const char* err;
  };
  const DeathCase kCases[] = {
      {{"-d", "abc"}, "^\n'abc' should be an integer\n$"},
      // A value-taking flag or keyword at the end has an empty value.
      {{"-d"}, "^\n'' should be an integer\n$"},
      {{"--DebugLevel"}, "^\n'' should be an integer\n$"},
      {{"--LexFileName"}, "^\n'' should be a non null string\n$"},
      {{"--LexFileName="}, "^\n'' should be a non null string\n$"},
      {{"-x", "pi"}, "^\n'pi' should be a double\n$"},
  };
  for (const DeathCase& c : kCases) {
    EXPECT_EXIT(Program().RunUncaptured(c.args), testing::ExitedWithCode(255), c.err)
        << c.args[0];
  }
}

TEST(ParamTypes, EveryTypeConverts) {
  char c = 0;
  unsigned u = 0;
  short s = 0;
  unsigned short us = 0;
  long lo = 0;
  unsigned long ul = 0;
  float f = 0;
  CParam params;
  params.AddParamDef("C", 'c', &c, 'a', "", true, "c", -1);
  params.AddParamDef("U", 'u', &u, 1u, "", true, "n", -1);
  params.AddParamDef("S", 's', &s, static_cast<short>(2), "", true, "n", -1);
  params.AddParamDef("US", 't', &us, static_cast<unsigned short>(3), "", true, "n", -1);
  params.AddParamDef("L", 'l', &lo, 4L, "", true, "n", -1);
  params.AddParamDef("UL", 'm', &ul, 5UL, "", true, "n", -1);
  params.AddParamDef("F", 'z', &f, 6.5f, "", true, "n", -1);
  params.AddParamDef("Any", 'y', Int, "", "should be anything", true, "a", -1);
  EXPECT_EQ('a', c);
  EXPECT_EQ(6.5f, f);

  std::vector<std::string> args = {"prog", "-c", "xyz", "-u", "40000", "-s", "-7", "-t", "9",
                                   "--L=-123456789", "-m9x", "-z", "0.25", "-y", "any"};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  EXPECT_EQ(CParam::OK, params.Interpret_returnError(argv.data(), static_cast<int>(argv.size())));
  EXPECT_EQ('x', c);
  EXPECT_EQ(40000u, u);
  EXPECT_EQ(-7, s);
  EXPECT_EQ(9, us);
  EXPECT_EQ(-123456789L, lo);
  EXPECT_EQ(9UL, ul);
  EXPECT_EQ(0.25f, f);
  EXPECT_EQ(nullptr, params.getValueFromKey("Any"));
  EXPECT_EQ(&lo, params.getValueFromKey("L"));
  EXPECT_EQ(nullptr, params.getValueFromKey("Missing"));

  std::ostringstream shown;
  params.Display(shown);
  EXPECT_EQ("C=x\nU=40000\nS=-7\nUS=9\nL=-123456789\nUL=9\nF=0.25\nAny=\n", shown.str());
}

TEST(ParamTypes, ShortOutOfRangeExits) {
  auto run = [] {
    short s = 0;
    CParam params;
    params.AddParamDef("S", 's', &s, static_cast<short>(2), "", true, "n", -1);
    std::vector<std::string> args = {"prog", "-s", "70000"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    params.Interpret_returnError(argv.data(), 3);
  };
  EXPECT_EXIT(run(), testing::ExitedWithCode(255), "^\n'70000' should be a \\(short\\) integer\n$");
}

TEST(ParamDeclare, ReservedAndDuplicateNamesAreRefused) {
  int d = 0, e = 0;
  CParam params;
  params.AddParamDef("DebugLevel", 'd', &d, 2, "debug", true, "n", -1);

  const std::string flagWarning =
      "CParam.AddParamDef :\n"
      " Internal warning: the flag 'd' is reserved for special purposes or has\n"
      " been used for another parameter.\n"
      " It should not be redefined.\n"
      "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!\n\n";
  testing::internal::CaptureStderr();
  EXPECT_EQ(0, params.AddParamDef("Other", 'd', &e, 5, "other", true, "n", -1));
  EXPECT_EQ(flagWarning, testing::internal::GetCapturedStderr());

  // A flag clash is reported in preference to a keyword clash.
  testing::internal::CaptureStderr();
  EXPECT_EQ(0, params.AddParamDef("DebugLevel", 'd', &e, 5, "other", true, "n", -1));
  EXPECT_EQ(flagWarning, testing::internal::GetCapturedStderr());

  const char* kReservedKeywords[] = {"help", "ParameterFile", "DebugLevel"};
  for (const char* kw : kReservedKeywords) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(0, params.AddParamDef(kw, 0, &e, 5, "other", true, "n", -1)) << kw;
    EXPECT_EQ(std::string("CParam.AddParamDef :\n Internal warning: the keyword '") + kw +
                  "' is reserved for special purposes or has\n"
                  " been used for another parameter.\n"
                  " It should not be redefined.\n"
                  "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!\n\n",
              testing::internal::GetCapturedStderr())
        << kw;
  }
  for (char flag : {'h', 'f'}) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(0, params.AddParamDef("Fresh", flag, &e, 5, "other", true, "n", -1));
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find(
                                     std::string("the flag '") + flag + "' is reserved"));
  }
  // Flagless parameters never clash with each other by flag.
  EXPECT_EQ(1, params.AddParamDef("A", 0, &e, 5, "a", true, "n", -1));
  EXPECT_EQ(1, params.AddParamDef("B", 0, &e, 5, "b", true, "n", -1));
  EXPECT_EQ(3u, params.NParamDef());
  // The first definition stays in force, and its default was not overwritten.
  EXPECT_EQ(&d, params.getValueFromKey("DebugLevel"));
  EXPECT_EQ(2, d);
}

// Required and positional parameters.
struct Positional {
  const char* in = nullptr;
  const char* out = nullptr;
  int n = 0;
  CParam params;
  Positional() {
    params.AddParamDef("Input", 'i', &in, nullptr, "input file", false, "infile", 1);
    params.AddParamDef("Output", 'o', &out, "out.txt", "output file", true, "outfile", 2);
    params.AddParamDef("Count", 'n', &n, 0, "count", false, "n", -1);
  }
  int Run(std::vector<std::string> args, std::string& err) {
    args.insert(args.begin(), "prog");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    testing::internal::CaptureStderr();
    int r = params.Interpret_returnError(argv.data(), static_cast<int>(argv.size()));
    err = testing::internal::GetCapturedStderr();
    return r;
  }
};

TEST(ParamInterpret, RequiredAndPositional) {
  {
    Positional p;
    std::string err;
    EXPECT_EQ(CParam::OK, p.Run({"a.txt", "-n", "3", "b.txt"}, err));
    EXPECT_STREQ("a.txt", p.in);
    EXPECT_STREQ("b.txt", p.out);
    EXPECT_EQ("", err);
  }
  {
    // Positional parameters cannot be given by keyword on the command line.
    Positional p;
    std::string err;
    EXPECT_EQ(CParam::PROBLEM_UNKNOWN_KEYWORD, p.Run({"--Input=a.txt"}, err));
    EXPECT_EQ("Unknown keyword 'Input'." + kHelp, err);
  }
  {
    Positional p;
    std::string err;
    EXPECT_EQ(CParam::PROBLEM_MISSING_PARAMETER, p.Run({"-n", "1"}, err));
    EXPECT_EQ("Parameter 'infile' required." + kHelp, err);
  }
  {
    Positional p;
    std::string err;
    EXPECT_EQ(CParam::PROBLEM_MISSING_PARAMETER, p.Run({"a.txt"}, err));
    EXPECT_EQ("Parameter 'Count' required." + kHelp, err);
  }
  {
    Positional p;
    std::string err;
    EXPECT_EQ(CParam::PROBLEM_MISSING_HYPHEN, p.Run({"a", "b", "c"}, err));
    EXPECT_EQ("Invalid argument 'c'.\nEach parameter must start with '-' or '--' resp.!" + kHelp,
              err);
  }
}

TEST(ParamCheck, PositionWarnings) {
  const std::string beware = "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!\n\n";
  {
    const char *a = nullptr, *b = nullptr;
    CParam params;
    params.AddParamDef("A", 'a', &a, "x", "a", true, "opt", 1);
    params.AddParamDef("B", 'b', &b, nullptr, "b", false, "req", 2);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(params.CheckParameters());
    EXPECT_EQ(
        "\nCParam::CheckParameters():\n"
        "Internal warning: An obligatory kwdless parameter (req) is located  \n"
        "behind an optional one.\n" + beware,
        testing::internal::GetCapturedStderr());
  }
  {
    const char *a = nullptr, *b = nullptr;
    CParam params;
    params.AddParamDef("A", 'a', &a, "x", "a", true, "one", 1);
    params.AddParamDef("B", 'b', &b, "y", "b", true, "other", 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(params.CheckParameters());
    EXPECT_EQ(
        "\nCParam::CheckParameters():\n"
        "Internal Warning: Position nr. 1 for keyword-less parameters\n"
        "is used by 2 parameters.\n" + beware +
        "\nCParam::CheckParameters():\n"
        "Internal Warning: Position nr. 2 for keyword-less parameters\n"
        "is not used by any parameter.\n" + beware,
        testing::internal::GetCapturedStderr());
  }
  {
    Positional p;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(p.params.CheckParameters());
    EXPECT_EQ("", testing::internal::GetCapturedStderr());
  }
}

TEST(ParamErrors, EveryCodeHasItsMessage) {
  CParam params;
  std::vector<std::string> args = {"tool"};
  std::vector<char*> argv = {args[0].data()};
  params.Interpret_returnError(argv.data(), 1);
  const std::string help = "\nGet help with 'tool --help'\n\n";
  struct ErrCase {
    int code;
    const char* expect;
  };
  const ErrCase kCases[] = {
      {CParam::PROBLEM_UNDEFINED_PROBLEM, "Undefined error (0), please check program source code"},
      {CParam::PROBLEM_INVALID_VALUE, "Invalid value 'B' at parameter 'A'."},
      {CParam::PROBLEM_MISSING_VALUE, "Missing value at keyword 'A'."},
      {CParam::PROBLEM_GENERAL_PROBLEM_IN_FILE, "General problem in file 'A' at line:\n'B'."},
      {-12, "Unknown error (-12), please check program source code"},
  };
  for (const ErrCase& c : kCases) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(c.code, params.showError(c.code, "A", "B"));
    EXPECT_EQ(c.expect + help, testing::internal::GetCapturedStderr()) << c.code;
  }
}

TEST(ParamFile, SettingsCommentsAndOverrides) {
  TempDir dir;
  const std::string nested = dir.write("nested.txt", "Quiet\nRatio 4\n");
  const std::string file = dir.write(
      "params.txt", "# a comment\n\n   DebugLevel = 7 trailing words\nLexFileName\tfrom-file.trf\n"
                    "ParameterFile " + nested + "\n");
  Program p;
  std::string err;
  EXPECT_EQ(CParam::OK, p.Run({"-f", file, "-l", "cmdline.trf"}, err));
  EXPECT_EQ("", err);
  EXPECT_EQ("d=7 l=cmdline.trf g=gram.trf x=4 v=0 q=1", p.Values());
  EXPECT_STREQ(file.c_str(), p.params.getSourceFromKey("DebugLevel"));
  EXPECT_STREQ(nested.c_str(), p.params.getSourceFromKey("Ratio"));
  EXPECT_EQ(nullptr, p.params.getSourceFromKey("LexFileName"));  // the command line won
  EXPECT_EQ(nullptr, p.params.getSourceFromKey("GramFileName"));

  Program q;
  EXPECT_EQ(CParam::OK, q.Run({"--ParameterFile=" + file}, err));
  EXPECT_EQ("d=7 l=from-file.trf g=gram.trf x=4 v=0 q=1", q.Values());
}

TEST(ParamFile, Problems) {
  TempDir dir;
  const std::string self = dir.file("self.txt");
  dir.write("self.txt", "ParameterFile " + self + "\nDebugLevel 5\n");
  const std::string missing = dir.write("missing.txt", "DebugLevel 3\nLexFileName =  \n");
  const std::string unknown = dir.write("unknown.txt", "Colour blue\nDebugLevel 3\n");
  const std::string nestedBad = dir.write("nested.txt", "ParameterFile " + unknown + "\nQuiet\n");
  const std::string noFile = dir.write("nofile.txt", "ParameterFile\n");

  struct FileCase {
    std::string file;
    int result;
    const char* values;
    std::string err;
  };
  const FileCase kCases[] = {
      // A file that names itself reports the loop and goes on with its next line.
      {self, CParam::OK, "d=5 l=lex.trf g=gram.trf x=0.5 v=0 q=0",
       "Loop detected in nested parameter file call in file '" + self + "' at line:\n"
       "'ParameterFile " + self + "'.\nSkipping parameter file call." + kHelp},
      {missing, CParam::PROBLEM_MISSING_VALUE_IN_FILE, "d=3 l=lex.trf g=gram.trf x=0.5 v=0 q=0",
       "Missing value in file '" + missing + "' at line:\n'LexFileName =  '." + kHelp},
      {unknown, CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE, "d=2 l=lex.trf g=gram.trf x=0.5 v=0 q=0",
       "Unknown keyword in file '" + unknown + "' at line:\n'Colour blue'." + kHelp},
      // A failing nested file ends the outer file too.
      {nestedBad, CParam::PROBLEM_UNKNOWN_KEYWORD_IN_FILE,
       "d=2 l=lex.trf g=gram.trf x=0.5 v=0 q=0",
       "Unknown keyword in file '" + unknown + "' at line:\n'Colour blue'." + kHelp},
      {noFile, CParam::PROBLEM_CANNOT_OPEN_FILE, "d=2 l=lex.trf g=gram.trf x=0.5 v=0 q=0",
       "Cannot open file ''." + kHelp},
  };
  for (const FileCase& c : kCases) {
    Program p;
    std::string err;
    EXPECT_EQ(c.result, p.Run({"-f", c.file}, err)) << c.file;
    EXPECT_EQ(c.values, p.Values()) << c.file;
    EXPECT_EQ(c.err, err) << c.file;
  }
}

TEST(ParamFile, LongLinesDoNotEndTheFile) {
  TempDir dir;
  const std::string longName(5000, 'a');
  const std::string file =
      dir.write("long.txt", "# " + std::string(3000, '#') + "\nLexFileName " + longName +
                                "\nDebugLevel 6\n");
  Program p;
  std::string err;
  EXPECT_EQ(CParam::OK, p.Run({"-f", file}, err));
  EXPECT_EQ("", err);
  EXPECT_EQ(6, p.d);
  EXPECT_EQ(longName, p.l);
}

TEST(ParamFile, SourceOutlivesTheFileNameArgument) {
  TempDir dir;
  Program p;
  {
    std::string name = dir.write("p.txt", "DebugLevel 1\n");
    std::string err;
    EXPECT_EQ(CParam::OK, p.Run({"-f", name}, err));
  }
  const char* source = p.params.getSourceFromKey("DebugLevel");
  ASSERT_NE(nullptr, source);
  EXPECT_EQ(dir.file("p.txt"), source);
}

}  // namespace
