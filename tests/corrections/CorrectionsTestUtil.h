// tests/corrections/CorrectionsTestUtil.h
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "corrections/Action.h"
#include "corrections/CorrectionInstance.h"

namespace correctionstest {

struct CIReleaser {
  void operator()(CorrectionInstance* p) const {
    if (p) p->Release();
  }
};
// Holds the creator's reference of an instance.
using CIPtr = std::unique_ptr<CorrectionInstance, CIReleaser>;
inline CIPtr NewCI() { return CIPtr(CorrectionInstanceFactory::createCI()); }

inline std::string Ints(const std::vector<int>& v) {
  std::string s;
  for (size_t i = 0; i < v.size(); ++i) s += (i ? "," : "") + std::to_string(v[i]);
  return s;
}

// "value[alignments|Calignments]" of each word, blank-separated.
inline std::string Words(const std::vector<Word>& words) {
  std::string s;
  for (const Word& w : words)
    s += (s.empty() ? "" : " ") + w.value + "[" + Ints(w.alignments) + "|" + Ints(w.Calignments) +
         "]";
  return s;
}

inline std::vector<Word> MakeWords(const std::string& text) {
  std::vector<Word> words;
  PlaceWordsInVector(text, words);
  return words;
}

// "{NP,8} 'DOG'; ..." for every affected rule.
inline std::string Rules(const Action& act) {
  std::string s;
  for (int i = 0; i < act.GetNumAffectedRules(); ++i) {
    KalRuleID id;
    std::string lex;
    act.GetAffectedRuleAndLexID(i, id, lex);
    s += (i ? "; " : "") + id.ToString() + " " + lex;
  }
  return s;
}

inline std::string DebugLine(Action& act) {
  testing::internal::CaptureStdout();
  act.debugPrint();
  return testing::internal::GetCapturedStdout();
}

// The whole loaded state of an instance, one part per line.
inline std::string Dump(CorrectionInstance& ci) {
  std::vector<Word> sl, tl, ctl;
  ci.GetCopyOfSLWords(sl);
  ci.GetCopyOfTLWords(tl);
  ci.GetCopyOfCTLWords(ctl);
  std::string s = "SL: " + Words(sl) + "\nTL: " + Words(tl) + "\nCTL: " + Words(ctl) + "\n";
  for (int i = 0; i < ci.GetNumActions(); ++i) {
    Action& act = *ci.GetAction(i);
    s += DebugLine(act);
    std::vector<int> clues;
    for (int c = 0; c < act.GetNumClueWords(); ++c) clues.push_back(act.GetClueWordPos(c));
    s += "  reason=\"" + act.GetReason() +
         "\" confidence=" + std::to_string(act.GetConfidenceLevel()) + " clues=" + Ints(clues) +
         " rules=" + Rules(act) + "\n";
  }
  return s;
}

}  // namespace correctionstest
