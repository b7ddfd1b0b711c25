// corrections/Action.cpp
#include "corrections/Action.h"

#include "rules/ParseTree.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <iostream>
#include <sstream>

namespace {

// 1 + GetShiftedPos(old0, new0, iPos - 1), computed without overflow for
// any int arguments.
int ShiftOneBased(long long old0, long long new0, int iPos) {
  const long long v = static_cast<long long>(iPos) - 1;
  long long r = v;
  if (v == old0)
    r = new0;
  else if (new0 <= v && v < old0)
    r = v + 1;
  else if (old0 < v && v <= new0)
    r = v - 1;
  return static_cast<int>(
      std::clamp(r + 1, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}

bool IsValidPos(int pos, const std::vector<Word>& words) {
  return pos >= 1 && pos <= static_cast<int>(words.size());
}

// The single entry of a vector of carried-forward positions, or false.
bool Single(const std::vector<int>& v, int& pos) {
  if (v.size() != 1) return false;
  pos = v[0];
  return true;
}

}  // namespace

// ---- Action

bool Action::AreEqual(Action* pAction) { return pAction && pAction->m_Type == m_Type; }

int Action::GetClueWordPos(int i) const {
  if (i < 0 || i >= GetNumClueWords()) return -1;
  return m_vClueWordPos[static_cast<size_t>(i)];
}

void Action::AddRuleAndLexID(const std::string& szRuleID, const std::string& szLexID) {
  KalRuleID id;
  id.LoadFromString(szRuleID);
  m_vRules.push_back(id);
  m_vszLexIDs.push_back(szLexID);
}

void Action::GetAffectedRuleAndLexID(int i, KalRuleID& RuleID, std::string& szLexID) const {
  if (i < 0 || i >= GetNumAffectedRules()) return;
  RuleID = m_vRules[static_cast<size_t>(i)];
  szLexID = m_vszLexIDs[static_cast<size_t>(i)];
}

void Action::AddCommonRulesToVector(Action* pAct, std::vector<KalRuleID>& vRules) const {
  if (!pAct) return;
  for (const KalRuleID& theirs : pAct->m_vRules)
    for (const KalRuleID& mine : m_vRules)
      if (mine == theirs) vRules.push_back(mine);
}

int Action::GetShiftedPos(int OldVectPos, int NewVectPos, int VectPos) {
  if (VectPos == OldVectPos) return NewVectPos;
  if (NewVectPos <= VectPos && VectPos < OldVectPos) return VectPos + 1;
  if (OldVectPos < VectPos && VectPos <= NewVectPos) return VectPos - 1;
  return VectPos;
}

void Action::ShiftWord(int OldVectPos, int NewVectPos, std::vector<Word>& SLWords,
                       std::vector<Word>& CLWords) {
  const int n = static_cast<int>(CLWords.size());
  if (OldVectPos < 0 || NewVectPos < 0 || OldVectPos >= n || NewVectPos >= n) return;
  auto from = CLWords.begin() + OldVectPos;
  auto to = CLWords.begin() + NewVectPos;
  if (OldVectPos < NewVectPos)
    std::rotate(from, from + 1, to + 1);
  else if (NewVectPos < OldVectPos)
    std::rotate(to, from, from + 1);
  for (Word& w : SLWords)
    for (int& p : w.Calignments) p = ShiftOneBased(OldVectPos, NewVectPos, p);
}

int Action::TLPosOf(int ctlPos, const std::vector<int>& vTLPosOfCTLPos) {
  if (vTLPosOfCTLPos.empty()) return ctlPos;
  if (ctlPos < 1 || ctlPos > static_cast<int>(vTLPosOfCTLPos.size())) return -1;
  return vTLPosOfCTLPos[static_cast<size_t>(ctlPos - 1)];
}

TreeNode* Action::LeafOf(const std::vector<Word>& TLWords, int tlPos, ParseTree* pTree) {
  if (!pTree || !IsValidPos(tlPos, TLWords)) return nullptr;
  const std::string& word = TLWords[static_cast<size_t>(tlPos - 1)].value;
  // The leaf at the word's own position, when it holds that word: a word that
  // occurs twice must not take the rule of its other occurrence.
  if (TreeNode* leaf = pTree->GetLeaf(tlPos - 1)) {
    std::string quoted = leaf->Word;
    if (quoted.size() >= 2 && quoted.front() == '\'' && quoted.back() == '\'')
      quoted = quoted.substr(1, quoted.size() - 2);
    std::istringstream words(quoted);
    std::string upper = word;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (std::string w; words >> w;)
      if (w == upper) return leaf;
  }
  return pTree->FindNode(word);
}

bool Action::AddRuleOfLeaf(const TreeNode* leaf, const std::string& szLexID) {
  if (!leaf || !leaf->Parent) return false;
  AddRuleAndLexID(leaf->Parent->Label, szLexID);
  return true;
}

// ---- add

void ActionAddWord::ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) {
  Word w;
  w.value = m_szAddedWord;
  CTLWords.push_back(std::move(w));
  if (m_AddedPos >= 1)
    ShiftWord(static_cast<int>(CTLWords.size()) - 1, m_AddedPos - 1, SLWords, CTLWords);
  MirrorCorrectedAlignments(SLWords, CTLWords);
}

void ActionAddWord::debugPrint() {
  std::cout << "Action Add Word -> m_szAddedWord = " << m_szAddedWord
            << " m_AddedPos = " << m_AddedPos << "\n";
}

void ActionAddWord::PutAffectedPositionsInVector(std::vector<int>& vSLPos,
                                                 std::vector<int>& vTLPos) {
  vSLPos.clear();
  vTLPos.clear();
  vTLPos.push_back(m_AddedPos);
}

bool ActionAddWord::AreActionsOpposite(std::vector<int>&, std::vector<int>& vAdjustedTLPos,
                                       Action* pAction) {
  int pos;
  if (!pAction || pAction->GetType() != DELETE || !Single(vAdjustedTLPos, pos)) return false;
  return static_cast<ActionDeleteWord*>(pAction)->GetPosDelete() == pos;
}

int ActionAddWord::GetHowAffectsPos(int iPos) {
  return ShiftOneBased(kBeyondEnd, static_cast<long long>(m_AddedPos) - 1, iPos);
}

int ActionAddWord::GetHowAffectsPosIfDeleted(int iPos) {
  return iPos > m_AddedPos ? iPos - 1 : iPos;
}

void ActionAddWord::AdjustToDeletedAction(Action* pAction) {
  if (pAction) m_AddedPos = pAction->GetHowAffectsPosIfDeleted(m_AddedPos);
}

bool ActionAddWord::AreEqual(Action* pAction) {
  if (!Action::AreEqual(pAction)) return false;
  auto* other = static_cast<ActionAddWord*>(pAction);
  return other->m_AddedPos == m_AddedPos && other->m_szAddedWord == m_szAddedWord;
}

void ActionAddWord::AddAffectedRules(std::vector<Word>&, std::vector<Word>& TLWords,
                                     ParseTree* pTree, const std::vector<int>& vTLPosOfCTLPos) {
  if (!pTree) return;
  TreeNode* before = nullptr;
  if (m_AddedPos >= 2) {
    before = LeafOf(TLWords, TLPosOf(m_AddedPos - 1, vTLPosOfCTLPos), pTree);
    if (before) AddRuleOfLeaf(before, before->Word);
  }
  TreeNode* after = LeafOf(TLWords, TLPosOf(m_AddedPos, vTLPosOfCTLPos), pTree);
  if (!after) return;
  if (before && before->Parent == after->Parent) return;
  AddRuleOfLeaf(after, after->Word);
}

// ---- edit

void ActionEditWord::ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) {
  if (IsValidPos(m_PosEdit, CTLWords))
    CTLWords[static_cast<size_t>(m_PosEdit - 1)].value = m_szEdit;
  MirrorCorrectedAlignments(SLWords, CTLWords);
}

