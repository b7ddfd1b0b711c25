// tests/refinement/RefineCliTest.cpp
// The refine program's command line, run as a real process.
#include "tests/support/RunProgram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace {

using testsupport::ReadFile;
using testsupport::RunProgram;
using testsupport::RunResult;
using testsupport::TempDir;

const std::string kRefine = std::string(REFINE_BIN_DIR) + "/refine";
const std::string kData = std::string(REFINE_TEST_SRC) + "/data/";
const std::string kStars(63, '*');
const std::string kExiting = "\n\n ... exiting, the paramaters given could not be interpreted!!\n";
const std::string kHelp = "\nGet help with 'refine --help'\n\n";

RunResult Refine(std::vector<std::string> args, const std::string& cwd = "") {
  args.insert(args.begin(), "refine");
  return RunProgram(kRefine, args, cwd);
}

// Splits off the banner line, checking its form.
std::string AfterBanner(const std::string& out) {
  const size_t nl = out.find('\n');
  const std::string banner = out.substr(0, nl);
  EXPECT_TRUE(std::regex_match(
      banner, std::regex("Compiled on [A-Z][a-z]{2} [ 0-9]\\d \\d{4} \\d\\d:\\d\\d:\\d\\d .+ in "
                         "debug mode")))
      << banner;
  return nl == std::string::npos ? "" : out.substr(nl + 1);
}

std::string Echo(int level, const std::string& lex, const std::string& gram) {
  return kStars + "\nParameters are:\nDebug Level     = " + std::to_string(level) +
         "\nLexicon File    = " + lex + "\nGrammar File    = " + gram + "\n" + kStars + "\n" +
         kStars + "\n";
}

const std::string kPhase =
    "Creating Rule Collection to store G and L...\n"
    "Adding Gra to Rule Collection\n"
    "done loading grammar\n"
    "Adding Lex to Rule Collection\n"
    "done loading grammar\n"
    "done!\n";

std::string NotRead(const std::string& file, const std::string& reason) {
  return "Cannot read rule file \"" + file + "\": " + reason + "\n";
}

std::string NotWritten(const std::string& file, const std::string& reason) {
  return "Cannot write rule file \"" + file + "\": " + reason + "\n";
}

std::string Prefix(const std::string& text, const std::string& prefix) {
  return text.substr(0, prefix.size());
}

TEST(RefineCommandLine, DefaultsAreEchoed) {
  TempDir dir;
  RunResult r = Refine({}, dir.path());
  const std::string echo = ReadFile(kData + "echo-defaults.txt");
  EXPECT_EQ(echo, Prefix(AfterBanner(r.out), echo));
}

TEST(RefineCommandLine, GivenParametersAreEchoed) {
  TempDir dir;
  const std::string params =
      dir.write("params.txt", "# run settings\nGramFileName g.trf\nInitFileName init.txt\n");
  struct Case {
    std::vector<std::string> args;
    std::string echo;
  };
  const Case kCases[] = {
      {{"-d", "0", "-l", "lex.trf", "-g", "gram.trf"}, Echo(0, "lex.trf", "gram.trf")},
      {{"--DebugLevel=1", "--LexFileName", "a b.trf", "-ginit.trf"},
       Echo(1, "a b.trf", "init.trf")},
      // The initialisation file is accepted but not part of the echo.
      {{"-i", "other-init.txt", "-d1"},
       Echo(1, "/usr0/ulbe/rur2uvo/lexicons/lexicon-test.trf",
            "/usr0/ulbe/rur2uvo/grammars/grammar-test.trf")},
      {{"-f", params, "-d", "2"}, Echo(2, "/usr0/ulbe/rur2uvo/lexicons/lexicon-test.trf", "g.trf")},
  };
  for (const Case& c : kCases) {
    // The rule-file phase that follows writes into the working directory.
    TempDir cwd;
    RunResult r = Refine(c.args, cwd.path());
    EXPECT_EQ(c.echo, Prefix(AfterBanner(r.out), c.echo)) << c.args[0];
  }
}

TEST(RefineCommandLine, HelpPrintsUsageAndStops) {
  const std::string usage = ReadFile(kData + "usage.txt");
  ASSERT_FALSE(usage.empty());
  for (const char* help : {"-h", "--help"}) {
    RunResult r = Refine({"-d", "1", help, "-l", "x"});
    EXPECT_EQ(255, r.status) << help;
    EXPECT_EQ(usage, r.err) << help;
    EXPECT_EQ("", AfterBanner(r.out)) << help;
  }
}

TEST(RefineCommandLine, RejectedCommandLines) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const Case kCases[] = {
      {{"-x"}, "Unknown flag '-x'." + kHelp + kExiting},
      {{"--Level=2"}, "Unknown keyword 'Level'." + kHelp + kExiting},
      {{"grammar.trf"},
       "Invalid argument 'grammar.trf'.\nEach parameter must start with '-' or '--' resp.!" +
           kHelp + kExiting},
      {{"-f", "/nonexistent/params.txt"},
       "Cannot open file '/nonexistent/params.txt'." + kHelp + kExiting},
      // Conversion failures end the run inside the parameter library.
      {{"-d", "two"}, "\n'two' should be an integer\n"},
      {{"-l", "lex.trf", "-d"}, "\n'' should be an integer\n"},
      {{"--GramFileName="}, "\n'' should be a non null string\n"},
  };
  for (const Case& c : kCases) {
    RunResult r = Refine(c.args);
    EXPECT_EQ(255, r.status) << c.args[0];
    EXPECT_EQ(c.err, r.err) << c.args[0];
    EXPECT_EQ("", AfterBanner(r.out)) << c.args[0];
  }
}

