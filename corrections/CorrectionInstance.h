// corrections/CorrectionInstance.h
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "corrections/Action.h"
#include "corrections/Word.h"
#include "rules/KalRule.h"  // KalRuleID
#include "rules/ParseTree.h"
#include "rules/RefCountedObject.h"

class LogStream;

enum CI_COMPARISON_TYPE {
  NOT_EQUIVELENT = 0,
  EXACT_EQUIVELENT = 1,
  DIFF_ACTIONS_EQUIVELENT = 2,
};

// One correction log: the source sentence (SL), the machine translation
// (TL) and the corrected translation (CTL), each as words with alignments,
// the translation's parse tree and the user's edits as actions, in log
// order. Reference counted: create it with CorrectionInstanceFactory, and
// whoever stores a pointer takes a reference.
class CorrectionInstance : public RefCountedObject {
 public:
  CorrectionInstance() = default;

  // Runs the pre-processing script on the log, then reads its ".processed"
  // copy (the log itself when there is none) into this instance. `pTree` is
  // the parse tree of the log's translation, null for none; with a tree the
  // translation's alignments come from its tree text and the actions record
  // the rules they touch. A log that cannot be opened leaves the instance
  // empty.
  void LoadEmendoLogFile(const char* szLogFileName, ParseTree* pTree);
  // Reads a log's text as LoadEmendoLogFile reads the file (after Reset).
  void LoadFromLogText(const std::string& text, ParseTree* pTree);
  // The values of the source line and the translation line of the log file
  // itself (not of its processed copy); empty when absent.
  static void GetSLandTLFromEmendoLogFile(const char* szLogFileName, std::string& szSL,
                                          std::string& szTL);
  static void GetSLandTLFromLogText(const std::string& text, std::string& szSL, std::string& szTL);

  std::string GetSLSentence() const { return SLS; }
  std::string GetTLSentence() const { return TLS; }
  std::string GetCTLSentence() const { return CTLS; }
  void GetCopyOfSLWords(std::vector<Word>& v) const { v = SLWords; }
  void GetCopyOfTLWords(std::vector<Word>& v) const { v = TLWords; }
  void GetCopyOfCTLWords(std::vector<Word>& v) const { v = CTLWords; }
  std::vector<Word> GetCTLWords() const { return CTLWords; }
  int GetNumSLWords() const { return static_cast<int>(SLWords.size()); }
  int GetNumTLWords() const { return static_cast<int>(TLWords.size()); }
  int GetNumCTLWords() const { return static_cast<int>(CTLWords.size()); }
  // The word at 1-based position i, null when out of range.
  Word* GetSLWord(int i);
  Word* GetTLWord(int i);
  Word* GetCTLWord(int i);
  // `v` becomes the alignments (TL positions) or the corrected alignments
  // (CTL positions) of source word i (1-based); empty for no such word.
  void GetTLAlignments(int i, std::vector<int>& v) const;
  void GetCTLAlignments(int i, std::vector<int>& v) const;

  // The i-th (0-based) action, null when out of range.
  Action* GetAction(int i) const;
  int GetNumActions() const { return static_cast<int>(Actions.size()); }
  // Takes ownership of `pAct` (nothing for null) and applies it to the
  // source and corrected words.
  void AddAction(Action* pAct);

  ParseTree GetTree() const { return m_tree; }
  std::string GetParse() const { return Parse; }
  // Stores the tree text, builds the tree from it and prints it.
  void SetParse(const std::string& szParse);

  // Append the blank-separated words of the string.
  void SetSLWords(const std::string& s) { PlaceWordsInVector(s, SLWords); }
  void SetTLWords(const std::string& s) { PlaceWordsInVector(s, TLWords); }
  void SetCTLWords(const std::string& s) { PlaceWordsInVector(s, CTLWords); }

  void AddID(const std::string& szID) { m_IDs.push_back(szID); }
  // Leaves szID unchanged when i is out of range.
  void GetID(int i, std::string& szID) const;
  int GetNumIDs() const { return static_cast<int>(m_IDs.size()); }
  bool HasID(const std::string& szID) const;
  void AddIDSFromCI(CorrectionInstance* pCI);
  // How many logs this instance stands for.
  int EvidenceForRefinement() const { return GetNumIDs(); }

  void SetIfLeadToRefinement(bool f) { m_fLeadToRefinement = f; }
  bool GetIfLeadToRefinement() const { return m_fLeadToRefinement; }
  void SetIfIncreasedMTAccuracy(bool f) { m_fIncreasedMTAccuracy = f; }
  bool GetIfIncreasedMTAccuracy() const { return m_fIncreasedMTAccuracy; }

  // Whether a word touched by one edit, edit, delete or move is touched
  // again by a later edit, delete or move.
  bool ContainsDependentErrors();
  // Non-alignment actions, plus one for dependent errors.
  int ErrorComplexity();
  // For every pair of an action of this instance and one of pCI, the rules
  // both affect.
  void GetRulesInCommon(CorrectionInstance* pCI, std::vector<KalRuleID>& vRules) const;
  CI_COMPARISON_TYPE CompareCIs(CorrectionInstance& other) const;

  // Empties sentences, words, actions and identifiers; the parse and the
  // tree stay.
  void Reset();
  void UpdateSentenceStrings();

 protected:
  ~CorrectionInstance() override;

 private:
  bool ExtractNextAction(LogStream& in, Action** ppAct);
  Action* ExtractMove(LogStream& in);
  Action* ExtractAddedWord(LogStream& in);
  void ExtractActionDetails(LogStream& in, Action* pAct);
  void CalculateDependentErrors();

  std::string Parse;
  ParseTree m_tree;
  std::string SLS;
  std::vector<Word> SLWords;
  std::string TLS;
  std::vector<Word> TLWords;
  std::string CTLS;
  std::vector<Word> CTLWords;
  std::vector<std::unique_ptr<Action>> Actions;
  std::vector<std::string> m_IDs;
  bool m_fLeadToRefinement = false;
  bool m_fIncreasedMTAccuracy = false;
  bool m_fContainsDependentErrors = false;
  bool m_fCDEDirty = true;
  int m_cNumNonAlignActions = 0;
};

class CorrectionInstanceFactory {
 public:
  // A new, empty instance with count 1; the caller owns that reference.
  static CorrectionInstance* createCI() { return new CorrectionInstance(); }
};

// Compares two phrases of the same words in another order and finds the
// word that moved: `from` and `to` are its 1-based positions before and
// after. False when the word counts differ or nothing moved.
bool WordVectorFindChange(const std::string& szOrig, const std::string& szNew, int& from, int& to);