void ActionEditWord::debugPrint() {
  std::cout << "Action Edit Word -> m_PosEdit = " << m_PosEdit << " m_szEdit = " << m_szEdit
            << "\n";
}

void ActionEditWord::PutAffectedPositionsInVector(std::vector<int>& vSLPos,
                                                  std::vector<int>& vTLPos) {
  vSLPos.clear();
  vTLPos.clear();
  vTLPos.push_back(m_PosEdit);
}

bool ActionEditWord::AreActionsOpposite(std::vector<int>&, std::vector<int>& vAdjustedTLPos,
                                        Action* pAction) {
  int pos;
  if (!pAction || pAction->GetType() != EDIT || !Single(vAdjustedTLPos, pos)) return false;
  return static_cast<ActionEditWord*>(pAction)->GetPosEdit() == pos;
}

void ActionEditWord::AdjustToDeletedAction(Action* pAction) {
  if (pAction) m_PosEdit = pAction->GetHowAffectsPosIfDeleted(m_PosEdit);
}

bool ActionEditWord::AreEqual(Action* pAction) {
  if (!Action::AreEqual(pAction)) return false;
  auto* other = static_cast<ActionEditWord*>(pAction);
  return other->m_PosEdit == m_PosEdit && other->m_szEdit == m_szEdit;
}

