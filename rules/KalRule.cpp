// rules/KalRule.cpp
#include "rules/KalRule.h"

#include "rules/KalRuleCollection.h"
#include "rules/KalRuleUtils.h"

#include <sstream>

const std::vector<std::string> KalRule::m_vszPOS = {
    "N",  "DET",  "ADJ",  "S",    "AUX", "V",  "NP", "VP",   "ADV",
    "CONJ", "PRON", "ADVP", "PART", "PP",  "VB", "ADJP", "PREP"};

// ---- KalRuleID

void KalRuleID::SetCategory(const std::string& name) {
  m_POS = KalRule::GetPOSTypeFromString(name);
  // A name that cannot be written as a category is not kept.
  m_szCategory = m_POS == POS_TYPE_NONE && KalRuleUtils::IsTokenText(name) ? name : "";
}

std::string KalRuleID::GetCategoryName() const {
  return m_POS == POS_TYPE_NONE ? m_szCategory : KalRule::GetStringFromPOSType(m_POS);
}

bool KalRuleID::operator<(const KalRuleID& other) const {
  if (m_POS != other.m_POS) return m_POS < other.m_POS;
  if (m_RuleNum != other.m_RuleNum) return m_RuleNum < other.m_RuleNum;
  return m_szCategory < other.m_szCategory;
}

bool KalRuleID::operator==(const KalRuleID& other) const {
  return m_POS == other.m_POS && m_RuleNum == other.m_RuleNum &&
         m_szCategory == other.m_szCategory;
}

void KalRuleID::output(std::ostream& os) const {
  os << '{' << GetCategoryName() << ',' << m_RuleNum << '}';
}

std::string KalRuleID::ToString() const {
  std::ostringstream os;
  output(os);
  return os.str();
}

void KalRuleID::LoadFromString(const std::string& text) {
  auto words = [](std::string part) {
    for (char& c : part)
      if (c == ',' || c == '{' || c == '}' || c == '(' || c == ')') c = ' ';
    return KalRuleUtils::SplitWords(part);
  };
  m_POS = POS_TYPE_NONE;
  m_szCategory.clear();
  m_RuleNum = -1;
  // With a comma, the category is before it and the number after it, so that
  // an ID without category, {,3}, reads back as written.
  size_t comma = text.find(',');
  std::vector<std::string> category = words(text.substr(0, comma));
  std::vector<std::string> number;
  if (comma != std::string::npos) {
    number = words(text.substr(comma + 1));
  } else if (category.size() > 1) {
    number.assign(category.begin() + 1, category.end());
  }
  if (!category.empty()) SetCategory(category[0]);
  if (!number.empty()) m_RuleNum = KalRuleUtils::Atoi(number[0]);
}

// ---- constituents

void KalConstituent::Copy(const KalConstituent* other) {
  if (other == nullptr) return;
  m_Type = other->m_Type;
  m_szSkip = other->m_szSkip;
}

KalConstituent* POSConstituent::Clone() const {
  POSConstituent* copy = new POSConstituent(m_POS);
  copy->Copy(this);
  return copy;
}

void POSConstituent::Copy(const KalConstituent* other) {
  KalConstituent::Copy(other);
  if (auto* pos = dynamic_cast<const POSConstituent*>(other)) m_POS = pos->m_POS;
}

void POSConstituent::output(std::ostream& os) const { os << KalRule::GetStringFromPOSType(m_POS); }

bool POSConstituent::AreSame(const KalConstituent* other) const {
  auto* pos = dynamic_cast<const POSConstituent*>(other);
  return pos != nullptr && pos->m_POS == m_POS;
}

KalConstituent* LiteralConstituent::Clone() const {
  LiteralConstituent* copy = new LiteralConstituent(m_szLiteral, m_Quote);
  copy->Copy(this);
  return copy;
}

void LiteralConstituent::Copy(const KalConstituent* other) {
  KalConstituent::Copy(other);
  if (auto* lit = dynamic_cast<const LiteralConstituent*>(other)) {
    m_szLiteral = lit->m_szLiteral;
    m_Quote = lit->m_Quote;
  }
}

void LiteralConstituent::output(std::ostream& os) const { os << m_szLiteral; }

bool LiteralConstituent::AreSame(const KalConstituent* other) const {
  auto* lit = dynamic_cast<const LiteralConstituent*>(other);
  return lit != nullptr && lit->m_szLiteral == m_szLiteral;
}

