// rules/KalRuleCollection.cpp
#include "rules/KalRuleCollection.h"

#include "rules/KalRuleUtils.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <iostream>

void KalRuleIDManager::DeclareUsingRuleID(POS_TYPE pos, int n) {
  if (pos < 0 || pos >= NUM_POS_TYPE) return;
  if (n > m_viMaxIDs[pos]) m_viMaxIDs[pos] = n;
}

int KalRuleIDManager::CreateNewRuleID(POS_TYPE pos) {
  if (pos < 0 || pos >= NUM_POS_TYPE || m_viMaxIDs[pos] == INT_MAX) return -1;
  return ++m_viMaxIDs[pos];
}

// ---- RuleParser

namespace {

using Scan = RuleParser::Scan;

struct LineScan {
  std::string code;  // the line without its comments
  int opens = 0;     // parentheses outside words, literals and comments
  int closes = 0;
  size_t comment = std::string::npos;  // where a ';' comment begins
};

LineScan ScanLine(const std::string& line, Scan& state) {
  LineScan out;
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    switch (state) {
      case Scan::Word: {
        size_t j = i;
        while (j < n && line[j] != '"') j += (line[j] == '\\' && j + 1 < n) ? 2 : 1;
        if (j < n) {
          state = Scan::Code;
          ++j;
        }
        out.code.append(line, i, std::min(j, n) - i);
        i = j;
        break;
      }
      case Scan::Literal: {
        size_t j = line.find('\'', i);
        if (j == std::string::npos) {
          out.code.append(line, i, std::string::npos);
          i = n;
        } else {
          out.code.append(line, i, j + 1 - i);
          i = j + 1;
          state = Scan::Code;
        }
        break;
      }
      case Scan::Block: {
        size_t j = line.find("|#", i);
        if (j == std::string::npos) {
          i = n;
        } else {
          state = Scan::Code;
          out.code += ' ';
          i = j + 2;
        }
        break;
      }
      case Scan::Code: {
        char c = line[i];
        if (c == '"') {
          state = Scan::Word;
          out.code += c;
          ++i;
        } else if (c == '\'' && KalRuleUtils::SkipOpaque(line, i) != i) {
          state = Scan::Literal;
          out.code += c;
          ++i;
        } else if (c == ';') {
          out.comment = i;
          i = n;
        } else if (c == '#' && i + 1 < n && line[i + 1] == '|') {
          state = Scan::Block;
          i += 2;
        } else {
          if (c == '(') ++out.opens;
          if (c == ')') ++out.closes;
          out.code += c;
          ++i;
        }
        break;
      }
    }
  }
  return out;
}

bool IsDirectiveKeyword(const std::string& word) {
  return word == "topnode" || word == "TOPNODE" || word == "openclass" || word == "OPENCLASS";
}

}  // namespace

RuleParser::RuleParser(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return;
  char buffer[1 << 16];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0)
    m_Text.append(buffer, static_cast<size_t>(file.gcount()));
  // A directory opens but cannot be read.
  m_fOpen = !file.bad();
  if (!m_fOpen) m_Text.clear();
}