// The rule-file phase: the grammar and the lexicon are read, the rules
// without number numbered, and the numbered copies written beside the files
// given.
TEST(RefineRuleFiles, WritesNumberedCopies) {
  TempDir dir;
  const std::string grammar = dir.write("grammar.trf", ReadFile(kData + "phase-grammar.trf"));
  const std::string lexicon = dir.write("lexicon.trf", ReadFile(kData + "phase-lexicon.trf"));
  RunResult r = Refine({"-d", "0", "-g", grammar, "-l", lexicon});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(Echo(0, lexicon, grammar) + kPhase, AfterBanner(r.out));
  EXPECT_EQ("", r.err);
  EXPECT_EQ(ReadFile(kData + "phase-grammar-ID.trf"), ReadFile(dir.file("grammar-ID.trf")));
  EXPECT_EQ(ReadFile(kData + "phase-lexicon-ID.trf"), ReadFile(dir.file("lexicon-ID.trf")));

  // Run again on the numbered copies: nothing changes, and the copies of
  // the copies are named after them.
  r = Refine({"-g", dir.file("grammar-ID.trf"), "-l", dir.file("lexicon-ID.trf")});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(ReadFile(kData + "phase-grammar-ID.trf"), ReadFile(dir.file("grammar-ID-ID.trf")));
  EXPECT_EQ(ReadFile(kData + "phase-lexicon-ID.trf"), ReadFile(dir.file("lexicon-ID-ID.trf")));
}

TEST(RefineRuleFiles, NamesCopiesAfterTheGivenFiles) {
  TempDir dir;
  dir.write("g", ReadFile(kData + "phase-grammar.trf"));
  std::filesystem::create_directory(dir.file("rules"));
  dir.write("rules/lex.trf.trf", ReadFile(kData + "phase-lexicon.trf"));
  // Relative names, in the working directory.
  RunResult r = Refine({"-g", "g", "-l", "rules/lex.trf.trf"}, dir.path());
  EXPECT_EQ(0, r.status);
  EXPECT_EQ("", r.err);
  EXPECT_EQ(ReadFile(kData + "phase-grammar-ID.trf"), ReadFile(dir.file("g-ID.trf")));
  EXPECT_EQ(ReadFile(kData + "phase-lexicon-ID.trf"), ReadFile(dir.file("rules/lex.trf-ID.trf")));
}

TEST(RefineRuleFiles, MissingInputFilesAreReported) {
  TempDir dir;
  const std::string lexicon = dir.write("lexicon.trf", ReadFile(kData + "phase-lexicon.trf"));
  RunResult r = Refine({"-g", dir.file("none.trf"), "-l", lexicon});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(NotRead(dir.file("none.trf"), "No such file or directory"), r.err);
  EXPECT_EQ(Echo(2, lexicon, dir.file("none.trf")) + kPhase, AfterBanner(r.out));
  // The grammar copy holds only the counter line.
  EXPECT_EQ(";F:2\n", ReadFile(dir.file("none-ID.trf")));
  // Without the grammar's NP rules the lexical NP entry is the first NP.
  std::string expected = ReadFile(kData + "phase-lexicon-ID.trf");
  expected.replace(expected.find("{NP,4}"), 6, "{NP,1}");
  EXPECT_EQ(expected, ReadFile(dir.file("lexicon-ID.trf")));
}

TEST(RefineRuleFiles, UnwritableCopiesEndTheRun) {
  TempDir dir;
  const std::string grammar = dir.write("grammar.trf", ReadFile(kData + "phase-grammar.trf"));
  const std::string lexicon = dir.write("lexicon.trf", ReadFile(kData + "phase-lexicon.trf"));
  const std::string missing = dir.file("gone/lexicon.trf");

  // The lexicon is written first: its failure ends the run before the grammar.
  RunResult r = Refine({"-g", grammar, "-l", missing});
  EXPECT_EQ(1, r.status);
  EXPECT_EQ(NotRead(missing, "No such file or directory") +
                NotWritten(dir.file("gone/lexicon-ID.trf"), "No such file or directory"),
            r.err);
  EXPECT_EQ(Echo(2, missing, grammar) + kPhase, AfterBanner(r.out));
  EXPECT_EQ("", ReadFile(dir.file("grammar-ID.trf")));

  // A grammar copy that cannot be written.
  std::filesystem::create_directory(dir.file("grammar-ID.trf"));
  r = Refine({"-g", grammar, "-l", lexicon});
  EXPECT_EQ(1, r.status);
  EXPECT_EQ(NotWritten(dir.file("grammar-ID.trf"), "Is a directory"), r.err);
  EXPECT_EQ(ReadFile(kData + "phase-lexicon-ID.trf"), ReadFile(dir.file("lexicon-ID.trf")));
}

}  // namespace
