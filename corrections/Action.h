// corrections/Action.h
#pragma once

#include <string>
#include <vector>

#include "corrections/Word.h"
#include "rules/KalRule.h"  // KalRuleID

class ParseTree;
class TreeNode;

enum ACTION_TYPE {
  ADD = 0,
  EDIT = 1,
  DELETE = 2,
  CHANGE_WORD_ORDER = 3,
  ADD_ALIGNMENT = 4,
  CLEAR_ALIGNMENT = 5,
};

enum CONFIDENCE_LEVEL {
  UNSPECIFIED = 0,
  DESIRABLE = 1,
  NECESSARY = 2,
};

// One edit of a correction log. Positions are 1-based and refer to the
// corrected translation as it stands when the action is applied, that is
// after every earlier action of the same correction. -1 in an alignment
// action names a word that the log's text did not find; applying such an
// action changes nothing.
class Action {
 public:
  // Stands for a position beyond the end of every sentence: as the old
  // position of GetShiftedPos it describes an insertion, as the new one a
  // removal.
  static const int kBeyondEnd = 2147483646;

  explicit Action(ACTION_TYPE type) : m_Type(type) {}
  virtual ~Action() = default;
  Action(const Action&) = delete;
  Action& operator=(const Action&) = delete;

  // Replays the action on a copy of a correction's words. Source words hold
  // the master copy of the corrected alignments; every kind ends by mirroring
  // them onto CTLWords.
  virtual void ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) = 0;
  // One line on standard output.
  virtual void debugPrint() = 0;
  virtual int GetSLWordPosAffected() { return -1; }
  virtual int GetCTLWordPosAffected() { return -1; }
  // Clears both vectors, then lists the positions this action touches.
  virtual void PutAffectedPositionsInVector(std::vector<int>& vSLPos, std::vector<int>& vTLPos) = 0;
  // Whether `pAction` undoes this action; the vectors hold this action's
  // positions carried forward to `pAction`.
  virtual bool AreActionsOpposite(std::vector<int>& vAdjustedSLPos,
                                  std::vector<int>& vAdjustedTLPos, Action* pAction) = 0;
  // Where the word at 1-based position iPos before this action stands after
  // it; -1 for a word the action removes.
  virtual int GetHowAffectsPos(int iPos) = 0;
  // Where a later action's position iPos would be if this action had not
  // been made: the inverse of GetHowAffectsPos.
  virtual int GetHowAffectsPosIfDeleted(int iPos) = 0;
  // Maps this action's positions as if `pAction` (an earlier one) had not
  // been made.
  virtual void AdjustToDeletedAction(Action* pAction) = 0;
  virtual bool AreEqual(Action* pAction);

  // Records the rules of the translation's tree that this action touches.
  // TLWords are the machine translation's words. vTLPosOfCTLPos maps each
  // position of the corrected translation before this action (element p - 1)
  // to the translation word it comes from, -1 for a word added by an earlier
  // action; empty means the two sentences still coincide.
  virtual void AddAffectedRules(std::vector<Word>& SLWords, std::vector<Word>& TLWords,
                                ParseTree* pTree, const std::vector<int>& vTLPosOfCTLPos) = 0;
  void AddAffectedRules(std::vector<Word>& SLWords, std::vector<Word>& TLWords, ParseTree* pTree) {
    AddAffectedRules(SLWords, TLWords, pTree, {});
  }

  ACTION_TYPE GetType() const { return m_Type; }
  const std::string& GetReason() const { return m_szReason; }
  void SetReason(const std::string& szReason) { m_szReason = szReason; }
  CONFIDENCE_LEVEL GetConfidenceLevel() const { return m_Confidence; }
  void SetConfidenceLevel(CONFIDENCE_LEVEL level) { m_Confidence = level; }

  void AddClueWordPos(int pos) { m_vClueWordPos.push_back(pos); }
  // The i-th (0-based) clue word position, -1 when out of range.
  int GetClueWordPos(int i) const;
  int GetNumClueWords() const { return static_cast<int>(m_vClueWordPos.size()); }

  // Reads a KalRuleID from a rule ID text such as "NP,8" or "(S,1" and
  // records it with its lexical identifier.
  void AddRuleAndLexID(const std::string& szRuleID, const std::string& szLexID);
  int GetNumAffectedRules() const { return static_cast<int>(m_vRules.size()); }
  // Copies entry i (0-based); leaves both out-parameters alone when out of range.
  void GetAffectedRuleAndLexID(int i, KalRuleID& RuleID, std::string& szLexID) const;
  // Appends this action's rules that `pAct` also affects, once per matching pair.
  void AddCommonRulesToVector(Action* pAct, std::vector<KalRuleID>& vRules) const;

  // Moves the word at 0-based OldVectPos of CLWords to NewVectPos and
  // renumbers the source words' Calignments; nothing when a position is out
  // of range. The caller mirrors the alignments afterwards.
  static void ShiftWord(int OldVectPos, int NewVectPos, std::vector<Word>& SLWords,
                        std::vector<Word>& CLWords);
  // Where 0-based VectPos ends up when the word at OldVectPos moves to
  // NewVectPos (kBeyondEnd as either end: an insertion or a removal).
  static int GetShiftedPos(int OldVectPos, int NewVectPos, int VectPos);

 protected:
  // The machine-translation position of corrected position ctlPos under the
  // map passed to AddAffectedRules; -1 for none.
  static int TLPosOf(int ctlPos, const std::vector<int>& vTLPosOfCTLPos);
  // The tree leaf of translation word tlPos (1-based), or null.
  static TreeNode* LeafOf(const std::vector<Word>& TLWords, int tlPos, ParseTree* pTree);
  // Records the rule of `leaf`'s parent; false when there is no parent.
  bool AddRuleOfLeaf(const TreeNode* leaf, const std::string& szLexID);

  ACTION_TYPE m_Type;
  std::vector<int> m_vClueWordPos;
  std::string m_szReason;
  CONFIDENCE_LEVEL m_Confidence = UNSPECIFIED;
  std::vector<KalRuleID> m_vRules;
  std::vector<std::string> m_vszLexIDs;
};

