// corrections/CICollection.h
#pragma once

#include <memory>
#include <string>
#include <vector>

class CorrectionInstance;

// A sequence of instances. It takes and gives up references only when told
// to (AddRefs, ReleaseAll); its owner decides.
class CIVector : public std::vector<CorrectionInstance*> {
 public:
  // Instance i (0-based), null when out of range.
  CorrectionInstance* GetCI(int i) const;
  // The instance that stands for the most logs; the earliest on a tie; null
  // when empty.
  CorrectionInstance* GetBestCI() const;
  void AddRefs() const;
  void ReleaseAll() const;
};

// One group of instances sharing a key: the source and translation strings,
// and for the second kind of index the corrected translation as well. Holds
// one reference on each instance in it.
class CICollectionIndex {
 public:
  explicit CICollectionIndex(const std::vector<std::string>& keys) : m_vKeys(keys) {}
  // Copies the non-null keys.
  explicit CICollectionIndex(const std::vector<std::string*>& keys);
  ~CICollectionIndex() { Cleanup(); }
  CICollectionIndex(const CICollectionIndex&) = delete;
  CICollectionIndex& operator=(const CICollectionIndex&) = delete;

  // An instance exactly equivalent to one already here only adds its
  // identifiers to that one; any other is added.
  void AddCI(CorrectionInstance* pCI);
  bool DoKeysMatch(const std::vector<std::string>& keys) const { return keys == m_vKeys; }
  CIVector& GetCIs() { return m_vpCIs; }
  void Cleanup();
  void debugPrint() const;

 private:
  CIVector m_vpCIs;
  std::vector<std::string> m_vKeys;
};

// true when the first instance has the smaller ErrorComplexity().
struct CIRanker {
  bool operator()(CorrectionInstance* a, CorrectionInstance* b) const;
};

// Every instance of a run in arrival order, duplicates included, and two
// indices grouping them by source and translation, and by source,
// translation and corrected translation.
class CICollection {
 public:
  CICollection() = default;
  ~CICollection() { Cleanup(); }
  CICollection(const CICollection&) = delete;
  CICollection& operator=(const CICollection&) = delete;

  void AddCI(CorrectionInstance* pCI);
  int NumCIs() const { return static_cast<int>(m_vCIs.size()); }
  // Instance i (0-based), null when out of range.
  CorrectionInstance* GetCI(int i) const { return m_vCIs.GetCI(i); }
  // The first instance with this identifier, null when none.
  CorrectionInstance* GetCI(const std::string& szID) const;
  // The instances of an existing index with these keys, null when none.
  CIVector* FindCIs(const std::string& SL, const std::string& TL);
  CIVector* FindCIs(const std::string& SL, const std::string& TL, const std::string& CTL);
  // Two keys select the source-translation indices, three the three-key
  // ones, any other count gives null. The first index whose keys match;
  // when none does and `create` is set, a new one.
  CICollectionIndex* GetCorrectIndex(const std::vector<std::string>& keys, bool create);
  // A new collection of the best instance of every source-translation index.
  std::unique_ptr<CICollection> CreateBestCICollection();
  // Least complex first; instances of equal complexity keep their order.
  void Rank();
  void Cleanup();
  void debugPrint() const;

 private:
  std::vector<std::unique_ptr<CICollectionIndex>> m_vSLTLIndices;
  std::vector<std::unique_ptr<CICollectionIndex>> m_vSLTLCTLIndices;
  CIVector m_vCIs;
};
