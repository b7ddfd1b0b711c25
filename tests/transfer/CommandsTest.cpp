// tests/transfer/CommandsTest.cpp
// The command language: settings, switches, rule commands, rule debugging,
// help, comments and quitting.
#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "tests/support/RunProgram.h"
#include "tests/transfer/StreamCapture.h"
#include "transfer/transfer.h"

namespace {

using testsupport::ReadFile;
using testsupport::TempDir;

const std::string kGrammar = std::string(REFINE_TEST_DATA) + "/grammar.trf";
const std::string kLexicon = std::string(REFINE_TEST_DATA) + "/lexicon.trf";

struct Output {
  std::string out;
  std::string err;
};

// Runs the lines through the interpreter and collects both streams.
Output RunLines(TransferEngine& e, const std::vector<std::string>& lines) {
  StreamCapture out(std::cout);
  StreamCapture err(std::cerr);
  for (const std::string& line : lines) e.processCommand(line);
  return {out.text(), err.text()};
}

std::string Out(TransferEngine& e, const std::string& line) { return RunLines(e, {line}).out; }

TEST(Commands, HelpPrintsTheCommandSummary) {
  const std::string expected =
      "TRANSFER ENGINE COMMANDS: \n"
      "** Translation\n"
      "trans sentence         : Translate sentence\n"
      "parse sentence         : Parse sentence and show results\n"
      "transfile filename     : Translate sentences in filename\n"
      "decode lattice         : Decode an existing lattice\n"
      "smtfile srcfile tgtfile : Translate srcfile to tgtfile using language model\n"
      "sgmlout [on|off]       : Turn on or off SGML output for translations\n"
      "uselm index lm         : Specify index file and language model file to use\n"
      "srclang LangName       : Name of source language\n"
      "tgtlang LangName       : Name of target language\n"
      "docid string           : Document ID to use in SGML output file\n"
      "sysid string           : System ID to use in SGML output file\n"
      "includesource [on|off] : Include source sentence/debugging info in output\n"
      "allowedpartials ...    : Specify constituent types allowed in partial translations\n"
      "findall [on|off]       : Show all possible translations\n"
      "timer [on|off]         : Display how long a translation took\n"
      "unkpolicy [*copy*|*delete*|word] : Set policy for handling unknown words\n"
      "openclass ...          : Specify parts of speech to use for an unknown word\n"
      "lengthlimit n          : Limit length of transfered constituents to n and below\n"
      "** MEMT\n"
      "smtfull file [outfile] : Produce a lattice suitable for input to stat decoder\n"
      "latticedups [on|off]   : Allow duplicate entries in lattice\n"
      "latticebeam            : Size of beam to use when producing lattices, decoding\n"
      "gzip [on|off]          : Gzip lattice output file\n"
      "** Morphology\n"
      "morphserver host port  : Connect to morphology server on host, port\n"
      "genmorphserver host port : Connect to generation morphology server on host, port\n"
      "morphdir directory     : Load PC-Kimmo files from directory\n"
      "domorph WORD           : Run morphology on WORD and print results\n"
      "parsebyfs [on|off]     : Do parsing by feature structure of whole sentence\n"
      "alwaysmorph [on|off]   : Always run morphology first if on\n"
      "** Rule Management\n"
      "rule ID                : Print rule ID\n"
      "loadgra filename       : Load grammar rules in filename\n"
      "reloadgra filename     : Load grammar rules in filename, overwrite duplicates\n"
      "loadlex filename       : Load lexicon in filename\n"
      "savegra filename       : Save all transfer rules to filename\n"
      "savelex filename       : Save all lexical rules to filename\n"
      "deln N                 : Delete last N previously added rules\n"
      "del ID                 : Delete rule ID\n"
      "allrules               : Print out all currently loaded rules\n"
      "alllexicon             : Print out all currently loaded lexical rules\n"
      "listruleids type       : Print ids of rules of src type\n"
      "clearall               : Delete all rules, clear engine\n"
      "** Debugging\n"
      "parsedebug [on|off]    : Turn on/off parsing debug\n"
      "traversedebug [on|off] : Turn on/off debug showing parse\n"
      "transferdebug [on|off] : Turn on/off transfer stage debug\n"
      "fsdebug [on|off]       : Turn on/off display of feature structures\n"
      "filldebug [on|off]     : Turn on/off fill/constraint pass debug\n"
      "stepdebug [on|off]     : Turn on/off stepping through debug\n"
      "grammardebug [on|off]  : Turn on/off grammar load debugging\n"
      "minimaldebug [on|off]  : Print highlights of debugging info\n"
      "enginedebug [on|off]   : Turn on/off extra debugging info (experts only)\n"
      "alldebug               : Turn on all debug states\n"
      "alloff                 : Turn off all debug states\n"
      "quiet                  : Turn off all debug states\n"
      "debugstatus            : Show status of all debug states\n"
      "showtrace [off|top|all|src] : Show trace info when includesource is on\n"
      "addwatch ID            : Stop before executing transfer rule ID\n"
      "rmwatch ID             : Remove rule ID from watch list\n"
      "listwatches            : List all rules on watch list\n"
      "addfail ID             : Always fail when running rule ID\n"
      "rmfail ID              : Remove ID from fail list\n"
      "listfails              : List all rules on fail list \n"
      "** Rule Learning\n"
      "addfilter ID           : Add one time rule filter for rule ID\n"
      "rmfilter ID            : Remove one time rule filter for rule ID\n"
      "listfilters            : List all current filters\n"
      "** General\n"
      "utf8                   : Assume all text is in UTF-8\n"
      "latin1                 : Assume all text is in Latin-1 (ISO-8859-1)\n"
      "normalizecase [off|upper|lower] : Normalize case as specified\n"
      "help|h                 : Show this message\n"
      "quit, exit             : Exit the program\n";
  TransferEngine e;
  EXPECT_EQ(Out(e, "help"), expected);
  EXPECT_EQ(Out(e, "H"), expected);
}

TEST(Commands, DebugStatusAndDebugGroups) {
  TransferEngine e;
  const std::string allOff =
      "Minimal debug : OFF\n"
      "Grammar debug : OFF\n"
      "Parse debug   : OFF\n"
      "Traverse debug: OFF\n"
      "Transfer debug: OFF\n"
      "FS debug      : OFF\n"
      "Step debug    : OFF\n"
      "Fill debug    : OFF\n"
      "Find all      : OFF\n";
  EXPECT_EQ(Out(e, "debugstatus"), allOff);

  EXPECT_EQ(Out(e, "alldebug"), "Turning on all debug output\n");
  EXPECT_EQ(Out(e, "debugstatus"),
            "Minimal debug : ON\n"
            "Grammar debug : ON\n"
            "Parse debug   : ON\n"
            "Traverse debug: ON\n"
            "Transfer debug: ON\n"
            "FS debug      : ON\n"
            "Step debug    : ON\n"
            "Fill debug    : ON\n"
            "Find all      : OFF\n");
  // The group leaves the switches outside it alone.
  EXPECT_FALSE(e.enginedebug);
  EXPECT_EQ(e.debug, 1);

  EXPECT_EQ(Out(e, "quiet"), "Turning off all debug output\n");
  EXPECT_EQ(Out(e, "debugstatus"), allOff);
  Out(e, "allon");
  EXPECT_EQ(Out(e, "alloff"), "Turning off all debug output\n");
  EXPECT_EQ(Out(e, "debugstatus"), allOff);
  Out(e, "findall on");
  EXPECT_EQ(Out(e, "debugstatus"), allOff.substr(0, allOff.size() - 4) + "ON\n");
}

// Every on/off switch: its confirmation text and the member it sets.
TEST(Commands, OnOffSwitchesConfirmWithTheirState) {
  using E = TransferEngine;
  struct Case {
    const char* command;
    std::function<bool(const E&)> member;
    const char* confirmation;
  };
  const Case cases[] = {
      {"sortrules", [](const E& e) { return e.sortrules; }, "Setting rule sorting to "},
      {"skipsort", [](const E& e) { return e.skipsort; }, "Setting skipped word arc sorting to "},
      {"alwaysmorph", [](const E& e) { return e.alwaysdomorph; },
       "Setting always do morphology to "},
      {"checklexicon", [](const E& e) { return e.checklexicon; },
       "Setting always check lexicon w/ original word to "},
      {"parsebyfs", [](const E& e) { return e.byfs; }, "Setting do morphology by sentence to "},
      {"includesource", [](const E& e) { return e.includesource; },
       "Setting output source text to "},
      {"includetrace", [](const E& e) { return e.includesource; },
       "Setting output source text to "},
      {"enginedebug", [](const E& e) { return e.enginedebug; }, "Setting engine debug to "},
      {"lmdebug", [](const E& e) { return e.lmdebug; }, "Setting language model debug to "},
      {"attemptdebug", [](const E& e) { return e.attemptdebug; }, "Setting attempt debug to "},
      {"decodedebug", [](const E& e) { return e.decodedebug; }, "Setting decode debug to "},
      {"grammardebug", [](const E& e) { return e.debug == 1; }, "Setting grammar debug to "},
      {"uselimits", [](const E& e) { return e.uselimits; },
       "Setting use limits during transfer to "},
      {"parsedebug", [](const E& e) { return e.parsedebug; }, "Setting parse debug to "},
      {"traversedebug", [](const E& e) { return e.traversedebug; }, "Setting traverse debug to "},
      {"transferdebug", [](const E& e) { return e.transferdebug; }, "Setting transfer debug to "},
      {"fsdebug", [](const E& e) { return e.fsdebug; }, "Setting feature unification debug to "},
      {"filldebug", [](const E& e) { return e.filldebug; }, "Setting feature filling debug to "},
      {"minimaldebug", [](const E& e) { return e.minimaldebug; }, "Setting minimal debug to "},
      {"stepdebug", [](const E& e) { return e.stepdebug; }, "Setting step by step debug to "},
      {"findall", [](const E& e) { return e.findalltrans; }, "Setting find all translations to "},
      {"timer", [](const E& e) { return e.tracktime; }, "Setting timer to "},
      {"sgmlout", [](const E& e) { return e.sgmloutput; }, "Setting sgml output to "},
      {"logdomain", [](const E& e) { return e.logdomain; }, "Setting -log domain scoring to "},
      {"gzip", [](const E& e) { return e.gzip; }, "Setting gzip lattice output to "},
      {"latticedups", [](const E& e) { return e.latticedups; },
       "Setting allow lattice duplicates to "},
      {"arcscores", [](const E& e) { return e.usearcscores; }, "Setting calculate arc scores to "},
      {"randomscores", [](const E& e) { return e.randomscores; }, "Setting random scores to "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    const std::string cmd = c.command;
    const std::string on = std::string(c.confirmation) + "ON\n";
    const std::string off = std::string(c.confirmation) + "OFF\n";
    TransferEngine e;
    EXPECT_EQ(Out(e, cmd + " on"), on);
    EXPECT_TRUE(c.member(e));
    // Any other word leaves the switch as it is and reports it.
    EXPECT_EQ(Out(e, cmd + " maybe"), on);
    EXPECT_TRUE(c.member(e));
    // Command word and argument are both case-insensitive.
    EXPECT_EQ(Out(e, "\t" + std::string(1, static_cast<char>(std::toupper(cmd[0]))) +
                         cmd.substr(1) + "  OFF extra"),
              cmd == "arcscores" ? "Wrong number of arguments" : off);
    if (cmd != "arcscores") {
      EXPECT_FALSE(c.member(e));
      EXPECT_EQ(Out(e, cmd + " nonsense"), off);
    }
  }
}

TEST(Commands, SwitchesWithoutTheirArgument) {
  TransferEngine e;
  EXPECT_EQ(Out(e, "timer"), "Too few arguments\n");
  EXPECT_EQ(Out(e, "grammardebug"), "Too few arguments\n");
  EXPECT_EQ(Out(e, "parsebyfs"), "Too few arguments\n");
  EXPECT_EQ(e.morphtype, TransferEngine::OFF);
  EXPECT_EQ(Out(e, "arcscores"), "Wrong number of arguments");
  EXPECT_EQ(Out(e, "arcscores on off"), "Wrong number of arguments");
  EXPECT_FALSE(e.usearcscores);

  // parsebyfs analyses whole sentences whatever its argument.
  EXPECT_EQ(Out(e, "parsebyfs off"), "Setting do morphology by sentence to OFF\n");
  EXPECT_EQ(e.morphtype, TransferEngine::WHOLESENT);
}

TEST(Commands, RandomScoresRescoreTheLoadedRules) {
  TransferEngine e;
  e.addNewRule(
      "{NP,1} NP::NP [N] -> [N] ( (*score* 5) )\n"
      "{NP,2} NP::NP [N] -> [N] ( (*score* 7) )\n"
      "{NP,3} NP::NP [N] -> [N] ( (*score* 9) )\n"
      "{VP,1} VP::VP [V] -> [V] ( (*score* 3) )\n");
  ASSERT_EQ(e.rules.size(), 4u);
  ASSERT_EQ(e.parsegroups.size(), 2u);
  EXPECT_EQ(Out(e, "randomscores"), "Turning on random scores\n");
  EXPECT_TRUE(e.randomscores);
  for (int round = 0; round < 2; ++round) {
    for (const auto& r : e.rules) {
      EXPECT_GE(r->score, 0) << r->ruleid;
      EXPECT_LE(r->score, 1000) << r->ruleid;
      EXPECT_EQ(r->score, static_cast<float>(static_cast<int>(r->score))) << r->ruleid;
    }
    const ParseGroup& np = *e.parsegroups[0];
    ASSERT_EQ(np.trules.size(), 3u);
    EXPECT_GE(e.rules[np.trules[0]]->score, e.rules[np.trules[1]]->score);
    EXPECT_GE(e.rules[np.trules[1]]->score, e.rules[np.trules[2]]->score);
    EXPECT_EQ(np.score, e.rules[np.trules[0]]->score);
    EXPECT_EQ(e.parsegroups[1]->score, e.rules[3]->score);
    if (round == 0) {
      EXPECT_EQ(Out(e, "randomscores ON"), "Setting random scores to ON\n");
    }
  }
  EXPECT_EQ(Out(e, "randomscores off"), "Setting random scores to OFF\n");
  EXPECT_FALSE(e.randomscores);
}

TEST(Commands, SettingsWithAValue) {
  struct Case {
    std::vector<std::string> lines;
    const char* out;
    std::function<bool(const TransferEngine&)> check;
  };
  using E = TransferEngine;
  const Case cases[] = {
      {{"normalizecase"},
       "Setting normalizecase to Off\n",
       [](const E& e) { return e.normalizecase == 0; }},
      {{"normalizecase UPPER"},
       "Setting normalizecase to UPPER-CASE\n",
       [](const E& e) { return e.normalizecase == 1; }},
      {{"normalizecase on"},
       "Setting normalizecase to UPPER-CASE\n",
       [](const E& e) { return e.normalizecase == 1; }},
      {{"normalizecase lower", "normalizecase upper lower", "normalizecase sideways"},
       "Setting normalizecase to lower-case\n"
       "Setting normalizecase to lower-case\n"
       "Setting normalizecase to lower-case\n",
       [](const E& e) { return e.normalizecase == 2; }},
      {{"normalizecase lower", "normalizecase off"},
       "Setting normalizecase to lower-case\nSetting normalizecase to Off\n",
       [](const E& e) { return e.normalizecase == 0; }},
      {{"showtrace src"},
       "Setting showtrace to full trace with src indices\n",
       [](const E& e) { return e.showtrace == 3; }},
      {{"showtrace TOP", "showtrace all", "showtrace toprule", "showtrace full", "showtrace on",
        "showtrace"},
       "Setting showtrace to top rule only\n"
       "Setting showtrace to full trace\n"
       "Setting showtrace to top rule id only\n"
       "Setting showtrace to full trace\n"
       "Setting showtrace to top rule only\n"
       "Setting showtrace to top rule only\n",
       [](const E& e) { return e.showtrace == 1; }},
      {{"showtrace all", "showtrace off on"},
       "Setting showtrace to full trace\nSetting showtrace to full trace\n",
       [](const E& e) { return e.showtrace == 2; }},
      {{"showtrace off"},
       "Setting showtrace to off\n",
       [](const E& e) { return e.showtrace == 0; }},
      {{"unkpolicy *Delete*"},
       "Setting unknown policy to \"*Delete*\"\n",
       [](const E& e) { return e.unkpolicy == "*Delete*"; }},
      {{"unkpolicy"},
       "Wrong number of arguments",
       [](const E& e) { return e.unkpolicy == "*copy*"; }},
      {{"srclang English", "tgtlang Spanish"},
       "Setting source language name to \"English\"\nSetting target language name to \"Spanish\"\n",
       [](const E& e) { return e.srclangname == "English" && e.tgtlangname == "Spanish"; }},
      {{"srclang", "tgtlang", "docid", "sysid"},
       "Wrong number of argumentsWrong number of argumentsWrong number of argumentsWrong number "
       "of arguments",
       [](const E& e) {
         return e.srclangname == "srclang" && e.tgtlangname == "tgtlang" &&
                e.sgmldocid == "document" && e.sgmlsysid == "DAVU";
       }},
      {{"docid doc-7", "SYSID Sys1"},
       "Setting document id to \"doc-7\"\nSetting system id to \"Sys1\"\n",
       [](const E& e) { return e.sgmldocid == "doc-7" && e.sgmlsysid == "Sys1"; }},
      {{"lengthlimit 12"},
       "Setting constituent word length limit to 12\n",
       [](const E& e) { return e.lengthlimit == 12; }},
      {{"parsepruning 3", "xferpruning 4", "lexpruning 5"},
       "Setting parse pruning level to 3\n"
       "Setting transfer pruning level to 4\n"
       "Setting lexical pruning level to 5\n",
       [](const E& e) { return e.parseprune == 3 && e.xferprune == 4 && e.lexprune == 5; }},
      {{"parsebeam -2"}, "", [](const E& e) { return e.parsebeam == -2; }},
      {{"lmweight 0.25", "ruleweight 2"},
       "Setting language model weight to 0.25\nSetting rule score weight to 2\n",
       [](const E& e) { return e.lmWeight == 0.25 && e.ruleWeight == 2.0; }},
      {{"latticebeam 0", "rangebeam off"},
       "No limits on lattice output for a given range.\n"
       "No limits on lattice output for a given range.\n",
       [](const E& e) { return e.latticebeam == 0; }},
      {{"rangebeam 15"},
       "Limit lattice output for a given range to 15 arcs.\n",
       [](const E& e) { return e.latticebeam == 15; }},
      {{"latticebeam 15", "latticebeam off"},
       "Limit lattice output for a given range to 15 arcs.\n"
       "No limits on lattice output for a given range.\n",
       [](const E& e) { return e.latticebeam == 0; }},
      {{"lengthlimit", "parsepruning", "parsebeam", "lmweight", "latticebeam", "topnode", "setlog"},
       "Too few arguments\nToo few arguments\nToo few arguments\nToo few arguments\n"
       "Too few arguments\nToo few arguments\nToo few arguments\n",
       [](const E& e) {
         return e.lengthlimit == 0 && e.parseprune == 0 && e.parsebeam == 0 && e.lmWeight == 1.0 &&
                e.topNode == std::set<std::string>{"S"};
       }},
      {{"setlog stdout", "setlog null"}, "", [](const E&) { return true; }},
      {{"utf8"}, "Turning on UTF-8 mode\n", [](const E& e) { return e.utf8 && e.utools; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.front());
    TransferEngine e;
    const Output o = RunLines(e, c.lines);
    EXPECT_EQ(o.out, c.out);
    EXPECT_EQ(o.err, "");
    EXPECT_TRUE(c.check(e));
  }
}

// A number that is not one is reported and changes nothing: it never
// becomes 0 ("no limit") or wraps around.
TEST(Commands, MalformedNumbersAreRefused) {
  struct Case {
    const char* line;
    const char* err;
  };
  const Case cases[] = {
      {"lengthlimit abc",
       "lengthlimit: expected a whole number from 0 to 4294967295, found \"abc\"\n"},
      {"lengthlimit -3",
       "lengthlimit: expected a whole number from 0 to 4294967295, found \"-3\"\n"},
      {"lengthlimit 5x",
       "lengthlimit: expected a whole number from 0 to 4294967295, found \"5x\"\n"},
      {"xferpruning 99999999999",
       "xferpruning: expected a whole number from 0 to 4294967295, found \"99999999999\"\n"},
      {"parsebeam many",
       "parsebeam: expected a whole number from -2147483648 to 2147483647, found \"many\"\n"},
      {"latticebeam OFF",
       "latticebeam: expected a whole number from 0 to 4294967295, found \"OFF\"\n"},
      {"rangebeam -1", "rangebeam: expected a whole number from 0 to 4294967295, found \"-1\"\n"},
      {"lmweight heavy", "lmweight: expected a number, found \"heavy\"\n"},
      {"ruleweight nan", "ruleweight: expected a number, found \"nan\"\n"},
      {"deln two", "deln: expected a whole number from -2147483648 to 2147483647, found \"two\"\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    TransferEngine e;
    e.lengthlimit = 7;
    e.xferprune = 2;
    e.latticebeam = 9;
    const Output o = RunLines(e, {c.line});
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, c.err);
    EXPECT_EQ(e.lengthlimit, 7u);
    EXPECT_EQ(e.xferprune, 2u);
    EXPECT_EQ(e.parsebeam, 0);
    EXPECT_EQ(e.latticebeam, 9u);
    EXPECT_EQ(e.lmWeight, 1.0);
    EXPECT_EQ(e.ruleWeight, 0.0);
  }
}

TEST(Commands, CategoryListsTakeTheCasePolicy) {
  TransferEngine e;
  EXPECT_EQ(Out(e, "normalizecase upper"), "Setting normalizecase to UPPER-CASE\n");
  EXPECT_EQ(Out(e, "openclass n v adj"), "");
  EXPECT_EQ(e.openclass, (std::vector<std::string>{"N", "V", "ADJ"}));
  EXPECT_EQ(Out(e, "openclass"), "N\nV\nADJ\n");

  EXPECT_EQ(Out(e, "allowedpartials np pp np"), "");
  EXPECT_EQ(e.allowedpartials, (std::set<std::string>{"NP", "PP"}));
  EXPECT_EQ(Out(e, "partialfilter vp"), "");
  EXPECT_EQ(e.allowedpartials, (std::set<std::string>{"VP"}));
  EXPECT_EQ(Out(e, "allowedpartials"), "");
  EXPECT_EQ(e.allowedpartials, (std::set<std::string>{"VP"}));

  EXPECT_EQ(Out(e, "topnode s np"), "");
  EXPECT_EQ(e.topNode, (std::set<std::string>{"S", "NP"}));
  EXPECT_EQ(Out(e, "normalizecase off"), "Setting normalizecase to Off\n");
  Out(e, "topnode Sent");
  EXPECT_EQ(e.topNode, (std::set<std::string>{"Sent"}));
}

TEST(Commands, Latin1ModeKeepsUtf8) {
  TransferEngine e;
  Out(e, "utf8");
  const Output o = RunLines(e, {"latin1"});
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(o.out, "Turning on Latin-1 mode\n");
  EXPECT_TRUE(e.utf8);
}

TEST(Commands, CommentsEmptyLinesAndWordSplitting) {
  TransferEngine e;
  const Output o = RunLines(e, {"", "   \t ", "; timer on", "   ;timer on", "timer on ; off",
                                "unkpolicy a;b ;c", "sysid\vx\fy"});
  EXPECT_EQ(o.out,
            "Setting timer to ON\n"
            "Setting unknown policy to \"a;b\"\n"
            "Setting system id to \"x\"\n");
  EXPECT_EQ(o.err, "");
  EXPECT_TRUE(e.tracktime);
}

// Lines that are not commands are sentences; without a translation
// pipeline they are refused on the error stream and change nothing.
TEST(Commands, OtherLinesAreNotCommands) {
  TransferEngine e;
  const Output o = RunLines(e, {"morphdir /tmp/kimmo", "the dog sleeps"});
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err,
            "Not a command, and sentences cannot be translated by this engine: morphdir "
            "/tmp/kimmo\n"
            "Not a command, and sentences cannot be translated by this engine: the dog sleeps\n");
}

class RuleCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    const Output o = RunLines(e, {"loadgra " + kGrammar});
    ASSERT_EQ(o.out, "Loading rule file " + kGrammar + " with 11 rules added\n");
    ASSERT_EQ(o.err, "");
  }
  TransferEngine e;
  TempDir dir;
};

