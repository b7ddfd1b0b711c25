// tests/corrections/PreProcessTest.cpp
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <string>

#include "CorrectionsTestUtil.h"
#include "corrections/CorrectionInstance.h"
#include "corrections/DirectoryTraverser.h"
#include "corrections/PreProcess.h"
#include "tests/support/RunProgram.h"

using namespace correctionstest;

namespace {

const std::string kStandIn = REFINE_TEST_DATA "/../../tools/PreProcessLogFiles.pl";
const std::string kSep = "------------------------------------------------";

// A raw log that only its pre-processed copy makes readable: CR LF line
// ends, tabs and "name=value" lines without blanks.
const std::string kRawLog =
    "submit=FIX TRANSLATION\r\nsl=the red car\r\ntl1=el coche roja\r\n"
    "tl1-al=((1,1),(2,3),(3,2))\r\n\"the red car\"\r\n\"el coche roja\"\r\n" +
    kSep + "\r\nCurrent Word Edited\r\n\"roja\"\t\"rojo\"\r\n" + kSep + "\r\nFinal Sentences\r\n";

std::set<std::string> Entries(const std::string& dir) {
  std::set<std::string> names;
  auto traverser = DirectoryTraverserFactory::createTraverser(dir);
  traverser->AddFileToSkip("none");
  for (std::string file; traverser->getNextFile(file);) names.insert(file.substr(dir.size() + 1));
  return names;
}

class PreProcess : public testing::Test {
 protected:
  void SetUp() override {
    setenv("REFINE_PREPROCESS_SCRIPT", kStandIn.c_str(), 1);
    ASSERT_NE(nullptr, getcwd(cwd_, sizeof cwd_));
    // Commands a shell would run write here.
    ASSERT_EQ(0, chdir(dir_.path().c_str()));
  }
  void TearDown() override {
    unsetenv("REFINE_PREPROCESS_SCRIPT");
    ASSERT_EQ(0, chdir(cwd_));
  }

  testsupport::TempDir dir_;
  char cwd_[4096];
};

TEST_F(PreProcess, ScriptPath) {
  EXPECT_EQ(kStandIn, PreProcessScriptPath());
  setenv("REFINE_PREPROCESS_SCRIPT", "", 1);
  EXPECT_EQ("/usr0/ulbe/Movarin/bin/PreProcessLogFiles.pl", PreProcessScriptPath());
  unsetenv("REFINE_PREPROCESS_SCRIPT");
  EXPECT_EQ("/usr0/ulbe/Movarin/bin/PreProcessLogFiles.pl", PreProcessScriptPath());
}

TEST_F(PreProcess, TheStandInWritesTheNormalisedCopy) {
  const std::string path = dir_.write("a.log", kRawLog);
  CIPtr ci = NewCI();
  ci->LoadEmendoLogFile(path.c_str(), nullptr);
  EXPECT_EQ(
      "submit = FIX TRANSLATION\nsl = the red car\ntl1 = el coche roja\n"
      "tl1-al = ((1,1),(2,3),(3,2))\n\"the red car\"\n\"el coche roja\"\n" +
          kSep + "\nCurrent Word Edited\n\"roja\" \"rojo\"\n" + kSep + "\nFinal Sentences\n",
      testsupport::ReadFile(path + ".processed"));
  EXPECT_EQ("el coche rojo ", ci->GetCTLSentence());
  EXPECT_EQ(1, ci->GetNumActions());
}

// Former fault: the name was pasted into a shell command line.
TEST_F(PreProcess, FileNamesReachTheScriptUninterpreted) {
  const std::string names[] = {
      "q'uote\"s; touch PWNED1 #.log",
      "$(touch PWNED2).log",
      "`touch PWNED3`.log",
      "x | touch PWNED4 && touch PWNED5 & touch PWNED6\n.log",
      "-starts with a dash * ? [a].log",
  };
  std::set<std::string> expected;
  for (const std::string& name : names) {
    const std::string path = dir_.write(name, kRawLog);
    CIPtr ci = NewCI();
    ci->LoadEmendoLogFile(path.c_str(), nullptr);
    // Only the copy written for exactly this name makes the log readable.
    EXPECT_EQ("el coche rojo ", ci->GetCTLSentence()) << name;
    expected.insert(name);
    expected.insert(name + ".processed");
  }
  std::set<std::string> all;
  for (const std::string& name : Entries(".")) all.insert(name);
  // Entries() leaves out the copies of logs, so list them by hand.
  for (const std::string& name : names) {
    struct stat st;
    if (stat((name + ".processed").c_str(), &st) == 0) all.insert(name + ".processed");
  }
  EXPECT_EQ(expected, all);
}

// Former fault: the script's output went to a pipe that nobody read.
TEST_F(PreProcess, AChattyScriptDoesNotBlock) {
  const std::string script =
      dir_.write("chatty.pl",
                 "#!/usr/bin/perl\nprint \"x\" x 1000, \"\\n\" for 1 .. 2000;\n"
                 "open(my $o, '>', \"$ARGV[0].processed\") or die;\n"
                 "print $o \"submit = GOOD TRANSLATION\\nsl = a\\ntl1 = copy\\n\";\nclose($o);\n");
  ASSERT_EQ(0, chmod(script.c_str(), 0755));
  setenv("REFINE_PREPROCESS_SCRIPT", script.c_str(), 1);
  const std::string path = dir_.write("b.log", "submit = GOOD TRANSLATION\nsl = a\ntl1 = raw\n");
  CIPtr ci = NewCI();
  ci->LoadEmendoLogFile(path.c_str(), nullptr);
  EXPECT_EQ("copy ", ci->GetTLSentence());
}

TEST_F(PreProcess, AScriptThatCannotRunLeavesTheLogAsItIs) {
  setenv("REFINE_PREPROCESS_SCRIPT", dir_.file("no-such-script").c_str(), 1);
  const std::string path = dir_.write("c.log", "submit = GOOD TRANSLATION\nsl = a\ntl1 = raw\n");
  EXPECT_FALSE(PreProcessLogFile(path));
  CIPtr ci = NewCI();
  ci->LoadEmendoLogFile(path.c_str(), nullptr);
  EXPECT_EQ("raw ", ci->GetTLSentence());
}

}  // namespace
