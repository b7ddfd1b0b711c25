// rules/KalRulePrimitives.cpp
// The operations the refinements change rules with: deriving rules, finding
// the rule in effect, locating words of a translation among a rule's target
// constituents, and editing target sides and lexical entries.
#include "rules/KalRule.h"

#include "rules/KalRuleCollection.h"
#include "rules/KalRuleUtils.h"
#include "rules/ParseTree.h"

#include <algorithm>
#include <iostream>
#include <unordered_set>

namespace {

// Every constituent is a category constituent of the category found at
// `offset` + its index in `level`.
bool MatchesAt(const std::vector<POS_TYPE>& level, const std::vector<KalConstituent*>& list,
               size_t offset) {
  if (offset >= level.size() || offset + list.size() > level.size()) return false;
  for (size_t j = 0; j < list.size(); ++j) {
    auto* pos = dynamic_cast<const POSConstituent*>(list[j]);
    if (pos == nullptr || pos->GetPOSType() != level[offset + j]) return false;
  }
  return true;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// True when the first occurrence of `end` in `text` is at its end.
bool FirstOccurrenceAtEnd(const std::string& text, const std::string& end) {
  size_t at = text.find(end);
  return at != std::string::npos && at == text.size() - end.size();
}

// A word as the value of an equation: quoted when it is no plain token of
// the rule syntax, so that the engine reads it back as one value.
std::string ValueText(const std::string& word) {
  return KalRuleUtils::IsTokenText(word) ? word : KalRuleUtils::Quote(word);
}

}  // namespace

KalRule* KalRule::Bifurcate(KalRuleIDManager* manager) {
  if (manager == nullptr) return nullptr;
  const int number = manager->CreateNewRuleID(m_RuleID.m_POS);
  if (number == -1) return nullptr;
  KalRule* copy = Clone();
  copy->SetRuleID(KalRuleID(m_RuleID.m_POS, number));
  AddChild(copy);
  return copy;
}

KalRule* KalRule::GetFirstEnabled() {
  std::vector<KalRule*> stack{this};
  // The hierarchy refuses cycles; this guards the search all the same.
  std::unordered_set<KalRule*> seen;
  while (!stack.empty()) {
    KalRule* rule = stack.back();
    stack.pop_back();
    if (!seen.insert(rule).second) continue;
    if (rule->IsEnabled()) return rule;
    for (int i = 0; i < rule->GetNumChildren(); ++i)
      stack.push_back(static_cast<KalRule*>(rule->GetChild(i)));
  }
  return nullptr;
}

void KalRule::Percolate(KalRuleIDManager* manager, KalRuleCollection* collection,
                        const KalRuleID& ruleID, int wordPos, const std::string& feature,
                        ParseTree* tree) {
  if (manager == nullptr || collection == nullptr || tree == nullptr) return;
  TreeNode* leaf = tree->GetLeaf(wordPos - 1);
  if (leaf == nullptr) return;
  std::cout << leaf->Label << ' ' << leaf->Word << '\n';
  TreeNode* node = leaf;
  for (TreeNode* parent = leaf->Parent; parent != nullptr; parent = parent->Parent) {
    KalRuleID id;
    id.LoadFromString(parent->Label);
    if (id == ruleID) break;
    const int k = parent->GetChildPos(node);
    KalRule* rule = collection->GetRule(id);
    KalRule* inEffect = rule != nullptr ? rule->GetFirstEnabled() : nullptr;
    // Without a rule to refine here the feature cannot pass this node, so
    // refining the rules above it would not help.
    KalRule* copy = inEffect != nullptr ? inEffect->Bifurcate(manager) : nullptr;
    if (copy == nullptr) break;
    inEffect->SetEnabled(false);
    KalConstraint* agreement = new KalConstraint();
    agreement->SetAgrConstraint(ETYPE_EQUATION, feature, feature, 0, k + 1);
    copy->AddConstraint(agreement);
    agreement->Release();
    std::cout << "New rule : " << '\n';
    copy->output(std::cout);
    collection->AddRule(copy);
    copy->Release();
    node = parent;
  }
}

int KalRule::MatchPOStoConstituents(const std::vector<POS_TYPE>& levelPOS,
                                    const std::vector<KalConstituent*>& constituents) const {
  for (size_t i = 0; i < levelPOS.size(); ++i)
    if (MatchesAt(levelPOS, constituents, i)) return static_cast<int>(i);
  return -1;
}

int KalRule::RuleInstantiation(int wordPos, ParseTree* tree, int& pos, bool fromLeaf) {
  pos = -1;
  TreeNode* leaf = tree != nullptr ? tree->GetLeaf(wordPos - 1) : nullptr;
  if (leaf == nullptr || leaf->Parent == nullptr) return pos;
  std::vector<KalConstituent*> target;
  for (const auto& c : m_vTLConstituents) target.push_back(c.get());
  const int n = static_cast<int>(target.size());
  std::vector<POS_TYPE> level;
  for (TreeNode* node = fromLeaf ? leaf : leaf->Parent; node != nullptr; node = node->Parent) {
    node->GetPOSofLevel(level);
    const int index = node->GetNodePosOnLevel();
    // Only a match that covers the node says where the node stands in the
    // rule; one elsewhere on the level says nothing about it.
    for (int offset = std::max(0, index - n + 1); offset <= index; ++offset) {
      if (MatchesAt(level, target, static_cast<size_t>(offset))) {
        pos = index - offset + 1;
        return pos;
      }
    }
  }
  return pos;
}

void KalRule::RuleInstantiation(int wordPos1, int wordPos2, ParseTree* tree, int& pos1, int& pos2) {
  pos1 = pos2 = -1;
  if (tree == nullptr) return;
  TreeNode* leaf1 = tree->GetLeaf(wordPos1 - 1);
  TreeNode* leaf2 = tree->GetLeaf(wordPos2 - 1);
  if (leaf1 == nullptr || leaf2 == nullptr) return;
  TreeNode* common = leaf1->GetFirstCommonParent(leaf2);
  if (common == nullptr) return;
  int i1 = -1, i2 = -1;
  TreeNode* node1 = leaf1->GetChildOfParentNodeIsIn(common, i1);
  TreeNode* node2 = leaf2->GetChildOfParentNodeIsIn(common, i2);
  if (node1 == nullptr || node2 == nullptr) return;
  const POS_TYPE c1 = node1->GetPOS();
  const POS_TYPE c2 = node2->GetPOS();
  const int d = i2 - i1;
  auto isCategory = [this](int i, POS_TYPE category) {
    auto* pos = dynamic_cast<const POSConstituent*>(GetTLConstituent(i));
    return pos != nullptr && pos->GetPOSType() == category;
  };
  for (int i = 0; i < GetNumTLConstituents(); ++i) {
    if (isCategory(i, c1) && isCategory(i + d, c2)) {
      pos1 = i + 1;
      pos2 = i + d + 1;
      return;
    }
  }
}

void KalRule::RenumberTLPositions(const std::function<int(int)>& map) {
  for (Alignment& a : m_vAlignments) a.m_iTLWord = map(a.m_iTLWord);
  for (KalConstraint* c : m_vConstraints) c->RenumberTLPositions(map);
}

void KalRule::AddConstituentToRHS(KalConstituent* constituent, int pos) {
  if (constituent == nullptr) return;
  std::unique_ptr<KalConstituent> owned(constituent);
  const int n = GetNumTLConstituents();
  pos = std::min(std::max(pos, 1), n + 1);
  m_vTLConstituents.insert(m_vTLConstituents.begin() + (pos - 1), std::move(owned));
  if (pos <= n) RenumberTLPositions([pos](int p) { return p >= pos ? p + 1 : p; });
  OnChangeConstituents();
}

void KalRule::MoveConstituentInRHS(int from, int to) {
  const int n = GetNumTLConstituents();
  if (from < 1 || from > n || to < 1 || to > n || from == to) return;
  auto first = m_vTLConstituents.begin();
  if (from < to)
    std::rotate(first + (from - 1), first + from, first + to);
  else
    std::rotate(first + (to - 1), first + (from - 1), first + from);
  RenumberTLPositions([from, to](int p) { return KalRuleUtils::GetShiftedPos(from, to, p); });
  OnChangeConstituents();
}

void KalLexiconRule::Delta(KalLexiconRule* other, std::vector<std::string>& out) const {
  out.clear();
  if (other == nullptr) return;
  if (m_RuleID.m_POS != other->m_RuleID.m_POS ||
      m_RuleID.m_szCategory != other->m_RuleID.m_szCategory) {
    out.push_back("POS");
    return;
  }
  for (const KalConstraint* a : m_vConstraints) {
    for (const KalConstraint* b : other->m_vConstraints) {
      if (a->GetConstraintType() == CTYPE_VALUE && b->GetConstraintType() == CTYPE_VALUE &&
          a->HaveSameFeature(b) && !a->HaveSameValues(b))
        out.push_back(a->GetFeatureLHS());
    }
  }
}

void KalLexiconRule::SetConstraintsFromPOS(POS_TYPE category) {
  ClearConstraints();
  const std::string s = m_vszSLLexicon.empty() ? "" : m_vszSLLexicon.back();
  const std::string t = m_vszTLLexicon.empty() ? "" : m_vszTLLexicon.back();
  switch (category) {
    case POS_TYPE_NOUN:
      AddConstraint("(x0 agr pers) = 3");
      if (t.empty()) break;
      if (EndsWith(t, "s")) {
        AddConstraint("(x0 agr num) = pl");
        AddConstraint(t.size() > 1 && t[t.size() - 2] == 'a' ? "(x0 agr gen) = fem"
                                                             : "(x0 agr gen) = masc");
      } else {
        AddConstraint("(x0 agr num) = sg");
        AddConstraint(EndsWith(t, "a") ? "(x0 agr gen) = fem" : "(x0 agr gen) = masc");
      }
      break;
    case POS_TYPE_VERB:
      AddConstraint("(x0 actform) = " + ValueText(s));
      AddConstraint("(x0 type) = tr");
      if (FirstOccurrenceAtEnd(t, "ar") || FirstOccurrenceAtEnd(t, "ir") ||
          FirstOccurrenceAtEnd(t, "er")) {
        AddConstraint("(x0 tense) = inf");
        break;
      }
      AddConstraint(FirstOccurrenceAtEnd(t,
                                         "\xA1"
                                         "a") ||
                            FirstOccurrenceAtEnd(t, "aba")
                        ? "(x0 tense) = past-pi"
                        : "(x0 tense) = (*OR* past-pp pres)");
      AddConstraint("(x0 agr pers) = 3");
      AddConstraint("(x0 agr num) = sg");
      break;
    case POS_TYPE_ADV:
    case POS_TYPE_PREP:
      AddConstraint("(x0 form) = " + ValueText(s));
      break;
    case POS_TYPE_PRON:
      AddConstraint("(x0 agr pers) = 3");
      AddConstraint("(x0 agr num) = sg");
      AddConstraint("(x0 case) = nom");
      break;
    default:
      break;
  }
}
