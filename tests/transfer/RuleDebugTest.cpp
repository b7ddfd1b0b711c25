// tests/transfer/RuleDebugTest.cpp
// Rule watches, the fail list, one-time filters and the step prompt.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>

#include "tests/transfer/StreamCapture.h"
#include "transfer/transfer.h"

namespace {

// Feeds text to standard input while it lives.
class InputFeed {
 public:
  explicit InputFeed(const std::string& text) : in_(text), old_(std::cin.rdbuf(in_.rdbuf())) {}
  ~InputFeed() {
    std::cin.rdbuf(old_);
    std::cin.clear();
  }
  InputFeed(const InputFeed&) = delete;
  InputFeed& operator=(const InputFeed&) = delete;
  // What the prompt has not read.
  std::string rest() {
    std::string r;
    std::getline(in_, r, '\0');
    return r;
  }

 private:
  std::istringstream in_;
  std::streambuf* old_;
};

// NP,8 and NP,3 loaded under the given case policy from rule text written
// in `idCase`.
void LoadRules(TransferEngine& e, int policy, bool upperIds) {
  e.normalizecase = policy;
  e.addNewRule(upperIds ? "{NP,8} NP::NP [N] -> [N] ()\n{NP,3} NP::NP [A] -> [A] ()\n"
                        : "{np,8} np::np [n] -> [n] ()\n{np,3} np::np [a] -> [a] ()\n");
}

TEST(RuleDebug, WatchesTakeLoadedRulesOnceUnderTheCasePolicy) {
  TransferEngine e;
  LoadRules(e, 1, true);
  EXPECT_EQ(e.addWatch("np,8"), 1);
  EXPECT_EQ(e.addWatch("NP,8"), 0);  // already watched
  EXPECT_EQ(e.addWatch("np,9"), 0);  // not loaded
  EXPECT_EQ(e.addWatch("NP,3"), 1);
  {
    StreamCapture out(std::cout);
    e.printWatches();
    EXPECT_EQ(out.text(), "NP,3\nNP,8\n");
  }
  EXPECT_EQ(e.deleteWatch("np,3"), 1);
  EXPECT_EQ(e.deleteWatch("np,3"), 0);
  e.deleteRule(std::string("NP,8"));
  EXPECT_TRUE(e.rulewatches.empty());
  e.addWatch("NP,3");
  e.deleteAllWatches();
  EXPECT_TRUE(e.rulewatches.empty());
}

TEST(RuleDebug, FailListAndFiltersTakeIdsAsGiven) {
  // Upper-case policy and upper-case IDs: lower-case IDs find nothing.
  TransferEngine upper;
  LoadRules(upper, 1, true);
  EXPECT_FALSE(upper.addRuleFail("np,8"));
  {
    StreamCapture out(std::cout);
    upper.addOneTimeRuleFilter(std::string("np,8"));
    EXPECT_EQ(out.text(), "");
  }
  EXPECT_TRUE(upper.rulefaillist.empty());
  EXPECT_TRUE(upper.rulefilters.empty());

  TransferEngine lower;
  LoadRules(lower, 2, true);
  EXPECT_TRUE(lower.addRuleFail("np,8"));
  EXPECT_TRUE(lower.addRuleFail("np,8"));
  EXPECT_TRUE(lower.addRuleFail("np,3"));
  EXPECT_EQ(lower.listRuleFails(), "np,3\nnp,8\n");
  EXPECT_TRUE(lower.removeRuleFail("np,3"));
  EXPECT_FALSE(lower.removeRuleFail("np,3"));
  EXPECT_EQ(lower.listRuleFails(), "np,8\n");

  StreamCapture out(std::cout);
  lower.addOneTimeRuleFilter(std::string("np,8"));
  lower.addOneTimeRuleFilter(std::string("np,3"));
  lower.listOneTimeRuleFilters();
  lower.addOneTimeRuleFilter(std::string("np,8"));
  lower.removeOneTimeRuleFilter("np,3");  // the filter of np goes, whatever its index
  lower.listOneTimeRuleFilters();
  EXPECT_EQ(out.text(),
            "Rule filter for np index 8\nRule filter for np index 3\nnp,3\n"
            "Rule filter for np index 8\n");
  EXPECT_TRUE(lower.rulefilters.empty());
}

TEST(RuleDebug, StepPromptCommands) {
  const std::string help =
      "Transfer debug mode commands:\n"
      "quit, exit  : Turn off debug mode\n"
      "n or [enter]: Go to next rule application\n"
      "s           : Skip to next transfer attempt\n"
      "rule ID     : Show rule with ID\n"
      "addwatch ID : Go into debug mode if rule ID applied\n"
      "rmwatch ID  : Remove watch on rule ID\n"
      "listwatches : List all current rule watches\n"
      "rmall       : Remove all watches\n"
      "\n";
  const std::string id30 = "ABCDEFGHIJKLMNOPQRSTUVWXYZABC,1";  // 31 characters
  struct Case {
    std::string input;
    std::string out;
    bool stepdebug;
    bool noskip;
    std::string rest;
  };
  const Case kCases[] = {
      {"q\nn\n", "\n% ", false, true, "n\n"},
      {"quit\n", "\n% ", false, true, ""},
      {"exit\n", "\n% ", false, true, ""},
      {"\nq\n", "\n% \n", true, true, "q\n"},
      {"n\n", "\n% \n", true, true, ""},
      {"s\n", "\n% \n", true, false, ""},
      {"", "\n% \n", true, true, ""},  // end of input
      {"h\nhelp\nn\n", "\n% " + help + "\n% " + help + "\n% \n", true, true, ""},
      {"debug off\n", "\n% ", false, true, ""},
      {"debug on\n", "\n% ", true, true, ""},
      {"Q\n", "\n% \n", true, true, ""},
      {"rule\nq\n", "\n% \n", true, true, "q\n"},
      {"rule " + id30 + "\nrule NONE,1\nn\n",
       "\n% \n{" + id30 +
           "}\nN::N : [A] -> [A]\n(\n; Correspondences\n"
           " (*score* 0)\n)\n\n\n% \n% \n",
       true, true, ""},
      {"addwatch n,1\nlistwatches\nrmwatch N,1\nlistwatches\naddwatch N,1\nrmall\nlistwatches\nn\n",
       "\n% \n% N,1\n\n% \n% \n% \n% \n% \n% \n", true, true, ""},
      // An overlong line is dropped whole, not read as two commands.
      {std::string(1500, 'x') + "q\nn\n", "\n% \n", true, true, "n\n"},
  };
  for (const Case& c : kCases) {
    TransferEngine e;
    e.normalizecase = 1;
    e.addNewRule("{N,1} N::N [A] -> [A] ()\n{" + id30 + "} N::N [A] -> [A] ()");
    e.stepdebug = true;
    InputFeed in(c.input);
    StreamCapture out(std::cout);
    e.stepDebug();
    EXPECT_EQ(out.text(), c.out) << c.input;
    EXPECT_EQ(e.stepdebug, c.stepdebug) << c.input;
    EXPECT_EQ(e.noskip, c.noskip) << c.input;
    EXPECT_EQ(in.rest(), c.rest) << c.input;
  }
}

TEST(RuleDebug, ClearallEmptiesTheLists) {
  TransferEngine e;
  LoadRules(e, 2, false);
  e.addWatch("np,8");
  e.addRuleFail("np,8");
  e.rulefilters["np"] = 8;
  e.clearall();
  EXPECT_TRUE(e.rulewatches.empty() && e.rulefaillist.empty() && e.rulefilters.empty());
}

}  // namespace