// The next line without its line end (LF, CR LF or CR).
bool RuleParser::NextLine(std::string& line) {
  if (m_Pos >= m_Text.size()) return false;
  size_t end = m_Text.find_first_of("\r\n", m_Pos);
  if (end == std::string::npos) {
    line.assign(m_Text, m_Pos, std::string::npos);
    m_Pos = m_Text.size();
    return true;
  }
  line.assign(m_Text, m_Pos, end - m_Pos);
  m_Pos = end + (m_Text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  return true;
}

std::string RuleParser::FirstNonEmptyLine() {
  const size_t pos = m_Pos;
  m_Pos = 0;
  std::string line;
  while (NextLine(line) && line.empty()) {
  }
  m_Pos = pos;
  return line;
}

// Reads a parenthesized group between rules, beginning with the code `first`
// of its first line; keeps it when it is a top-node or open-class directive
// the engine can read.
void RuleParser::ReadDirective(std::string code, int depth, Scan& state) {
  std::string line;
  while (depth > 0 && NextLine(line)) {
    LineScan scan = ScanLine(line, state);
    code += ' ' + scan.code;
    depth += scan.opens - scan.closes;
  }
  std::string text = KalRuleUtils::Trim(code);
  if (text.size() < 2 || text.front() != '(' || text.back() != ')') return;
  std::vector<std::string> words = KalRuleUtils::SplitWords(text.substr(1, text.size() - 2));
  if (words.size() < 2 || !IsDirectiveKeyword(words[0])) return;
  std::string directive = "(" + words[0];
  for (size_t i = 1; i < words.size(); ++i) {
    if (!KalRuleUtils::IsTokenText(words[i])) return;
    directive += ' ' + words[i];
  }
  m_vszDirectives.push_back(directive + ")");
}

bool RuleParser::ParseNextRule(std::string& out) {
  out.clear();
  bool disabled = false;
  Scan state = Scan::Code;
  std::string line;
  LineScan scan;
  auto uncomment = [&] {
    if (disabled && !line.empty() && line[0] == ';') line.erase(0, 1);
  };

  // Header search.
  bool found = false;
  while (!found && NextLine(line)) {
    uncomment();
    scan = ScanLine(line, state);
    const std::string code = KalRuleUtils::Trim(scan.code);
    if (!disabled && scan.comment != std::string::npos &&
        line.compare(scan.comment, 3, ";D:") == 0) {
      disabled = true;
      out = ";D:\n";
    }
    if (code.empty()) continue;
    if (code[0] == '(') {
      ReadDirective(scan.code, scan.opens - scan.closes, state);
      continue;
    }
    found = true;
  }
  if (!found) return false;

  // Body, up to the line that closes it. The header line counts too, for
  // a rule written on one line.
  out += line;
  int depth = 0;
  bool started = false;
  auto closes = [&] {
    depth += scan.opens;
    if (depth > 0) started = true;
    depth -= scan.closes;
    return started && depth <= 0;
  };
  if (closes()) return true;
  while (NextLine(line)) {
    uncomment();
    out += " \n";
    out += line;
    scan = ScanLine(line, state);
    if (closes()) return true;
  }
  return true;
}

// ---- KalRuleCollection

KalRuleCollection::~KalRuleCollection() {
  // Parents and children hold each other; break the links first.
  for (KalRule* rule : m_vAllRules) static_cast<GraphNode*>(rule)->Reset();
  for (auto& entry : m_Grammar) entry.second->Release();
  for (auto& entry : m_Lexicon) entry.second->Release();
  for (auto* list :
       {&m_vRulesWithoutIDs, &m_vRulesWithoutParents, &m_vUnnumberedRules, &m_vAllRules})
    for (KalRule* rule : *list) rule->Release();
}

bool KalRuleCollection::AddFromFile(const std::string& fileName) {
  RuleParser parser(fileName);
  if (!parser.IsOpen()) {
    const int error = errno;
    std::cerr << "Cannot read rule file \"" << fileName
              << "\": " << (error != 0 ? std::strerror(error) : "read error") << "\n";
    std::cout << "done loading grammar" << std::endl;
    return false;
  }

  const std::string first = parser.FirstNonEmptyLine();
  if (first.size() > 3 && first.compare(0, 3, ";F:") == 0)
    m_nCustomFeatures = std::max(m_nCustomFeatures, KalRuleUtils::Atoi(first.substr(3)));

  std::string text;
  int grammarRules = 0, lexicalRules = 0;
  while (parser.ParseNextRule(text)) {
    KalRule* rule = KalRuleFactory::CreateFromString(text);
    if (rule == nullptr) continue;
    ++(rule->GetRuleType() == RULE_TYPE_GRAMMAR ? grammarRules : lexicalRules);
    AddRule(rule);
    rule->Release();
  }
  // Directives stay with the file they came from.
  std::vector<std::string>& directives =
      lexicalRules > 0 && grammarRules == 0 ? m_vszLexiconDirectives : m_vszGrammarDirectives;
  for (const std::string& d : parser.GetDirectives()) directives.push_back(d);
  std::cout << "done loading grammar" << std::endl;
  return true;
}

void KalRuleCollection::AddRule(KalRule* rule) {
  if (rule == nullptr) return;
  if (m_Known.insert(rule).second) {
    rule->AddRef();
    m_vAllRules.push_back(rule);
  }
  LinkToParent(rule);
  AdoptWaitingChildren(rule);

  const KalRuleID& id = rule->GetRuleID();
  if (id.m_RuleNum == -1) {
    // A category outside the table cannot be numbered; such a rule is kept
    // as it is.
    std::vector<KalRule*>& list =
        id.m_POS != POS_TYPE_NONE ? m_vRulesWithoutIDs : m_vUnnumberedRules;
    if (std::find(list.begin(), list.end(), rule) == list.end()) {
      rule->AddRef();
      list.push_back(rule);
    }
    return;
  }
  m_RuleIDManager.DeclareUsingRuleID(id.m_POS, id.m_RuleNum);
  Store(rule);
}

void KalRuleCollection::LinkToParent(KalRule* rule) {
  const KalRuleID& want = rule->GetDesiredParentRuleID();
  // A rule is never derived from itself.
  if (!want.HasCategory() || rule->GetParent() != nullptr || want == rule->GetRuleID()) return;
  if (KalRule* parent = GetRule(want)) {
    // Refused when the parent is derived from the rule (a cycle).
    parent->AddChild(rule);
    return;
  }
  if (std::find(m_vRulesWithoutParents.begin(), m_vRulesWithoutParents.end(), rule) ==
      m_vRulesWithoutParents.end()) {
    rule->AddRef();
    m_vRulesWithoutParents.push_back(rule);
  }
}

void KalRuleCollection::AdoptWaitingChildren(KalRule* rule) {
  const KalRuleID& id = rule->GetRuleID();
  if (id.m_RuleNum == -1) return;
  std::vector<KalRule*> waiting;
  for (KalRule* child : m_vRulesWithoutParents) {
    if (child->GetParent() == nullptr && child != rule && child->IsSameDesiredParentRuleID(id))
      rule->AddChild(child);
    if (child->GetParent() != nullptr)
      child->Release();
    else
      waiting.push_back(child);
  }
  m_vRulesWithoutParents.swap(waiting);
}

void KalRuleCollection::Store(KalRule* rule) {
  const KalRuleID& id = rule->GetRuleID();
  if (rule->GetRuleType() == RULE_TYPE_GRAMMAR) {
    KalRule*& slot = m_Grammar[id];
    rule->AddRef();
    if (slot != nullptr) slot->Release();
    slot = rule;
    return;
  }
  auto* entry = static_cast<KalLexiconRule*>(rule);
  if (entry->GetSLLexicon().empty()) return;
  auto it = m_Lexicon.find(id);
  if (it != m_Lexicon.end()) {
    // The entry it replaces (or the same entry added again) is no longer
    // found under its words.
    auto* old = static_cast<KalLexiconRule*>(it->second);
    Unregister(m_SLLexDictionary, old->GetSLLexicon(), id);
    Unregister(m_TLLexDictionary, old->GetTLLexicon(), id);
  }
  Register(m_SLLexDictionary, entry->GetSLLexicon(), id);
  Register(m_TLLexDictionary, entry->GetTLLexicon(), id);
  rule->AddRef();
  if (it != m_Lexicon.end()) {
    it->second->Release();
    it->second = rule;
  } else {
    m_Lexicon.emplace(id, rule);
  }
}

void KalRuleCollection::Register(WordDictionary& dict, const std::vector<std::string>& words,
                                 const KalRuleID& id) {
  for (const std::string& word : words) {
    std::vector<KalRuleID>& ids = dict[word];
    // A word that an entry holds twice names it once.
    if (ids.empty() || ids.back() != id) ids.push_back(id);
  }
}

void KalRuleCollection::Unregister(WordDictionary& dict, const std::vector<std::string>& words,
                                   const KalRuleID& id) {
  for (const std::string& word : words) {
    auto it = dict.find(word);
    if (it == dict.end()) continue;
    std::vector<KalRuleID>& ids = it->second;
    ids.erase(std::remove(ids.begin(), ids.end(), id), ids.end());
  }
}

void KalRuleCollection::AssignIDsToNonIDRules() {
  std::vector<KalRule*> waiting;
  waiting.swap(m_vRulesWithoutIDs);
  for (KalRule* rule : waiting) {
    KalRuleID id = rule->GetRuleID();
    id.m_RuleNum = m_RuleIDManager.CreateNewRuleID(id.m_POS);
    if (id.m_RuleNum != -1) {
      rule->SetRuleID(id);
      AddRule(rule);
      rule->Release();
    } else {
      // No number left for the category: kept as it is.
      m_vUnnumberedRules.push_back(rule);
    }
  }
}

void KalRuleCollection::OutputCustomFeatures(std::ostream& os) const {
  os << ";F:" << m_nCustomFeatures << '\n';
}

void KalRuleCollection::OutputRules(std::ostream& os, const std::vector<std::string>& directives,
                                    const std::map<KalRuleID, KalRule*>& rules,
                                    RULE_TYPE type) const {
  OutputCustomFeatures(os);
  for (const std::string& d : directives) os << d << '\n';
  for (const auto& entry : rules) entry.second->output(os);
  for (const KalRule* rule : m_vUnnumberedRules)
    if (rule->GetRuleType() == type) rule->output(os);
}

void KalRuleCollection::OutputGrammar(std::ostream& os) const {
  OutputRules(os, m_vszGrammarDirectives, m_Grammar, RULE_TYPE_GRAMMAR);
}

void KalRuleCollection::OutputLexicon(std::ostream& os) const {
  OutputRules(os, m_vszLexiconDirectives, m_Lexicon, RULE_TYPE_LEXICAL);
}

KalRule* KalRuleCollection::GetRule(const KalRuleID& id) const {
  auto it = m_Grammar.find(id);
  if (it != m_Grammar.end()) return it->second;
  it = m_Lexicon.find(id);
  return it != m_Lexicon.end() ? it->second : nullptr;
}

KalLexiconRule* KalRuleCollection::GetLexRule(const std::vector<std::string>& sl,
                                              const std::vector<std::string>& tl) const {
  if (sl.empty()) return nullptr;
  auto it = m_SLLexDictionary.find(sl[0]);
  if (it == m_SLLexDictionary.end()) return nullptr;
  for (const KalRuleID& id : it->second) {
    auto found = m_Lexicon.find(id);
    if (found == m_Lexicon.end()) continue;
    auto* entry = static_cast<KalLexiconRule*>(found->second);
    if (entry->AreSameLexicon(sl, tl)) return entry;
  }
  return nullptr;
}

void KalRuleCollection::Collect(const WordDictionary& dict, const std::string& word,
                                std::vector<KalLexiconRule*>& out) const {
  auto it = dict.find(word);
  if (it == dict.end()) return;
  for (const KalRuleID& id : it->second) {
    // Looked up among the entries, so that a grammar rule that happens to
    // carry the same ID does not hide the entry.
    auto found = m_Lexicon.find(id);
    if (found != m_Lexicon.end()) out.push_back(static_cast<KalLexiconRule*>(found->second));
  }
}

void KalRuleCollection::GetAllLexRulesWithSLWord(const std::string& word,
                                                 std::vector<KalLexiconRule*>& out) const {
  Collect(m_SLLexDictionary, word, out);
}

void KalRuleCollection::GetAllLexRulesWithTLWord(const std::string& word,
                                                 std::vector<KalLexiconRule*>& out) const {
  Collect(m_TLLexDictionary, word, out);
}

std::string KalRuleCollection::PostulateNewFeature() {
  std::string name = "feat_" + std::to_string(m_nCustomFeatures);
  if (m_nCustomFeatures < INT_MAX) ++m_nCustomFeatures;
  return name;
}
