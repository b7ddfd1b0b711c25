// corrections/EmendoLog.cpp
// Reading a correction log of the correction tool into a CorrectionInstance.
#include <fstream>
#include <iostream>
#include <iterator>
#include <numeric>

#include "corrections/CorrectionInstance.h"
#include "corrections/LogStream.h"
#include "corrections/PreProcess.h"

namespace {

// Begins every action block.
const char* const kSeparator = "------------------------------------------------";
// Begins the clue-word part of a block (a separator line contains it too).
const char* const kClueDashes = "----------";

bool Contains(const std::string& s, const std::string& part) {
  return s.find(part) != std::string::npos;
}

bool ReadFileText(const std::string& name, std::string& text) {
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// Carries the map from corrected positions to translation positions over
// one applied action; a word the action adds comes from no translation word.
void AdvancePositionMap(Action& act, std::vector<int>& vTLPosOfCTLPos, size_t nCTLWords) {
  std::vector<int> next(nCTLWords, -1);
  for (size_t i = 0; i < vTLPosOfCTLPos.size(); ++i) {
    const int j = act.GetHowAffectsPos(static_cast<int>(i) + 1);
    if (j >= 1 && static_cast<size_t>(j) <= nCTLWords)
      next[static_cast<size_t>(j - 1)] = vTLPosOfCTLPos[i];
  }
  vTLPosOfCTLPos.swap(next);
}

}  // namespace

bool WordVectorFindChange(const std::string& szOrig, const std::string& szNew, int& from, int& to) {
  std::vector<Word> orig, changed;
  PlaceWordsInVector(szOrig, orig);
  PlaceWordsInVector(szNew, changed);
  if (orig.size() != changed.size()) return false;
  size_t a = 0;
  while (a < orig.size() && orig[a].value == changed[a].value) ++a;
  if (a == orig.size()) return false;
  size_t e = a;
  while (e + 1 < orig.size() && orig[e + 1].value != changed[e + 1].value) ++e;
  if (changed[a].value == orig[e].value) {  // moved left
    from = static_cast<int>(e) + 1;
    to = static_cast<int>(a) + 1;
  } else {
    from = static_cast<int>(a) + 1;
    to = static_cast<int>(e) + 1;
  }
  return true;
}

void CorrectionInstance::GetSLandTLFromLogText(const std::string& text, std::string& szSL,
                                               std::string& szTL) {
  szSL.clear();
  szTL.clear();
  LogStream in(text);
  ExtractValueFromEquation(in, "sl", szSL);
  std::string key;
  if (FindTLNum(in, key)) {
    in.Rewind();
    ExtractValueFromEquation(in, key, szTL);
  }
}

void CorrectionInstance::GetSLandTLFromEmendoLogFile(const char* szLogFileName, std::string& szSL,
                                                     std::string& szTL) {
  std::string text;
  if (szLogFileName) ReadFileText(szLogFileName, text);
  GetSLandTLFromLogText(text, szSL, szTL);
}

void CorrectionInstance::LoadEmendoLogFile(const char* szLogFileName, ParseTree* pTree) {
  std::string text;
  if (szLogFileName) {
    PreProcessLogFile(szLogFileName);
    if (!ReadFileText(std::string(szLogFileName) + ".processed", text) &&
        !ReadFileText(szLogFileName, text))
      std::cerr << "cannot open correction log " << szLogFileName << "\n";
  }
  LoadFromLogText(text, pTree);
}

void CorrectionInstance::LoadFromLogText(const std::string& text, ParseTree* pTree) {
  Reset();
  if (text.empty()) return;
  LogStream in(text);

  std::string line, kind;
  const int at = SeekToStringInStream(in, "submit = ", line);
  if (at >= 0) kind = line.substr(static_cast<size_t>(at) + 9);
  const bool fFix = kind == "FIX TRANSLATION";

  AddID("");

  std::string key, sl, tl;
  const bool fKey = FindTLNum(in, key);
  if (fFix) {
    ExtractNextInQuotes(in, sl);
    ExtractNextInQuotes(in, tl);
  } else {
    GetSLandTLFromLogText(text, sl, tl);
  }
  const size_t blocks = in.Tell();
  SetSLWords(sl);
  SetTLWords(tl);
  SetCTLWords(tl);

  if (pTree) {
    m_tree = *pTree;
    AddAlignmentsFromCStructure(SLWords, m_tree, GetNumTLWords());
  } else if (fKey) {
    std::string alignments;
    in.Rewind();
    if (ExtractValueFromEquation(in, key + "-al", alignments))
      WordVectorSetAlignments(SLWords, alignments, GetNumTLWords());
  }

  if (fFix) {
    in.Seek(blocks);
    std::vector<int> vTLPosOfCTLPos(TLWords.size());
    std::iota(vTLPosOfCTLPos.begin(), vTLPosOfCTLPos.end(), 1);
    Action* pAct = nullptr;
    while (ExtractNextAction(in, &pAct)) {
      if (!pAct) continue;
      AddAction(pAct);
      if (pTree) pAct->AddAffectedRules(SLWords, TLWords, pTree, vTLPosOfCTLPos);
      AdvancePositionMap(*pAct, vTLPosOfCTLPos, CTLWords.size());
    }
  }

  MirrorAlignments(SLWords, TLWords);
  // Without actions nothing has mirrored the corrected alignments yet.
  MirrorCorrectedAlignments(SLWords, CTLWords);
  UpdateSentenceStrings();
}

bool CorrectionInstance::ExtractNextAction(LogStream& in, Action** ppAct) {
  if (!ppAct || in.AtEnd()) return false;
  std::string line, header;
  if (SeekToStringInStream(in, kSeparator, line) < 0) return false;
  if (!in.ReadLine(header)) return false;
  *ppAct = nullptr;

  std::string first, second;
  if (Contains(header, "Current Word Edited")) {
    ExtractNextInQuotes(in, first);
    ExtractNextInQuotes(in, second);
    const int pos = FindInWordVector(CTLWords, first);
    if (pos != -1) *ppAct = new ActionEditWord(pos, second);
  } else if (Contains(header, "Move to Trash")) {
    ExtractNextInQuotes(in, first);
    const int pos = FindInWordVector(CTLWords, first);
    if (pos != -1) *ppAct = new ActionDeleteWord(first, pos);
  } else if (Contains(header, "Word has moved")) {
    *ppAct = ExtractMove(in);
  } else if (Contains(header, "New word created")) {
    *ppAct = ExtractAddedWord(in);
  } else if (Contains(header, "Manual alignment change")) {
    ExtractNextInQuotes(in, first);
    ExtractNextInQuotes(in, second);
    *ppAct = new ActionAddAlignment(FindInWordVector(SLWords, first),
                                    FindInWordVector(CTLWords, second));
  } else if (Contains(header, "Manual Alignment Cleared")) {
    ExtractNextInQuotes(in, first);
    ExtractNextInQuotes(in, second);
    *ppAct = new ActionClearAlignment(FindInWordVector(SLWords, first),
                                      FindInWordVector(CTLWords, second));
  } else {
    return false;
  }
  if (*ppAct) ExtractActionDetails(in, *ppAct);
  return true;
}

Action* CorrectionInstance::ExtractMove(LogStream& in) {
  std::string before, after;
  ExtractNextAfterColon(in, before);
  ExtractNextAfterColon(in, after);
  int from = 0, to = 0;
  if (!WordVectorFindChange(before, after, from, to)) return nullptr;
  return new ActionChangeWordOrder(from, to);
}

// A new word is logged as its own block followed by a move block whose two
// phrases are the sentence without the word and with it in its place.
Action* CorrectionInstance::ExtractAddedWord(LogStream& in) {
  std::string word, line, header;
  ExtractNextInQuotes(in, word);
  const size_t start = in.Tell();
  if (SeekToStringInStream(in, kSeparator, line) < 0 || !in.ReadLine(header) ||
      !Contains(header, "Word has moved")) {
    // No move block to place the word: leave the next block to be read on its own.
    in.Seek(start);
    return nullptr;
  }
  std::string before, after;
  ExtractNextAfterColon(in, before);
  ExtractNextAfterColon(in, after);
  // Compared as if the word had been appended and then moved into place.
  const std::string appended = before + " " + word;
  int from = 0, to = 0;
  if (!WordVectorFindChange(appended, after, from, to)) {
    std::vector<Word> a, b;
    PlaceWordsInVector(appended, a);
    PlaceWordsInVector(after, b);
    // The word stays where it was appended: at the end of the new phrase.
    if (b.empty() || !AreWordVectorsEqual(a, b)) return nullptr;
    to = static_cast<int>(b.size());
  }
  return new ActionAddWord(word, to);
}

// Reason, confidence and clue words, each optional; reading resumes where
// the search for a missing one began.
void CorrectionInstance::ExtractActionDetails(LogStream& in, Action* pAct) {
  std::string reason;
  if (ExtractLineWithUntilBefore(in, "* Reason:", "*", kSeparator, reason, true)) {
    StringUtilSetToAfterString(reason, "* Reason:");
    pAct->SetReason(reason);
  }

  size_t start = in.Tell();
  bool fFound = false;
  for (std::string line; !fFound && in.ReadLine(line);) {
    if (Contains(line, kSeparator)) break;
    if (Contains(line, "* Necessary")) {
      pAct->SetConfidenceLevel(NECESSARY);
      fFound = true;
    } else if (Contains(line, "* Deseriable")) {
      pAct->SetConfidenceLevel(DESIRABLE);
      fFound = true;
    }
  }
  if (!fFound) in.Seek(start);

  // The clue-word list runs to a token that is exactly a separator, which it
  // consumes; a block with clue words is therefore followed by a second
  // separator line.
  start = in.Tell();
  std::string dashes, line;
  if (SeekToStringInStream(in, kClueDashes, dashes) >= 0) {
    const size_t lineStart = in.Tell();
    if (in.ReadLine(line) && Contains(line, "ClueWord:")) {
      in.Seek(lineStart + line.find("ClueWord:") + 9);
      for (std::string token; in.ReadToken(token) && token != kSeparator;) {
        const int pos = FindInWordVector(CTLWords, token);
        if (pos != -1) pAct->AddClueWordPos(pos);
      }
      return;
    }
  }
  in.Seek(start);
}
