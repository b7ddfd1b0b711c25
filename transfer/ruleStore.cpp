// transfer/ruleStore.cpp
// Loading rules into the engine's store: the builder that turns what the
// rule-file reader delivers into rules and equation blocks, storing,
// grouping and indexing rules, deleting them, and the derived sets.
#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kernel/eBlock.h"
#include "transfer/RuleFileBuilder.h"
#include "transfer/RuleFileReader.h"
#include "transfer/TRule.h"
#include "transfer/transfer.h"

namespace {

using UKernel::EBlockMain;
using UKernel::Path;
using UKernel::Symbol;
using UKernel::SymCode;
using UKernel::Value;

Path makePath(const RegisterPath& p) {
  Path path;
  for (const std::string& f : p.features) path.add(Symbol(f));
  return path;
}

Value makeValue(const RuleValue& v) {
  if (v.kind == RuleValue::Kind::Atom) return v.atoms.empty() ? Value() : Value(Symbol(v.atoms[0]));
  Value value;
  auto* root =
      value.insert(nullptr, 0, Symbol(v.kind == RuleValue::Kind::Or ? UKernel::OR : UKernel::NOT));
  for (std::size_t i = 0; i < v.atoms.size(); ++i) value.insert(root, i, Symbol(v.atoms[i]));
  return value;
}

SymCode opCode(EquationOp op) {
  switch (op) {
    case EquationOp::PseudoUnify:
      return UKernel::OP_PSEUDO_UNIFY;
    case EquationOp::Assign:
      return UKernel::OP_ASSIGN;
    case EquationOp::RemoveAssign:
      return UKernel::OP_REMOVE_ASSIGN;
    case EquationOp::Push:
      return UKernel::OP_PUSH;
    case EquationOp::Pop:
      return UKernel::OP_POP;
    case EquationOp::Constrain:
      return UKernel::OP_CONSTRAIN;
  }
  return UKernel::OP_PSEUDO_UNIFY;
}

// One kernel equation in its own main block; null for a combination of
// operator and right side that has no kernel equation (the reader never
// delivers one).
std::unique_ptr<EBlockMain> makeEquation(const RuleEquation& eq) {
  const Path left = makePath(eq.left);
  const SymCode code = opCode(eq.op);
  switch (eq.right) {
    case RightSide::Path:
      if (!UKernel::_EquType1::isValidCode(code)) return nullptr;
      return std::make_unique<EBlockMain>(eq.left.reg, left, eq.rightPath.reg,
                                          makePath(eq.rightPath), code);
    case RightSide::Value:
      if (!UKernel::_EquType2::isValidCode(code)) return nullptr;
      return std::make_unique<EBlockMain>(eq.left.reg, left, makeValue(eq.value), code);
    case RightSide::Defined:
    case RightSide::Undefined:
    case RightSide::Remove: {
      if (eq.op != EquationOp::PseudoUnify) return nullptr;
      const SymCode test = eq.right == RightSide::Defined     ? UKernel::DEFINED
                           : eq.right == RightSide::Undefined ? UKernel::UNDEFINED
                                                              : UKernel::REMOVE;
      return std::make_unique<EBlockMain>(eq.left.reg, left, test);
    }
  }
  return nullptr;
}

// Builds engine rules from what the reader reads and hands each completed
// rule to the store.
class StoreBuilder : public RuleFileBuilder {
 public:
  explicit StoreBuilder(TransferEngine& engine) : engine_(engine) {}

  std::string normalizeCase(const std::string& text) override { return engine_.applyCase(text); }
  bool debugOn() const override { return engine_.debug != 0; }
  bool engineDebugOn() const override { return engine_.enginedebug; }

  int nextRuleIndex(const std::string& rulename) override {
    auto it = engine_.ruleids.find(rulename);
    if (it == engine_.ruleids.end() || it->second.empty()) return 0;
    const int largest = *it->second.rbegin();
    if (largest < INT_MAX) return largest + 1;
    // One more than the largest does not exist: take the lowest free index
    // from 0, so the new ID still differs from every loaded one.
    int i = 0;
    while (it->second.count(i)) ++i;
    return i;
  }

  void debugDirective() override { engine_.debug = engine_.debug == 0 ? 1 : 0; }
  void openClass(const std::string& category) override { engine_.openclass.push_back(category); }
  void topNode(const std::string& category) override { engine_.topNode.insert(category); }