class ActionAddWord : public Action {
 public:
  ActionAddWord(const std::string& word, int pos)
      : Action(ADD), m_szAddedWord(word), m_AddedPos(pos) {}
  using Action::AddAffectedRules;

  void ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) override;
  void debugPrint() override;
  int GetCTLWordPosAffected() override { return m_AddedPos; }
  void PutAffectedPositionsInVector(std::vector<int>& vSLPos, std::vector<int>& vTLPos) override;
  bool AreActionsOpposite(std::vector<int>& vAdjustedSLPos, std::vector<int>& vAdjustedTLPos,
                          Action* pAction) override;
  int GetHowAffectsPos(int iPos) override;
  int GetHowAffectsPosIfDeleted(int iPos) override;
  void AdjustToDeletedAction(Action* pAction) override;
  bool AreEqual(Action* pAction) override;
  void AddAffectedRules(std::vector<Word>& SLWords, std::vector<Word>& TLWords, ParseTree* pTree,
                        const std::vector<int>& vTLPosOfCTLPos) override;

  const std::string& GetAddedWord() const { return m_szAddedWord; }
  int GetPosAdded() const { return m_AddedPos; }

 private:
  std::string m_szAddedWord;
  int m_AddedPos;
};

class ActionEditWord : public Action {
 public:
  ActionEditWord(int pos, const std::string& word) : Action(EDIT), m_PosEdit(pos), m_szEdit(word) {}
  using Action::AddAffectedRules;

  void ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) override;
  void debugPrint() override;
  int GetCTLWordPosAffected() override { return m_PosEdit; }
  void PutAffectedPositionsInVector(std::vector<int>& vSLPos, std::vector<int>& vTLPos) override;
  bool AreActionsOpposite(std::vector<int>& vAdjustedSLPos, std::vector<int>& vAdjustedTLPos,
                          Action* pAction) override;
  int GetHowAffectsPos(int iPos) override { return iPos; }
  int GetHowAffectsPosIfDeleted(int iPos) override { return iPos; }
  void AdjustToDeletedAction(Action* pAction) override;
  bool AreEqual(Action* pAction) override;
  void AddAffectedRules(std::vector<Word>& SLWords, std::vector<Word>& TLWords, ParseTree* pTree,
                        const std::vector<int>& vTLPosOfCTLPos) override;

  int GetPosEdit() const { return m_PosEdit; }
  const std::string& GetEditWord() const { return m_szEdit; }

 private:
  int m_PosEdit;
  std::string m_szEdit;
};

class ActionDeleteWord : public Action {
 public:
  ActionDeleteWord(const std::string& word, int pos)
      : Action(DELETE), m_PosDelete(pos), m_szDeleteWord(word) {}
  using Action::AddAffectedRules;