void ActionEditWord::AddAffectedRules(std::vector<Word>&, std::vector<Word>& TLWords,
                                      ParseTree* pTree, const std::vector<int>& vTLPosOfCTLPos) {
  const int tlPos = TLPosOf(m_PosEdit, vTLPosOfCTLPos);
  if (TreeNode* leaf = LeafOf(TLWords, tlPos, pTree))
    AddRuleOfLeaf(leaf, TLWords[static_cast<size_t>(tlPos - 1)].value);
}

// ---- delete

void ActionDeleteWord::ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) {
  if (IsValidPos(m_PosDelete, CTLWords)) {
    const int n = static_cast<int>(CTLWords.size());
    ShiftWord(m_PosDelete - 1, n - 1, SLWords, CTLWords);
    // The word now stands last; every link to it goes, duplicates included,
    // so that no link is left pointing past the shortened sentence.
    for (Word& w : SLWords)
      w.Calignments.erase(std::remove(w.Calignments.begin(), w.Calignments.end(), n),
                          w.Calignments.end());
    CTLWords.pop_back();
  }
  MirrorCorrectedAlignments(SLWords, CTLWords);
}

void ActionDeleteWord::debugPrint() {
  std::cout << "Action Delete Word -> m_PosDelete : " << m_PosDelete << "\n";
}

void ActionDeleteWord::PutAffectedPositionsInVector(std::vector<int>& vSLPos,
                                                    std::vector<int>& vTLPos) {
  vSLPos.clear();
  vTLPos.clear();
  vTLPos.push_back(m_PosDelete);
}

bool ActionDeleteWord::AreActionsOpposite(std::vector<int>&, std::vector<int>& vAdjustedTLPos,
                                          Action* pAction) {
  int pos;
  if (!pAction || pAction->GetType() != ADD || !Single(vAdjustedTLPos, pos)) return false;
  auto* add = static_cast<ActionAddWord*>(pAction);
  return add->GetPosAdded() == pos && add->GetAddedWord() == m_szDeleteWord;
}

int ActionDeleteWord::GetHowAffectsPos(int iPos) {
  if (iPos == m_PosDelete) return -1;
  return ShiftOneBased(static_cast<long long>(m_PosDelete) - 1, kBeyondEnd, iPos);
}

int ActionDeleteWord::GetHowAffectsPosIfDeleted(int iPos) {
  return iPos >= m_PosDelete && iPos < INT_MAX ? iPos + 1 : iPos;
}

void ActionDeleteWord::AdjustToDeletedAction(Action* pAction) {
  if (pAction) m_PosDelete = pAction->GetHowAffectsPosIfDeleted(m_PosDelete);
}

