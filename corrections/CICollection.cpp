// corrections/CICollection.cpp
#include "corrections/CICollection.h"

#include <algorithm>
#include <iostream>

#include "corrections/CorrectionInstance.h"

// ---- CIVector

CorrectionInstance* CIVector::GetCI(int i) const {
  if (i < 0 || i >= static_cast<int>(size())) return nullptr;
  return (*this)[static_cast<size_t>(i)];
}

CorrectionInstance* CIVector::GetBestCI() const {
  CorrectionInstance* best = nullptr;
  for (CorrectionInstance* pCI : *this)
    if (pCI && (!best || pCI->EvidenceForRefinement() > best->EvidenceForRefinement())) best = pCI;
  return best;
}

void CIVector::AddRefs() const {
  for (CorrectionInstance* pCI : *this)
    if (pCI) pCI->AddRef();
}

void CIVector::ReleaseAll() const {
  for (CorrectionInstance* pCI : *this)
    if (pCI) pCI->Release();
}

// ---- CICollectionIndex

CICollectionIndex::CICollectionIndex(const std::vector<std::string*>& keys) {
  for (const std::string* key : keys)
    if (key) m_vKeys.push_back(*key);
}

void CICollectionIndex::AddCI(CorrectionInstance* pCI) {
  if (!pCI) return;
  for (CorrectionInstance* existing : m_vpCIs) {
    if (existing->CompareCIs(*pCI) == EXACT_EQUIVELENT) {
      existing->AddIDSFromCI(pCI);
      return;
    }
  }
  pCI->AddRef();
  m_vpCIs.push_back(pCI);
  std::cout << "Number of CIs for this index: " << m_vpCIs.size() << "\n";
}

void CICollectionIndex::Cleanup() {
  m_vpCIs.ReleaseAll();
  m_vpCIs.clear();
}

void CICollectionIndex::debugPrint() const {
  std::cout << "Keys :\n";
  for (const std::string& key : m_vKeys) std::cout << key << "\n";
  std::cout << "Size : " << m_vpCIs.size() << "\n";
}

// ---- CIRanker

bool CIRanker::operator()(CorrectionInstance* a, CorrectionInstance* b) const {
  return a->ErrorComplexity() < b->ErrorComplexity();
}

// ---- CICollection

void CICollection::AddCI(CorrectionInstance* pCI) {
  if (!pCI) return;
  std::vector<std::string> keys{pCI->GetSLSentence(), pCI->GetTLSentence()};
  pCI->AddRef();
  m_vCIs.push_back(pCI);
  std::cout << "Size of the Collection is " << m_vCIs.size() << "\n";
  GetCorrectIndex(keys, true)->AddCI(pCI);
  keys.push_back(pCI->GetCTLSentence());
  GetCorrectIndex(keys, true)->AddCI(pCI);
}

CorrectionInstance* CICollection::GetCI(const std::string& szID) const {
  for (CorrectionInstance* pCI : m_vCIs)
    if (pCI->HasID(szID)) return pCI;
  return nullptr;
}

CIVector* CICollection::FindCIs(const std::string& SL, const std::string& TL) {
  CICollectionIndex* index = GetCorrectIndex({SL, TL}, false);
  return index ? &index->GetCIs() : nullptr;
}

CIVector* CICollection::FindCIs(const std::string& SL, const std::string& TL,
                                const std::string& CTL) {
  CICollectionIndex* index = GetCorrectIndex({SL, TL, CTL}, false);
  return index ? &index->GetCIs() : nullptr;
}

CICollectionIndex* CICollection::GetCorrectIndex(const std::vector<std::string>& keys,
                                                 bool create) {
  std::vector<std::unique_ptr<CICollectionIndex>>* indices = nullptr;
  if (keys.size() == 2)
    indices = &m_vSLTLIndices;
  else if (keys.size() == 3)
    indices = &m_vSLTLCTLIndices;
  else
    return nullptr;
  for (auto& index : *indices)
    if (index->DoKeysMatch(keys)) return index.get();
  if (!create) return nullptr;
  indices->push_back(std::make_unique<CICollectionIndex>(keys));
  return indices->back().get();
}

std::unique_ptr<CICollection> CICollection::CreateBestCICollection() {
  auto best = std::make_unique<CICollection>();
  for (auto& index : m_vSLTLIndices) best->AddCI(index->GetCIs().GetBestCI());
  return best;
}

void CICollection::Rank() { std::stable_sort(m_vCIs.begin(), m_vCIs.end(), CIRanker()); }

void CICollection::Cleanup() {
  m_vSLTLIndices.clear();
  m_vSLTLCTLIndices.clear();
  m_vCIs.ReleaseAll();
  m_vCIs.clear();
}

void CICollection::debugPrint() const {
  std::cout << "SL and TL indices : \n";
  for (const auto& index : m_vSLTLIndices) index->debugPrint();
  std::cout << "SL, TL, and CTL indices : \n";
  for (const auto& index : m_vSLTLCTLIndices) index->debugPrint();
}