TEST_F(RuleCommands, LoadingAndReloading) {
  // A second load refuses every known ID.
  Output o = RunLines(e, {"LoadRules " + kGrammar + " ; the rest is a comment"});
  EXPECT_EQ(o.out, "Loading rule file " + kGrammar + " with 0 rules added\n");
  EXPECT_NE(o.err.find("Already have a rule with the ID: S,1\nSkipping rule...\n"),
            std::string::npos);

  // Reloading replaces each rule, and duplicates are refused again after.
  o = RunLines(e, {"reloadgra " + kGrammar});
  EXPECT_EQ(o.out, "Loading rule file " + kGrammar + " with 0 rules added\n");
  EXPECT_EQ(o.err, "");
  EXPECT_FALSE(e.overwritedups);
  EXPECT_EQ(e.rulelookup.at("PP,1"), 10u);
  e.overwritedups = true;
  Out(e, "reloadrules " + kGrammar);
  EXPECT_TRUE(e.overwritedups);
  e.overwritedups = false;

  o = RunLines(
      e, {"loadgra", "reloadgra", "loadlex", "loadcontext", "loadgra " + dir.file("missing.trf")});
  EXPECT_EQ(o.out,
            "Wrong number of argumentsWrong number of argumentsToo few arguments\n"
            "Too few arguments\n"
            "Loading rule file " +
                dir.file("missing.trf") + " with 0 rules added\n");
  EXPECT_EQ(o.err, "Unable to open " + dir.file("missing.trf") + ".\n");
  EXPECT_EQ(e.rules.size(), 11u);
}

