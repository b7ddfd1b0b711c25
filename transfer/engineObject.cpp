// transfer/engineObject.cpp
// Construction, clearing and destruction of the engine.
#include "transfer/transfer.h"

#include <unistd.h>

#include <cstdlib>
#include <ctime>

TransferEngine::TransferEngine() { std::srand(static_cast<unsigned>(std::clock())); }

TransferEngine::~TransferEngine() {
  // Both servers keep a connection for the life of the engine; whatever mode
  // the analysis client ended in, its socket is ours to close.
  if (morphinited && morphsocket >= 0) close(morphsocket);
  if (genmorphinited && genmorphsocket >= 0) close(genmorphsocket);
  clearall();
}

void TransferEngine::clear() {
  constituents.clear();
  arcs.clear();
  agenda.clear();
  treefs.clear();
  tmpnodefs.clear();
}

void TransferEngine::clearall() {
  clear();
  rules.clear();
  parsegroups.clear();
  rulefilters.clear();
  rulelookup.clear();
  rulewatches.clear();
  rulefaillist.clear();
  idsrcword.clear();
  unknowns.clear();
  lexiconfiledb.clear();
  literals.clear();
  nonterms.clear();
  chunkset.clear();
  first.clear();
  openclass.clear();
  curfirst.clear();
  poslexicondb.clear();
  srclexicon.clear();
  rulefinder.clear();
  ruleids.clear();
  // The texts of rules built from analyses go with the rules: a reloaded
  // store must get them again when an analysed word comes back.
  morphtrans.clear();
}