  void beginRule(const RuleHeader& h) override {
    if (engine_.debug) std::cout << "\n** NEW RULE\n";
    blocks_.clear();
    rule_ = std::make_unique<TRule>();
    TRule& r = *rule_;
    r.rulename = h.rulename;
    r.ruleindex = h.ruleindex;
    r.ruleid = h.ruleid;
    r.score = defaultScore();
    r.src_lhs = h.srcLhs;
    r.tgt_lhs = h.tgtLhs;
    r.type = h.type == RuleKind::Phrase ? TRule::PHRASE
             : h.type == RuleKind::Lex  ? TRule::LEX
                                        : TRule::COMPOUND;
    for (const RuleElement& e : h.src) {
      r.src_rhs.push_back(e.text);
      r.skips.push_back(e.skip);
      r.xyalign.push_back(e.kind == RuleElement::Kind::Category ? -2 : -1);
      if (e.kind == RuleElement::Kind::Literal) engine_.literals.insert(e.text.substr(4));
    }
    for (const RuleElement& e : h.tgt) {
      r.tgt_rhs.push_back(e.text);
      r.yxalign.push_back(e.kind == RuleElement::Kind::Category ? -2 : -1);
    }
    r.src_rhs_total = static_cast<unsigned>(r.src_rhs.size());
    r.tgt_rhs_total = static_cast<unsigned>(r.tgt_rhs.size());
  }

  void alignment(unsigned src, unsigned tgt) override {
    if (!rule_ || src == 0 || tgt == 0 || src > rule_->xyalign.size() ||
        tgt > rule_->yxalign.size())
      return;
    TRule& r = *rule_;
    // A realignment of a source element frees the target element it had,
    // which then holds what it held before any alignment.
    const int old = r.xyalign[src - 1];
    if (old >= 0 && r.yxalign[old] == static_cast<int>(src - 1))
      r.yxalign[old] = r.type == TRule::PHRASE ? -2 : -1;
    r.xyalign[src - 1] = static_cast<int>(tgt - 1);
    r.yxalign[tgt - 1] = static_cast<int>(src - 1);
  }

  void score(double value) override {
    if (!rule_ || engine_.randomscores) return;
    const double score = engine_.logdomain ? std::log10(value) : value;
    // A score that is not a number (the logarithm of a negative number)
    // cannot be compared, and the parser and the transfer order by score.
    if (std::isnan(score)) {
      std::cerr << "Rule " << rule_->ruleid << ": score " << value
                << " is not usable; score equation ignored" << std::endl;
      return;
    }
    rule_->score = static_cast<float>(score);
  }

  void equation(const RuleEquation& eq) override {
    if (!rule_) return;
    std::unique_ptr<EBlockMain> block = makeEquation(eq);
    if (!block) return;
    target(eq.group).addBlock(std::move(block));
  }

  void beginBlock(BlockKind kind) override {
    if (kind == BlockKind::Or)
      blocks_.push_back(std::make_unique<UKernel::EBlockOr>());
    else
      blocks_.push_back(std::make_unique<UKernel::EBlockEor>());
  }
  void beginAlternative() override { blocks_.push_back(std::make_unique<EBlockMain>()); }
  void endAlternative() override { closeInner(); }
  void endBlock() override { closeInner(); }

  void endRule(RuleEnd end, float specificity) override {
    blocks_.clear();
    std::unique_ptr<TRule> rule = std::move(rule_);
    if (!rule) return;
    if (end == RuleEnd::Malformed) {
      if (engine_.debug && engine_.enginedebug) std::cerr << "Popping off equation blocks \n";
      return;
    }
    if (end != RuleEnd::Complete) return;
    rule->specificity = specificity;
    engine_.storeRule(std::move(rule));
  }

  void diagnostic(const std::string& text) override { std::cerr << text; }
  void trace(const std::string& text) override { std::cout << text; }

 private:
  float defaultScore() const {
    if (engine_.randomscores)
      return static_cast<float>(
          static_cast<int>(static_cast<double>(std::rand()) / 2147483647.0 * 1000));
    return engine_.logdomain ? -10.0f : 0.0f;
  }