  void ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) override;
  void debugPrint() override;
  int GetCTLWordPosAffected() override { return m_PosDelete; }
  void PutAffectedPositionsInVector(std::vector<int>& vSLPos, std::vector<int>& vTLPos) override;
  bool AreActionsOpposite(std::vector<int>& vAdjustedSLPos, std::vector<int>& vAdjustedTLPos,
                          Action* pAction) override;
  int GetHowAffectsPos(int iPos) override;
  int GetHowAffectsPosIfDeleted(int iPos) override;
  void AdjustToDeletedAction(Action* pAction) override;
  bool AreEqual(Action* pAction) override;
  void AddAffectedRules(std::vector<Word>& SLWords, std::vector<Word>& TLWords, ParseTree* pTree,
                        const std::vector<int>& vTLPosOfCTLPos) override;

  int GetPosDelete() const { return m_PosDelete; }
  const std::string& GetDeletedWord() const { return m_szDeleteWord; }

 private:
  int m_PosDelete;
  std::string m_szDeleteWord;
};

class ActionChangeWordOrder : public Action {
 public:
  ActionChangeWordOrder(int OldPos, int NewPos)
      : Action(CHANGE_WORD_ORDER), m_OldPos(OldPos), m_NewPos(NewPos) {}
  using Action::AddAffectedRules;

  void ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) override;
  void debugPrint() override;
  int GetCTLWordPosAffected() override { return m_OldPos; }
  void PutAffectedPositionsInVector(std::vector<int>& vSLPos, std::vector<int>& vTLPos) override;
  bool AreActionsOpposite(std::vector<int>& vAdjustedSLPos, std::vector<int>& vAdjustedTLPos,
                          Action* pAction) override;
  int GetHowAffectsPos(int iPos) override;
  int GetHowAffectsPosIfDeleted(int iPos) override;
  void AdjustToDeletedAction(Action* pAction) override;
  bool AreEqual(Action* pAction) override;
  void AddAffectedRules(std::vector<Word>& SLWords, std::vector<Word>& TLWords, ParseTree* pTree,
                        const std::vector<int>& vTLPosOfCTLPos) override;

  int GetOldPos() const { return m_OldPos; }
  int GetNewPos() const { return m_NewPos; }

 private:
  int m_OldPos;
  int m_NewPos;
};

class ActionAddAlignment : public Action {
 public:
  ActionAddAlignment(int SLWordPos, int NewAlign)
      : Action(ADD_ALIGNMENT), m_SLWordPos(SLWordPos), m_NewAlign(NewAlign) {}
  using Action::AddAffectedRules;

  void ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) override;
  void debugPrint() override;
  int GetSLWordPosAffected() override { return m_SLWordPos; }
  int GetCTLWordPosAffected() override { return m_NewAlign; }
  void PutAffectedPositionsInVector(std::vector<int>& vSLPos, std::vector<int>& vTLPos) override;
  bool AreActionsOpposite(std::vector<int>& vAdjustedSLPos, std::vector<int>& vAdjustedTLPos,
                          Action* pAction) override;
  int GetHowAffectsPos(int iPos) override { return iPos; }
  int GetHowAffectsPosIfDeleted(int iPos) override { return iPos; }
  void AdjustToDeletedAction(Action* pAction) override;
  bool AreEqual(Action* pAction) override;
  void AddAffectedRules(std::vector<Word>&, std::vector<Word>&, ParseTree*,
                        const std::vector<int>&) override {}

  int GetSLWordPos() const { return m_SLWordPos; }
  int GetNewAlign() const { return m_NewAlign; }

 private:
  int m_SLWordPos;
  int m_NewAlign;
};

class ActionClearAlignment : public Action {
 public:
  ActionClearAlignment(int SLWordPos, int RemoveAlign)
      : Action(CLEAR_ALIGNMENT), m_SLWordPos(SLWordPos), m_RemoveAlign(RemoveAlign) {}
  using Action::AddAffectedRules;

  void ApplyToWords(std::vector<Word>& SLWords, std::vector<Word>& CTLWords) override;
  void debugPrint() override;
  int GetSLWordPosAffected() override { return m_SLWordPos; }
  int GetCTLWordPosAffected() override { return m_RemoveAlign; }
  void PutAffectedPositionsInVector(std::vector<int>& vSLPos, std::vector<int>& vTLPos) override;
  bool AreActionsOpposite(std::vector<int>& vAdjustedSLPos, std::vector<int>& vAdjustedTLPos,
                          Action* pAction) override;
  int GetHowAffectsPos(int iPos) override { return iPos; }
  int GetHowAffectsPosIfDeleted(int iPos) override { return iPos; }
  void AdjustToDeletedAction(Action* pAction) override;
  bool AreEqual(Action* pAction) override;
  void AddAffectedRules(std::vector<Word>&, std::vector<Word>&, ParseTree*,
                        const std::vector<int>&) override {}

  int GetSLWordPos() const { return m_SLWordPos; }
  int GetRemoveAlign() const { return m_RemoveAlign; }

 private:
  int m_SLWordPos;
  int m_RemoveAlign;
};
