// transfer/ruleOutput.cpp
// Writing the rules of the store: single rules, whole grammars and lexicons.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "transfer/TRule.h"
#include "transfer/transfer.h"

namespace {

std::string ruleText(const TRule& rule) {
  std::ostringstream os;
  os << rule;
  return os.str();
}

bool writeFile(const std::string& file, const std::string& text) {
  std::cout << "Saving to " << file << std::endl;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) {
    std::cerr << "Unable to open " << file << std::endl;
    return false;
  }
  out << text;
  out.flush();
  if (!out) {
    std::cerr << "Unable to write " << file << std::endl;
    return false;
  }
  return true;
}

}  // namespace

std::string TransferEngine::getRule(const std::string& id) const {
  auto it = rulelookup.find(id);
  if (it == rulelookup.end() || it->second >= rules.size()) return "";
  return ruleText(*rules[it->second]) + "\n";
}

std::string TransferEngine::getAllRules() const {
  std::string out;
  for (const auto& r : rules)
    if (r->type == TRule::PHRASE) out += ruleText(*r) + "\n";
  return out;
}

std::string TransferEngine::getAllLexicalRules() const {
  std::string out;
  for (const auto& r : rules)
    if (r->type != TRule::PHRASE) out += ruleText(*r) + "\n";
  return out;
}

bool TransferEngine::saveGrammar(const std::string& file) {
  std::string text = "(topnode";
  for (const std::string& category : topNode) text += " " + category;
  text += ")\n\n";
  return writeFile(file, text + getAllRules());
}

bool TransferEngine::saveLexicon(const std::string& file) {
  return writeFile(file, getAllLexicalRules());
}

void TransferEngine::printRule(const std::string& ruleid) const {
  auto it = rulelookup.find(ruleid);
  if (it != rulelookup.end()) printRule(it->second);
}

void TransferEngine::printRule(unsigned number) const {
  if (number >= rules.size()) return;
  std::cout << '\n' << *rules[number] << std::endl;
}

void TransferEngine::printRuleFinder(const std::string& category) const {
  auto it = rulefinder.find(category);
  if (it == rulefinder.end()) return;
  for (unsigned g : it->second) {
    if (g >= parsegroups.size() || parsegroups[g]->trules.empty()) continue;
    const unsigned first = parsegroups[g]->trules.front();
    if (first >= rules.size()) continue;
    std::cout << "In firstrhs_rules " << g << " " << rules[first]->ruleid << std::endl;
  }
}