TEST_F(RuleCommands, LexiconAndContextFiles) {
  EXPECT_EQ(Out(e, "loadlex " + kLexicon),
            "Loading lexicon file " + kLexicon + " with 71 lexical entries added\n");
  EXPECT_FALSE(e.lexiconfiledb.empty());

  const std::string scores = dir.write("scores.txt", "NP VP\t0.5\n");
  EXPECT_EQ(Out(e, "loadcontext " + scores), "Loading context scores file:  " + scores + "\n");
  EXPECT_EQ(e.contextscores.at("NP VP"), 0.5);
}

TEST_F(RuleCommands, ListingRulesAndGroups) {
  EXPECT_EQ(Out(e, "rule PP,1"),
            "\n{PP,1}\nPP::PP : [PREP NP] -> [PREP NP]\n(\n; Correspondences\n (X1::Y1)\n"
            " (X2::Y2)\n (*score* 0)\n; Parse\n ((X0 form) = (X1 form))\n ((X2 case) = acc)\n"
            ")\n\n");
  EXPECT_EQ(Out(e, "rule 1 VP,1"), "\n" + e.getRule("NP,1") + "\n" + e.getRule("VP,1"));
  // Numbers that name no rule and IDs that are not loaded print nothing.
  EXPECT_EQ(Out(e, "rule 11 -1 99999999999999999999 x 1x pp,1"), "");
  EXPECT_EQ(Out(e, "rule"), "Too few arguments\n");

  EXPECT_EQ(Out(e, "pg 2"), "NP,2 \n");
  EXPECT_EQ(Out(e, "pg 11"), "");
  EXPECT_EQ(Out(e, "pg -1"), "");
  EXPECT_EQ(Out(e, "pg"), "Too few arguments\n");
  e.addNewRule("{NP,9} NP::NP : [N] -> [N] ( (X1::Y1) ((x0 agr) = (x1 agr)) )");
  EXPECT_EQ(Out(e, "pg 1"), "NP,1 NP,9 \n");

  EXPECT_EQ(Out(e, "allpgs"),
            "S : S,1 \n"
            "NP : NP,1 NP,9 \n"
            "NP : NP,2 \n"
            "NP : NP,3 \n"
            "NP : NP,4 \n"
            "NP : NP,5 \n"
            "VP : VP,1 \n"
            "VP : VP,2 \n"
            "VP : VP,3 \n"
            "VP : VP,4 \n"
            "PP : PP,1 \n");
  EXPECT_EQ(Out(e, "allparsegroups"), Out(e, "allpgs"));

  EXPECT_EQ(Out(e, "allrules"), e.getAllRules());
  e.addNewRule("{N,1} N::N |: [\"dog\"] -> [\"perro\"] ()");
  EXPECT_EQ(Out(e, "alllexicon"),
            "{N,1}\nN::N |: [\"dog\"] -> [\"perro\"]\n(\n; Correspondences\n (*score* 0)\n)\n\n");
}

