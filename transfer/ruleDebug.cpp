// transfer/ruleDebug.cpp
// Rule watches, the fail list, one-time rule filters and the step prompt.
#include <cstdlib>
#include <iostream>
#include <string>

#include "transfer/transfer.h"

namespace {

// The longest command line the prompt takes; the rest of a longer line is
// dropped with it rather than read as the next command.
constexpr std::size_t kPromptLineLimit = 1023;

bool startsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

int TransferEngine::addWatch(const std::string& ruleid) {
  const std::string id = applyCase(ruleid);
  if (!rulelookup.count(id)) return 0;
  return rulewatches.insert(id).second ? 1 : 0;
}

int TransferEngine::deleteWatch(const std::string& ruleid) {
  return rulewatches.erase(applyCase(ruleid)) ? 1 : 0;
}

void TransferEngine::deleteAllWatches() { rulewatches.clear(); }

void TransferEngine::printWatches() const {
  for (const std::string& id : rulewatches) std::cout << id << '\n';
  std::cout.flush();
}

bool TransferEngine::addRuleFail(const std::string& ruleid) {
  if (!rulelookup.count(ruleid)) return false;
  rulefaillist.insert(ruleid);
  return true;
}

bool TransferEngine::removeRuleFail(const std::string& ruleid) {
  return rulefaillist.erase(ruleid) != 0;
}

std::string TransferEngine::listRuleFails() const {
  std::string out;
  for (const std::string& id : rulefaillist) out += id + "\n";
  return out;
}

void TransferEngine::addOneTimeRuleFilter(const std::string& ruleid) {
  if (!rulelookup.count(ruleid)) return;
  const std::size_t comma = ruleid.find(',');
  if (comma == std::string::npos) return;
  addOneTimeRuleFilter(ruleid.substr(0, comma), std::atoi(ruleid.c_str() + comma + 1));
}

void TransferEngine::addOneTimeRuleFilter(const std::string& ruletype, int ruleindex) {
  std::cout << "Rule filter for " << ruletype << " index " << ruleindex << std::endl;
  rulefilters[ruletype] = ruleindex;
}

void TransferEngine::removeOneTimeRuleFilter(const std::string& ruleid) {
  if (!rulelookup.count(ruleid)) return;
  rulefilters.erase(ruleid.substr(0, ruleid.find(',')));
}

void TransferEngine::listOneTimeRuleFilters() const {
  for (const auto& [name, index] : rulefilters) std::cout << name << ',' << index << '\n';
  std::cout.flush();
}

void TransferEngine::stepDebug() {
  for (;;) {
    std::cout << "\n% " << std::flush;
    std::string line;
    if (!std::getline(std::cin, line)) line.clear();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kPromptLineLimit) line.resize(kPromptLineLimit);

    if (line == "quit" || line == "exit" || line == "q") {
      stepdebug = false;
      return;
    }
    if (line.empty() || line == "n") {
      std::cout << std::endl;
      return;
    }
    if (line == "h" || line == "help") {
      std::cout << "Transfer debug mode commands:\n"
                   "quit, exit  : Turn off debug mode\n"
                   "n or [enter]: Go to next rule application\n"
                   "s           : Skip to next transfer attempt\n"
                   "rule ID     : Show rule with ID\n"
                   "addwatch ID : Go into debug mode if rule ID applied\n"
                   "rmwatch ID  : Remove watch on rule ID\n"
                   "listwatches : List all current rule watches\n"
                   "rmall       : Remove all watches\n"
                   "\n"
                << std::flush;
      continue;
    }
    if (line == "s") {
      std::cout << std::endl;
      noskip = false;
      return;
    }
    if (startsWith(line, "rule ")) {
      printRule(line.substr(5));
      continue;
    }
    if (line == "debug on" || line == "debug off") {
      stepdebug = line == "debug on";
      return;
    }
    if (startsWith(line, "addwatch ")) {
      addWatch(line.substr(9));
      continue;
    }
    if (startsWith(line, "rmwatch ")) {
      deleteWatch(line.substr(8));
      continue;
    }
    if (line == "rmall") {
      deleteAllWatches();
      continue;
    }
    if (line == "listwatches") {
      printWatches();
      continue;
    }
    std::cout << std::endl;
    return;
  }
}
