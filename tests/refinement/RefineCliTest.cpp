// tests/refinement/RefineCliTest.cpp
// The refine program's command line, run as a real process.
#include "tests/support/RunProgram.h"

#include <gtest/gtest.h>

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
const std::string kExiting =
    "\n\n ... exiting, the paramaters given could not be interpreted!!\n";
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

TEST(RefineCommandLine, DefaultsAreEchoed) {
  RunResult r = Refine({});
  EXPECT_EQ(0, r.status);
  EXPECT_EQ(ReadFile(kData + "echo-defaults.txt"), AfterBanner(r.out));
  EXPECT_EQ("", r.err);
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
      {{"-f", params, "-d", "2"},
       Echo(2, "/usr0/ulbe/rur2uvo/lexicons/lexicon-test.trf", "g.trf")},
  };
  for (const Case& c : kCases) {
    RunResult r = Refine(c.args);
    EXPECT_EQ(0, r.status) << c.args[0];
    EXPECT_EQ(c.echo, AfterBanner(r.out)) << c.args[0];
    EXPECT_EQ("", r.err) << c.args[0];
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

}  // namespace