TEST(RuleCommandsLower, ListRuleIdsShowsGroupsUnderAFirstCategory) {
  TransferEngine e;
  RunLines(e, {"normalizecase lower", "loadgra " + kGrammar});
  EXPECT_EQ(Out(e, "listruleids DET"),
            "In firstrhs_rules 2 np,2\n"
            "In firstrhs_rules 3 np,3\n");
  EXPECT_EQ(Out(e, "listruleids v"),
            "In firstrhs_rules 6 vp,1\n"
            "In firstrhs_rules 7 vp,2\n"
            "In firstrhs_rules 8 vp,3\n"
            "In firstrhs_rules 9 vp,4\n");
  EXPECT_EQ(Out(e, "listruleids nothing"), "");
  EXPECT_EQ(Out(e, "listruleids"), "Too few arguments\n");
}

TEST_F(RuleCommands, Deleting) {
  EXPECT_EQ(Out(e, "del VP,2"), "Deletion of VP,2 successful!\n");
  EXPECT_EQ(Out(e, "del VP,2"), "Deletion of VP,2 NOT successful.\n");
  EXPECT_EQ(Out(e, "del"), "Too few arguments\n");
  EXPECT_EQ(e.rules.size(), 10u);

  EXPECT_EQ(Out(e, "deln 2"), "");
  EXPECT_EQ(e.rules.size(), 8u);
  EXPECT_FALSE(e.rulelookup.count("PP,1"));
  EXPECT_FALSE(e.rulelookup.count("VP,4"));
  RunLines(e, {"deln 9", "deln -1", "deln 0", "deln"});
  EXPECT_EQ(e.rules.size(), 8u);

  // The ID takes the case policy.
  Out(e, "normalizecase upper");
  EXPECT_EQ(Out(e, "del np,1"), "Deletion of NP,1 successful!\n");

  e.openclass = {"N"};
  e.normalizecase = 0;
  EXPECT_EQ(Out(e, "clear"), "");
  EXPECT_EQ(e.rules.size(), 7u);
  EXPECT_EQ(Out(e, "clearall"), "Deleting all loaded rules.\n");
  EXPECT_TRUE(e.rules.empty());
  EXPECT_TRUE(e.parsegroups.empty());
  EXPECT_TRUE(e.openclass.empty());
  EXPECT_EQ(e.topNode, std::set<std::string>{"S"});
}

