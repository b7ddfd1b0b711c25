// rules/KalRuleCollection.h
#pragma once

#include "rules/KalRule.h"

#include <vector>

// The highest rule number in use for each category of the table. Numbers
// start at 1 and are never reused. A category outside the table has no entry:
// nothing is declared for it and no number can be created for it.
class KalRuleIDManager {
 public:
  KalRuleIDManager() : m_viMaxIDs(NUM_POS_TYPE, 0) {}

  // The entry of `pos` becomes the larger of itself and `n`.
  void DeclareUsingRuleID(POS_TYPE pos, int n);
  // The entry of `pos` plus one, declared at once; -1 for a category outside
  // the table.
  int CreateNewRuleID(POS_TYPE pos);

 private:
  std::vector<int> m_viMaxIDs;
};