bool ActionDeleteWord::AreEqual(Action* pAction) {
  if (!Action::AreEqual(pAction)) return false;
  return static_cast<ActionDeleteWord*>(pAction)->m_PosDelete == m_PosDelete;
}

void ActionDeleteWord::AddAffectedRules(std::vector<Word>&, std::vector<Word>& TLWords,
                                        ParseTree* pTree, const std::vector<int>& vTLPosOfCTLPos) {
  if (TreeNode* leaf = LeafOf(TLWords, TLPosOf(m_PosDelete, vTLPosOfCTLPos), pTree))
    AddRuleOfLeaf(leaf, leaf->Word);
}

// ---- change word order

void ActionChangeWordOrder::ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) {
  if (IsValidPos(m_OldPos, CTLWords) && IsValidPos(m_NewPos, CTLWords))
    ShiftWord(m_OldPos - 1, m_NewPos - 1, SLWords, CTLWords);
  MirrorCorrectedAlignments(SLWords, CTLWords);
}

void ActionChangeWordOrder::debugPrint() {
  std::cout << "Action Change Word Order -> m_NewPos = " << m_NewPos << " m_OldPos = " << m_OldPos
            << "\n";
}

void ActionChangeWordOrder::PutAffectedPositionsInVector(std::vector<int>& vSLPos,
                                                         std::vector<int>& vTLPos) {
  vSLPos.clear();
  vTLPos.clear();
  vTLPos.push_back(m_NewPos);
  vTLPos.push_back(m_OldPos);
}

bool ActionChangeWordOrder::AreActionsOpposite(std::vector<int>&, std::vector<int>& vAdjustedTLPos,
                                               Action* pAction) {
  if (!pAction || pAction->GetType() != CHANGE_WORD_ORDER || vAdjustedTLPos.size() < 2)
    return false;
  auto* move = static_cast<ActionChangeWordOrder*>(pAction);
  return move->m_OldPos == vAdjustedTLPos[0] && move->m_NewPos == vAdjustedTLPos[1];
}

int ActionChangeWordOrder::GetHowAffectsPos(int iPos) {
  return ShiftOneBased(static_cast<long long>(m_OldPos) - 1, static_cast<long long>(m_NewPos) - 1,
                       iPos);
}

// Undoing a move is the move back: the word at m_NewPos returns to m_OldPos
// and the words in between slide back by one.
int ActionChangeWordOrder::GetHowAffectsPosIfDeleted(int iPos) {
  return ShiftOneBased(static_cast<long long>(m_NewPos) - 1, static_cast<long long>(m_OldPos) - 1,
                       iPos);
}

void ActionChangeWordOrder::AdjustToDeletedAction(Action* pAction) {
  if (!pAction) return;
  m_NewPos = pAction->GetHowAffectsPosIfDeleted(m_NewPos);
  m_OldPos = pAction->GetHowAffectsPosIfDeleted(m_OldPos);
}

bool ActionChangeWordOrder::AreEqual(Action* pAction) {
  if (!Action::AreEqual(pAction)) return false;
  auto* other = static_cast<ActionChangeWordOrder*>(pAction);
  return other->m_OldPos == m_OldPos && other->m_NewPos == m_NewPos;
}

// The moved word is the one at m_OldPos before the move; it names both the
// leaf and the lexical identifier.
void ActionChangeWordOrder::AddAffectedRules(std::vector<Word>&, std::vector<Word>& TLWords,
                                             ParseTree* pTree,
                                             const std::vector<int>& vTLPosOfCTLPos) {
  const long long distance = static_cast<long long>(m_OldPos) - m_NewPos;
  if (distance < -1 || distance > 1) return;
  const int tlPos = TLPosOf(m_OldPos, vTLPosOfCTLPos);
  if (TreeNode* leaf = LeafOf(TLWords, tlPos, pTree))
    AddRuleOfLeaf(leaf, TLWords[static_cast<size_t>(tlPos - 1)].value);
}

