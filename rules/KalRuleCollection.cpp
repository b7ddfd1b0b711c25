// rules/KalRuleCollection.cpp
#include "rules/KalRuleCollection.h"

#include <climits>

void KalRuleIDManager::DeclareUsingRuleID(POS_TYPE pos, int n) {
  if (pos < 0 || pos >= NUM_POS_TYPE) return;
  if (n > m_viMaxIDs[pos]) m_viMaxIDs[pos] = n;
}

int KalRuleIDManager::CreateNewRuleID(POS_TYPE pos) {
  if (pos < 0 || pos >= NUM_POS_TYPE || m_viMaxIDs[pos] == INT_MAX) return -1;
  return ++m_viMaxIDs[pos];
}
