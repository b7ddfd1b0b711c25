// corrections/CorrectionInstance.cpp
#include "corrections/CorrectionInstance.h"

#include <algorithm>
#include <iostream>

CorrectionInstance::~CorrectionInstance() { Reset(); }

namespace {

Word* WordAt(std::vector<Word>& words, int i) {
  if (i < 1 || i > static_cast<int>(words.size())) return nullptr;
  return &words[static_cast<size_t>(i - 1)];
}

bool IsAlignmentAction(const Action* pAct) {
  return pAct->GetType() == ADD_ALIGNMENT || pAct->GetType() == CLEAR_ALIGNMENT;
}

}  // namespace

Word* CorrectionInstance::GetSLWord(int i) { return WordAt(SLWords, i); }
Word* CorrectionInstance::GetTLWord(int i) { return WordAt(TLWords, i); }
Word* CorrectionInstance::GetCTLWord(int i) { return WordAt(CTLWords, i); }

void CorrectionInstance::GetTLAlignments(int i, std::vector<int>& v) const {
  v.clear();
  if (i >= 1 && i <= GetNumSLWords()) v = SLWords[static_cast<size_t>(i - 1)].alignments;
}

void CorrectionInstance::GetCTLAlignments(int i, std::vector<int>& v) const {
  v.clear();
  if (i >= 1 && i <= GetNumSLWords()) v = SLWords[static_cast<size_t>(i - 1)].Calignments;
}

Action* CorrectionInstance::GetAction(int i) const {
  if (i < 0 || i >= GetNumActions()) return nullptr;
  return Actions[static_cast<size_t>(i)].get();
}

void CorrectionInstance::AddAction(Action* pAct) {
  if (!pAct) return;
  Actions.emplace_back(pAct);
  if (!IsAlignmentAction(pAct)) ++m_cNumNonAlignActions;
  pAct->ApplyToWords(SLWords, CTLWords);
  UpdateSentenceStrings();
  m_fCDEDirty = true;
}

void CorrectionInstance::SetParse(const std::string& szParse) {
  Parse = szParse;
  m_tree = ParseTree();
  m_tree.ProcessCStructureIntoTree(szParse);
  std::cout << "CorrectionInstance::SetParse: Setting ParseTree for " << TLS << "\n";
  m_tree.PrintTree();
  std::cout << "\n\n";
}

void CorrectionInstance::GetID(int i, std::string& szID) const {
  if (i >= 0 && i < GetNumIDs()) szID = m_IDs[static_cast<size_t>(i)];
}

bool CorrectionInstance::HasID(const std::string& szID) const {
  return std::find(m_IDs.begin(), m_IDs.end(), szID) != m_IDs.end();
}

void CorrectionInstance::AddIDSFromCI(CorrectionInstance* pCI) {
  if (!pCI) return;
  // Copy first: pCI may be this instance.
  const std::vector<std::string> ids = pCI->m_IDs;
  m_IDs.insert(m_IDs.end(), ids.begin(), ids.end());
}

void CorrectionInstance::CalculateDependentErrors() {
  m_fContainsDependentErrors = false;
  for (size_t i = 0; i < Actions.size(); ++i) {
    if (IsAlignmentAction(Actions[i].get())) continue;
    int p = Actions[i]->GetCTLWordPosAffected();
    for (size_t j = i + 1; j < Actions.size() && p != -1; ++j) {
      Action* later = Actions[j].get();
      const ACTION_TYPE t = later->GetType();
      if ((t == EDIT || t == DELETE || t == CHANGE_WORD_ORDER) &&
          later->GetCTLWordPosAffected() == p) {
        m_fContainsDependentErrors = true;
        return;
      }
      p = later->GetHowAffectsPos(p);
    }
  }
}

bool CorrectionInstance::ContainsDependentErrors() {
  if (m_fCDEDirty) {
    CalculateDependentErrors();
    m_fCDEDirty = false;
  }
  return m_fContainsDependentErrors;
}

int CorrectionInstance::ErrorComplexity() {
  return m_cNumNonAlignActions + (ContainsDependentErrors() ? 1 : 0);
}

void CorrectionInstance::GetRulesInCommon(CorrectionInstance* pCI,
                                          std::vector<KalRuleID>& vRules) const {
  if (!pCI) return;
  for (const auto& mine : Actions)
    for (const auto& theirs : pCI->Actions) mine->AddCommonRulesToVector(theirs.get(), vRules);
}

CI_COMPARISON_TYPE CorrectionInstance::CompareCIs(CorrectionInstance& other) const {
  if (!AreWordVectorsEqual(SLWords, other.SLWords) ||
      !AreWordVectorsEqual(TLWords, other.TLWords) ||
      !AreWordVectorsEqual(CTLWords, other.CTLWords))
    return NOT_EQUIVELENT;
  if (Actions.size() != other.Actions.size()) return DIFF_ACTIONS_EQUIVELENT;
  for (size_t i = 0; i < Actions.size(); ++i)
    if (!Actions[i]->AreEqual(other.Actions[i].get())) return DIFF_ACTIONS_EQUIVELENT;
  return EXACT_EQUIVELENT;
}

void CorrectionInstance::Reset() {
  Actions.clear();
  SLS.clear();
  TLS.clear();
  CTLS.clear();
  SLWords.clear();
  TLWords.clear();
  CTLWords.clear();
  m_IDs.clear();
  m_fLeadToRefinement = false;
  m_fIncreasedMTAccuracy = false;
  m_fContainsDependentErrors = false;
  m_fCDEDirty = true;
  m_cNumNonAlignActions = 0;
}

void CorrectionInstance::UpdateSentenceStrings() {
  WordVectorToString(SLWords, SLS);
  WordVectorToString(TLWords, TLS);
  WordVectorToString(CTLWords, CTLS);
}