KalConstituent* KalConstituentFactory::CreateKalConstituent(const std::string& text) {
  POS_TYPE pos = KalRule::GetPOSTypeFromString(text);
  if (pos != POS_TYPE_NONE) return new POSConstituent(pos);
  return new LiteralConstituent(text);
}

// ---- KalRule

KalRule::KalRule(RULE_TYPE type) : GraphNode(GRAPH_NODE_TYPE_RULE_TYPE), m_RuleType(type) {}

KalRule::~KalRule() { ClearConstraints(); }

POS_TYPE KalRule::GetPOSTypeFromString(const std::string& name) {
  for (size_t i = 0; i < m_vszPOS.size(); ++i)
    if (m_vszPOS[i] == name) return static_cast<POS_TYPE>(i);
  return POS_TYPE_NONE;
}

std::string KalRule::GetStringFromPOSType(POS_TYPE pos) {
  if (pos < 0 || pos >= NUM_POS_TYPE) return "";
  return m_vszPOS[pos];
}

void KalRule::GetRuleID(KalRuleID* out) const {
  if (out != nullptr) *out = m_RuleID;
}

void KalRule::GetDesiredParentRuleID(KalRuleID* out) const {
  if (out != nullptr) *out = m_DesiredParentID;
}

KalRule* KalRule::GetOriginalRule() const { return static_cast<KalRule*>(GetParent()); }

KalConstraint* KalRule::GetConstraint(int i) const {
  if (i < 0 || i >= GetNumConstraints()) return nullptr;
  return m_vConstraints[i];
}

void KalRule::AddConstraint(KalConstraint* constraint) {
  if (constraint == nullptr) return;
  constraint->AddRef();
  m_vConstraints.push_back(constraint);
}

void KalRule::AddConstraint(const std::string& text) {
  KalConstraint* constraint = new KalConstraint();
  constraint->LoadFromString(text);
  AddConstraint(constraint);
  constraint->Release();
}

void KalRule::ClearConstraints() {
  std::vector<KalConstraint*> constraints;
  constraints.swap(m_vConstraints);
  for (KalConstraint* c : constraints) c->Release();
}

KalConstituent* KalRule::GetSLConstituent(int i) const {
  if (i < 0 || i >= GetNumSLConstituents()) return nullptr;
  return m_vSLConstituents[i].get();
}

KalConstituent* KalRule::GetTLConstituent(int i) const {
  if (i < 0 || i >= GetNumTLConstituents()) return nullptr;
  return m_vTLConstituents[i].get();
}

Alignment* KalRule::GetAlignment(int i) {
  if (i < 0 || i >= GetNumAlignments()) return nullptr;
  return &m_vAlignments[i];
}

const Alignment* KalRule::GetAlignment(int i) const {
  if (i < 0 || i >= GetNumAlignments()) return nullptr;
  return &m_vAlignments[i];
}

void KalRule::AddAlignment(int slPos, int tlPos) { m_vAlignments.push_back({slPos, tlPos}); }

bool KalRule::CanAddChild(GraphNode* child) {
  if (child == nullptr || child->GetNodeType() != GRAPH_NODE_TYPE_RULE_TYPE) return false;
  // A rule derived from itself, or from a rule derived from it, would make
  // the hierarchy a cycle that no search through it leaves.
  for (GraphNode* node = this; node != nullptr; node = node->GetParent())
    if (node == child) return false;
  return true;
}

void KalRule::OnSetParent(GraphNode* parent) {
  if (parent != nullptr && parent->GetNodeType() == GRAPH_NODE_TYPE_RULE_TYPE)
    m_DesiredParentID = static_cast<KalRule*>(parent)->m_RuleID;
}

void KalRule::Reset() {
  m_RuleID = KalRuleID();
  m_DesiredParentID = KalRuleID();
  m_vSLConstituents.clear();
  m_vTLConstituents.clear();
  ClearConstraints();
  m_vAlignments.clear();
  m_fEnabled = true;
  m_szSLCategory.clear();
  m_szTLCategory.clear();
  OnReset();
}

void KalRule::Copy(KalRule* other) {
  if (other == nullptr || other == this || other->m_RuleType != m_RuleType) return;
  Reset();
  TimeStampedObject::Copy(other);
  m_RuleID = other->m_RuleID;
  for (const auto& c : other->m_vSLConstituents) m_vSLConstituents.emplace_back(c->Clone());
  for (const auto& c : other->m_vTLConstituents) m_vTLConstituents.emplace_back(c->Clone());
  for (KalConstraint* c : other->m_vConstraints) {
    KalConstraint* copy = c->Clone();
    AddConstraint(copy);
    copy->Release();
  }
  m_vAlignments = other->m_vAlignments;
  m_fEnabled = other->m_fEnabled;
  m_szSLCategory = other->m_szSLCategory;
  m_szTLCategory = other->m_szTLCategory;
  OnCopy(other);
}