// ---- add alignment

void ActionAddAlignment::ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) {
  if (IsValidPos(m_SLWordPos, SLWords) && IsValidPos(m_NewAlign, CTLWords))
    SLWords[static_cast<size_t>(m_SLWordPos - 1)].Calignments.push_back(m_NewAlign);
  MirrorCorrectedAlignments(SLWords, CTLWords);
}

void ActionAddAlignment::debugPrint() {
  std::cout << "Action Add Alignment -> m_SLWordPos = " << m_SLWordPos
            << " m_NewAlign = " << m_NewAlign << "\n";
}

void ActionAddAlignment::PutAffectedPositionsInVector(std::vector<int>& vSLPos,
                                                      std::vector<int>& vTLPos) {
  vSLPos.assign(1, m_SLWordPos);
  vTLPos.assign(1, m_NewAlign);
}

bool ActionAddAlignment::AreActionsOpposite(std::vector<int>& vAdjustedSLPos,
                                            std::vector<int>& vAdjustedTLPos, Action* pAction) {
  int sl, tl;
  if (!pAction || pAction->GetType() != CLEAR_ALIGNMENT || !Single(vAdjustedSLPos, sl) ||
      !Single(vAdjustedTLPos, tl))
    return false;
  auto* clear = static_cast<ActionClearAlignment*>(pAction);
  return clear->GetSLWordPos() == sl && clear->GetRemoveAlign() == tl;
}

void ActionAddAlignment::AdjustToDeletedAction(Action* pAction) {
  if (pAction) m_NewAlign = pAction->GetHowAffectsPosIfDeleted(m_NewAlign);
}

bool ActionAddAlignment::AreEqual(Action* pAction) {
  if (!Action::AreEqual(pAction)) return false;
  auto* other = static_cast<ActionAddAlignment*>(pAction);
  return other->m_SLWordPos == m_SLWordPos && other->m_NewAlign == m_NewAlign;
}

// ---- clear alignment

void ActionClearAlignment::ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) {
  if (IsValidPos(m_SLWordPos, SLWords)) {
    std::vector<int>& links = SLWords[static_cast<size_t>(m_SLWordPos - 1)].Calignments;
    auto it = std::find(links.begin(), links.end(), m_RemoveAlign);
    if (it != links.end()) links.erase(it);
  }
  MirrorCorrectedAlignments(SLWords, CTLWords);
}

void ActionClearAlignment::debugPrint() {
  std::cout << "Action Clear Alignment -> m_SLWordPos = " << m_SLWordPos
            << " m_RemoveAlign = " << m_RemoveAlign << "\n";
}

void ActionClearAlignment::PutAffectedPositionsInVector(std::vector<int>& vSLPos,
                                                        std::vector<int>& vTLPos) {
  vSLPos.assign(1, m_SLWordPos);
  vTLPos.assign(1, m_RemoveAlign);
}

bool ActionClearAlignment::AreActionsOpposite(std::vector<int>& vAdjustedSLPos,
                                              std::vector<int>& vAdjustedTLPos, Action* pAction) {
  int sl, tl;
  if (!pAction || pAction->GetType() != ADD_ALIGNMENT || !Single(vAdjustedSLPos, sl) ||
      !Single(vAdjustedTLPos, tl))
    return false;
  auto* add = static_cast<ActionAddAlignment*>(pAction);
  return add->GetSLWordPos() == sl && add->GetNewAlign() == tl;
}

void ActionClearAlignment::AdjustToDeletedAction(Action* pAction) {
  if (pAction) m_RemoveAlign = pAction->GetHowAffectsPosIfDeleted(m_RemoveAlign);
}

bool ActionClearAlignment::AreEqual(Action* pAction) {
  if (!Action::AreEqual(pAction)) return false;
  auto* other = static_cast<ActionClearAlignment*>(pAction);
  return other->m_SLWordPos == m_SLWordPos && other->m_RemoveAlign == m_RemoveAlign;
}
