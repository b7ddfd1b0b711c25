// tests/fuzz/corrections/LogReaderFuzzer.cpp
// Reads arbitrary text as a correction log, with and without a parse tree,
// replays and maps the actions read, and checks that every alignment names
// a word of its sentence. Run as
//   build-fuzz/bin/fuzz_corrections -max_total_time=300 <work dir> tests/fuzz/corrections/corpus
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "corrections/CorrectionInstance.h"

namespace {

const char* const kTree =
    "((S,1 (NP,8 (DET,23:1 'THE') (N,1234:2 'DOG') ) (VP,3 (V,99:3 'BARKS') ) ) )";

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

void CheckLinks(const std::vector<Word>& words, bool corrected, size_t nOther, const char* what) {
  for (const Word& w : words)
    for (int p : corrected ? w.Calignments : w.alignments)
      Check(p >= 1 && static_cast<size_t>(p) <= nOther, what);
}

void Exercise(CorrectionInstance& ci) {
  std::vector<Word> sl, tl, ctl;
  ci.GetCopyOfSLWords(sl);
  ci.GetCopyOfTLWords(tl);
  ci.GetCopyOfCTLWords(ctl);
  CheckLinks(sl, false, tl.size(), "source alignments within the translation");
  CheckLinks(sl, true, ctl.size(), "source alignments within the corrected translation");
  CheckLinks(tl, false, sl.size(), "translation alignments within the source");
  CheckLinks(ctl, true, sl.size(), "corrected alignments within the source");

  // Replaying the actions on the translation must give the corrected words.
  std::vector<Word> replaySL = sl, replay = tl;
  for (Word& w : replaySL) w.Calignments = w.alignments;
  for (int i = 0; i < ci.GetNumActions(); ++i) {
    Action* act = ci.GetAction(i);
    act->ApplyToWords(replaySL, replay);
    CheckLinks(replaySL, true, replay.size(), "replayed alignments within the sentence");
    for (int p = -2; p <= static_cast<int>(replay.size()) + 2; ++p) {
      const int q = act->GetHowAffectsPos(p);
      if (q != -1 && p >= 1) Check(act->GetHowAffectsPosIfDeleted(q) == p, "undo maps back");
    }
    std::vector<int> vSL, vTL;
    act->PutAffectedPositionsInVector(vSL, vTL);
    act->AreActionsOpposite(vSL, vTL, ci.GetAction(i + 1));
    act->AreEqual(ci.GetAction(i + 1));
    KalRuleID id;
    std::string lex;
    for (int r = 0; r < act->GetNumAffectedRules(); ++r) act->GetAffectedRuleAndLexID(r, id, lex);
  }
  Check(AreWordVectorsEqual(replay, ctl), "replay gives the corrected words");
  ci.ContainsDependentErrors();
  ci.ErrorComplexity();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  static ParseTree* tree = [] {
    auto* t = new ParseTree();
    t->ProcessCStructureIntoTree(kTree);
    return t;
  }();

  CorrectionInstance* plain = CorrectionInstanceFactory::createCI();
  plain->LoadFromLogText(text, nullptr);
  Exercise(*plain);

  CorrectionInstance* withTree = CorrectionInstanceFactory::createCI();
  withTree->LoadFromLogText(text, tree);
  Exercise(*withTree);
  withTree->CompareCIs(*plain);
  std::vector<KalRuleID> common;
  withTree->GetRulesInCommon(plain, common);

  std::string sl, tl;
  CorrectionInstance::GetSLandTLFromLogText(text, sl, tl);
  plain->Release();
  withTree->Release();
  return 0;
}