void KalRule::OnCopy(KalRule*) {}
void KalRule::OnChangeConstituents() {}
void KalRule::OnReset() {}

bool KalRule::HaveSameKalConstituents(KalRule* other) const {
  if (other == nullptr) return false;
  auto same = [](const ConstituentList& a, const ConstituentList& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (!a[i]->AreSame(b[i].get())) return false;
    return true;
  };
  return same(m_vSLConstituents, other->m_vSLConstituents) &&
         same(m_vTLConstituents, other->m_vTLConstituents);
}

void KalRule::SetSLKalConstituentsFromString(const std::string& text) {
  ReadConstituents(text, m_RuleType == RULE_TYPE_LEXICAL, &m_vSLConstituents);
  OnChangeConstituents();
}

void KalRule::SetTLKalConstituentsFromString(const std::string& text) {
  ReadConstituents(text, m_RuleType == RULE_TYPE_LEXICAL, &m_vTLConstituents);
  OnChangeConstituents();
}

// ---- KalGrammarRule, KalLexiconRule

KalRule* KalGrammarRule::Clone() {
  KalGrammarRule* copy = new KalGrammarRule();
  copy->Copy(this);
  return copy;
}

namespace {

std::string QuotedWords(const std::vector<std::string>& words) {
  std::string text;
  for (size_t i = 0; i < words.size(); ++i) text += (i ? " " : "") + KalRuleUtils::Quote(words[i]);
  return text;
}

}  // namespace

KalLexiconRule::KalLexiconRule(POS_TYPE pos, KalRuleIDManager* manager,
                               std::vector<std::string>& slWords,
                               std::vector<std::string>& tlWords)
    : KalRule(RULE_TYPE_LEXICAL) {
  m_RuleID.m_POS = pos;
  if (manager != nullptr) m_RuleID.m_RuleNum = manager->CreateNewRuleID(pos);
  SetSLLexicon(slWords);
  SetTLLexicon(tlWords);
  AddAlignment(1, 1);
}

KalRule* KalLexiconRule::Clone() {
  KalLexiconRule* copy = new KalLexiconRule();
  copy->Copy(this);
  return copy;
}

void KalLexiconRule::SetSLLexicon(const std::vector<std::string>& words) {
  SetSLKalConstituentsFromString(QuotedWords(words));
}

void KalLexiconRule::SetTLLexicon(const std::vector<std::string>& words) {
  SetTLKalConstituentsFromString(QuotedWords(words));
}

bool KalLexiconRule::AreSameLexicon(const std::vector<std::string>& sl,
                                    const std::vector<std::string>& tl) const {
  return m_vszSLLexicon == sl && m_vszTLLexicon == tl;
}

void KalLexiconRule::OnCopy(KalRule* other) {
  if (auto* lex = dynamic_cast<KalLexiconRule*>(other)) {
    m_vszSLLexicon = lex->m_vszSLLexicon;
    m_vszTLLexicon = lex->m_vszTLLexicon;
  }
}

void KalLexiconRule::OnChangeConstituents() {
  auto words = [](const ConstituentList& list) {
    std::vector<std::string> out;
    for (const auto& c : list) {
      auto* lit = dynamic_cast<const LiteralConstituent*>(c.get());
      if (lit == nullptr) continue;
      std::string text = lit->GetLiteral();
      for (char& ch : text)
        if (ch == '"') ch = ' ';
      for (std::string& w : KalRuleUtils::SplitWords(text)) out.push_back(std::move(w));
    }
    return out;
  };
  m_vszSLLexicon = words(m_vSLConstituents);
  m_vszTLLexicon = words(m_vTLConstituents);
}

void KalLexiconRule::OnReset() {
  m_vszSLLexicon.clear();
  m_vszTLLexicon.clear();
}

KalRule* KalRuleFactory::CreateFromString(const std::string& text) {
  KalRule* rule = nullptr;
  switch (KalRule::GetRuleTypeFromString(text)) {
    case RULE_TYPE_LEXICAL: rule = new KalLexiconRule(); break;
    case RULE_TYPE_GRAMMAR: rule = new KalGrammarRule(); break;
    case RULE_TYPE_INVALID: return nullptr;
  }
  if (!rule->LoadFromString(text)) {
    rule->Release();
    return nullptr;
  }
  return rule;
}