  EBlockMain& target(EquationGroup g) {
    TRule& r = *rule_;
    switch (g) {
      case EquationGroup::Parse:
        return blocks_.empty() ? r.parseeb : *blocks_.back();
      case EquationGroup::Transfer:
        return r.transfereb;
      case EquationGroup::Generation:
        return r.geneb;
      case EquationGroup::Fill:
        return r.filleb;
      case EquationGroup::Constraint:
        return r.constrainteb;
    }
    return r.parseeb;
  }

  // Closes the innermost open alternative or block and adds it, as one
  // unit, where a parse equation would go now.
  void closeInner() {
    if (blocks_.empty()) return;
    std::unique_ptr<EBlockMain> inner = std::move(blocks_.back());
    blocks_.pop_back();
    if (rule_) target(EquationGroup::Parse).addBlock(std::move(inner));
  }

  TransferEngine& engine_;
  std::unique_ptr<TRule> rule_;
  std::vector<std::unique_ptr<EBlockMain>> blocks_;  // open blocks and alternatives
};

// Removes `value` from a sorted list of numbers and lowers those above it.
void removeAndLower(std::vector<unsigned>& list, unsigned value) {
  list.erase(std::remove(list.begin(), list.end(), value), list.end());
  for (unsigned& n : list)
    if (n > value) --n;
}

}  // namespace

std::string TransferEngine::applyCase(const std::string& text) const {
  if (normalizecase != 1 && normalizecase != 2) return text;
  if (utf8 && utools) return normalizecase == 1 ? utools->upcase(text) : utools->lowercase(text);
  std::string out = text;
  for (char& c : out) {
    const int u = static_cast<unsigned char>(c);
    c = static_cast<char>(normalizecase == 1 ? std::toupper(u) : std::tolower(u));
  }
  return out;
}

int TransferEngine::loadRuleFile(const std::string& file) {
  const std::size_t before = rules.size();
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << "Unable to open " << file << "." << std::endl;
    return 0;
  }
  if (debug) std::cout << "Parsing grammar file" << std::endl;
  StoreBuilder builder(*this);
  readRuleFile(in, builder, file);
  if (usefirstset) {
    if (debug) std::cout << "Computing non-terminals and first set" << std::endl;
    computeNonterms();
    computeFirst();
  }
  if (xferprune != 0) sortTransferRules();
  return static_cast<int>(rules.size()) - static_cast<int>(before);
}

int TransferEngine::addNewRule(const std::string& text) {
  const std::size_t before = rules.size();
  if (debug && enginedebug)
    std::cout << "Adding new rule(s) into transfer grammar: \n" << text << std::endl;
  StoreBuilder builder(*this);
  readRuleText(text, builder);
  if (usefirstset) {
    if (debug) std::cout << "Computing non-terminals and first set" << std::endl;
    computeNonterms();
    computeFirst();
  }
  return static_cast<int>(rules.size()) - static_cast<int>(before);
}

bool TransferEngine::storeRule(std::unique_ptr<TRule> rule) {
  if (!rule) return false;
  const std::string id = rule->ruleid;
  if (debug) std::cout << " Rule score " << rule->specificity << std::endl;
  if (rulelookup.count(id)) {
    if (!overwritedups) {
      std::cerr << "Already have a rule with the ID: " << id << "\nSkipping rule..." << std::endl;
      return false;
    }
    if (debug) std::cout << " Overwriting existing rule " << id << std::endl;
    deleteRule(id);
  }
  if (debug) std::cout << " Adding rule with ID " << id << std::endl;
  const unsigned number = static_cast<unsigned>(rules.size());
  rulelookup[id] = number;
  if (debug && enginedebug) std::cout << "Adding to id list" << std::endl;
  ruleids[rule->rulename].insert(rule->ruleindex);

  rule->setParseText();
  // Every group is listed under its first source element, in rulefinder
  // for phrase rules and in srclexicon for lexical ones; together the two
  // lists hold, in group order, every group the rule can match.
  const std::string& first = rule->src_rhs.empty() ? std::string() : rule->src_rhs.front();
  std::vector<unsigned> candidates;
  if (auto it = rulefinder.find(first); it != rulefinder.end()) candidates = it->second;
  if (auto it = srclexicon.find(first); it != srclexicon.end())
    candidates.insert(candidates.end(), it->second.begin(), it->second.end());
  std::sort(candidates.begin(), candidates.end());
  ParseGroup* group = nullptr;
  for (unsigned g : candidates) {
    if (g < parsegroups.size() && parsegroups[g]->match(*rule, *this)) {
      group = parsegroups[g].get();
      break;
    }
  }
  if (group) {
    group->trules.push_back(number);
    if (rule->score > group->score) group->score = rule->score;
  } else {
    parsegroups.push_back(std::make_unique<ParseGroup>(*rule, number));
    const unsigned g = static_cast<unsigned>(parsegroups.size() - 1);
    (rule->type == TRule::PHRASE ? rulefinder : srclexicon)[first].push_back(g);
  }

  if (debug && enginedebug) std::cerr << "Inserting into rule vector: " << number << std::endl;
  rules.push_back(std::move(rule));
  if (debug) printRule(number);
  return true;
}