TEST_F(RuleCommands, SavingAndReadingBack) {
  const std::string file = dir.file("saved.trf");
  EXPECT_EQ(Out(e, "savegra " + file),
            "Saving to " + file + "\nSaving current grammar to " + file + "\n");
  TransferEngine copy;
  EXPECT_EQ(Out(copy, "loadgra " + file), "Loading rule file " + file + " with 11 rules added\n");
  EXPECT_EQ(copy.getAllRules(), e.getAllRules());

  e.addNewRule("{N,1} N::N |: [\"dog\"] -> [\"perro\"] ()");
  const std::string lex = dir.file("saved-lex.trf");
  EXPECT_EQ(Out(e, "SAVELEX " + lex),
            "Saving to " + lex + "\nSaving current lexicon to " + lex + "\n");
  EXPECT_EQ(ReadFile(lex),
            "{N,1}\nN::N |: [\"dog\"] -> [\"perro\"]\n(\n; Correspondences\n (*score* 0)\n)\n\n");

  // A file that cannot be written is not reported as saved.
  const std::string bad = dir.file("no/such/dir.trf");
  const Output o = RunLines(e, {"savegra " + bad, "savelex " + bad, "savegra", "savelex"});
  EXPECT_EQ(o.out,
            "Saving to " + bad + "\nSaving to " + bad + "\nToo few arguments\nToo few arguments\n");
  EXPECT_EQ(o.err, "Unable to open " + bad + "\nUnable to open " + bad + "\n");
}

