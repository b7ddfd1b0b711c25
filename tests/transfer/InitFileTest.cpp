// tests/transfer/InitFileTest.cpp
// Running initialisation files through the command interpreter.
#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "tests/support/RunProgram.h"
#include "tests/transfer/StreamCapture.h"
#include "transfer/transfer.h"

namespace {

using testsupport::TempDir;

const std::string kGrammar = std::string(REFINE_TEST_DATA) + "/grammar.trf";

TEST(InitFile, RunsEveryLineInOrder) {
  TempDir dir;
  // Comments, blank lines, DOS line ends and a last line without a line end.
  const std::string init = dir.write("init.txt",
                                     "; engine settings\n"
                                     "\n"
                                     "NormalizeCase upper\r\n"
                                     "findall ON\n"
                                     "LOADGRA " +
                                         kGrammar +
                                         " ; the test grammar\n"
                                         "unkpolicy *delete*\n"
                                         "   ;timer on\n"
                                         "debugstatus");
  TransferEngine e;
  StreamCapture out(std::cout);
  StreamCapture err(std::cerr);
  e.initFromFile(init);
  EXPECT_EQ(out.text(),
            "Setting normalizecase to UPPER-CASE\n"
            "Setting find all translations to ON\n"
            "Loading rule file " +
                kGrammar +
                " with 11 rules added\n"
                "Setting unknown policy to \"*delete*\"\n"
                "Minimal debug : OFF\n"
                "Grammar debug : OFF\n"
                "Parse debug   : OFF\n"
                "Traverse debug: OFF\n"
                "Transfer debug: OFF\n"
                "FS debug      : OFF\n"
                "Step debug    : OFF\n"
                "Fill debug    : OFF\n"
                "Find all      : ON\n");
  EXPECT_EQ(err.text(), "");
  EXPECT_EQ(e.rules.size(), 11u);
  EXPECT_FALSE(e.tracktime);
}

TEST(InitFile, AFileThatCannotBeReadIsReportedAndSkipped) {
  TempDir dir;
  for (const std::string& path : {dir.file("missing.txt"), dir.path()}) {
    SCOPED_TRACE(path);
    TransferEngine e;
    StreamCapture out(std::cout);
    StreamCapture err(std::cerr);
    e.initFromFile(path);
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(err.text(), "Cannot open init file " + path + "\n");
    EXPECT_EQ(e.unkpolicy, "*copy*");
  }
}

// Quitting ends the process at once: the lines before it have run, the
// lines after it never do.
TEST(InitFile, QuitEndsTheProgramWithStatusZero) {
  TempDir dir;
  const std::string before = dir.file("before.trf");
  const std::string after = dir.file("after.trf");
  const std::string init = dir.write("init.txt", "loadgra " + kGrammar + "\nsavegra " + before +
                                                     "\nquit\nsavegra " + after + "\n");
  EXPECT_EXIT(
      {
        TransferEngine e;
        e.initFromFile(init);
        std::cerr << "still running";
      },
      ::testing::ExitedWithCode(0), "^$");
  EXPECT_NE(testsupport::ReadFile(before).find("{PP,1}"), std::string::npos);
  EXPECT_EQ(testsupport::ReadFile(after), "");
}

}  // namespace