int TransferEngine::loadIndexedEntries(const std::string& word) {
  if (srclexicon.count(word)) return 0;
  auto it = lexiconfiledb.find(word);
  if (it == lexiconfiledb.end()) return 0;
  // Taken out first: the entries are loaded once, whatever they hold.
  const std::string text = std::move(it->second);
  lexiconfiledb.erase(it);
  return addNewRule(text);
}

bool TransferEngine::deleteRule(unsigned number) {
  if (number >= rules.size()) return false;
  const std::string id = rules[number]->ruleid;
  const std::string name = rules[number]->rulename;
  const int index = rules[number]->ruleindex;
  rulefaillist.erase(id);
  rulewatches.erase(id);
  rulefilters.erase(name);
  rulelookup.erase(id);

  rules.erase(rules.begin() + number);
  for (auto& entry : rulelookup)
    if (entry.second > number) --entry.second;

  if (auto it = ruleids.find(name); it != ruleids.end()) {
    it->second.erase(index);
    if (it->second.empty()) ruleids.erase(it);
  }

  std::size_t holder = parsegroups.size();
  for (std::size_t g = 0; g < parsegroups.size(); ++g) {
    std::vector<unsigned>& members = parsegroups[g]->trules;
    const std::size_t size = members.size();
    removeAndLower(members, number);
    if (members.size() != size) holder = g;
  }
  if (holder < parsegroups.size() && parsegroups[holder]->trules.empty()) {
    parsegroups.erase(parsegroups.begin() + static_cast<std::ptrdiff_t>(holder));
    const unsigned gone = static_cast<unsigned>(holder);
    for (auto* index : {&srclexicon, &rulefinder})
      for (auto& entry : *index) removeAndLower(entry.second, gone);
  }
  return true;
}

bool TransferEngine::deleteRule(const std::string& id) {
  if (auto it = rulelookup.find(id); it != rulelookup.end()) return deleteRule(it->second);
  auto known = idsrcword.find(id);
  if (known == idsrcword.end()) return false;
  loadIndexedEntries(known->second);
  if (auto it = rulelookup.find(id); it != rulelookup.end()) return deleteRule(it->second);
  idsrcword.erase(id);
  return false;
}

void TransferEngine::deleteLastNRules(int n) {
  if (n <= 0 || static_cast<std::size_t>(n) > rules.size()) return;
  for (int i = 0; i < n; ++i) deleteRule(static_cast<unsigned>(rules.size() - 1));
}

void TransferEngine::computeNonterms() {
  nonterms.clear();
  for (const auto& r : rules) nonterms.insert(r->src_lhs);
}

void TransferEngine::computeFirst() {
  curfirst.clear();
  for (const std::string& n : nonterms) curfirst[n].insert(n);
  for (const auto& r : rules)
    if (!r->src_rhs.empty() && nonterms.count(r->src_rhs.front()))
      curfirst[r->src_lhs].insert(r->src_rhs.front());
  for (bool grew = true; grew;) {
    grew = false;
    for (auto& [category, set] : curfirst) {
      std::vector<std::string> add;
      for (const std::string& b : set) {
        if (b == category) continue;
        auto it = curfirst.find(b);
        if (it == curfirst.end()) continue;
        for (const std::string& c : it->second)
          if (!set.count(c)) add.push_back(c);
      }
      for (std::string& c : add) grew = set.insert(std::move(c)).second || grew;
    }
  }
}

void TransferEngine::sortTransferRules() {
  for (auto& group : parsegroups) {
    std::vector<unsigned>& members = group->trules;
    if (members.size() < 2) continue;
    std::stable_sort(members.begin(), members.end(),
                     [this](unsigned a, unsigned b) { return rules[a]->score > rules[b]->score; });
  }
}