TEST(RuleDebugCommands, ListsTakeLowerCasedIds) {
  TransferEngine e;
  RunLines(e, {"normalizecase lower", "loadgra " + kGrammar});
  EXPECT_EQ(Out(e, "addwatch NP,2 vp,1 xx,1"),
            "Adding rule watch : np,2\nAdding rule watch : vp,1\nAdding rule watch : xx,1\n");
  EXPECT_EQ(Out(e, "listwatches"), "np,2\nvp,1\n");
  EXPECT_EQ(Out(e, "rmwatch NP,2"), "Removing rule watch : np,2\n");
  EXPECT_EQ(Out(e, "listwatches"), "vp,1\n");

  EXPECT_EQ(Out(e, "addfail NP,3"), "");
  RunLines(e, {"addfail np,3", "addfail s,1", "addfail zz,9"});
  EXPECT_EQ(Out(e, "listfails"), "np,3\ns,1\n");
  Out(e, "rmfail S,1");
  EXPECT_EQ(Out(e, "listfails"), "np,3\n");

  EXPECT_EQ(Out(e, "addfilter NP,4"), "Rule filter for np index 4\n");
  EXPECT_EQ(Out(e, "addfilter vp,2"), "Rule filter for vp index 2\n");
  EXPECT_EQ(Out(e, "listfilters"), "np,4\nvp,2\n");
  Out(e, "rmfilter NP,1");
  EXPECT_EQ(Out(e, "listfilters"), "vp,2\n");

  const Output o =
      RunLines(e, {"addwatch", "rmwatch", "addfail", "rmfail", "addfilter", "rmfilter"});
  EXPECT_EQ(o.out,
            "Too few arguments\nToo few arguments\nToo few arguments\nToo few arguments\n"
            "Too few arguments\nToo few arguments\n");
}

TEST(Commands, QuitEndsTheProcessWithStatusZero) {
  for (const char* word : {"quit", "EXIT", "q", "  q now"}) {
    SCOPED_TRACE(word);
    EXPECT_EXIT(
        {
          TransferEngine e;
          e.processCommand("loadgra " + kGrammar);
          e.processCommand(word);
          std::cerr << "still running";
        },
        ::testing::ExitedWithCode(0), "^$");
  }
}

}  // namespace
