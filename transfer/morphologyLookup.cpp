// transfer/morphologyLookup.cpp
// Word lookup through the morphological analysis server.
#include "transfer/transfer.h"

// Entries come from a connected analysis server only, and the engine has no
// client for one yet, so nothing is ever connected here.
int TransferEngine::addWordEntriesWithMorphology(const std::string&, int,
                                                 const std::vector<std::string>&) {
  return 0;
}
