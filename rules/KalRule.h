// rules/KalRule.h
#pragma once

#include "rules/Graph.h"
#include "rules/KalConstraints.h"
#include "rules/TimeStampedObject.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class KalRuleCollection;
class KalRuleIDManager;
class ParseTree;

enum POS_TYPE {
  POS_TYPE_NONE = -1,
  POS_TYPE_NOUN = 0,
  POS_TYPE_DET = 1,
  POS_TYPE_ADJ = 2,
  POS_TYPE_S = 3,
  POS_TYPE_AUX = 4,
  POS_TYPE_VERB = 5,
  POS_TYPE_NP = 6,
  POS_TYPE_VP = 7,
  POS_TYPE_ADV = 8,
  POS_TYPE_CONJ = 9,
  POS_TYPE_PRON = 10,
  POS_TYPE_ADVP = 11,
  POS_TYPE_PART = 12,
  POS_TYPE_PP = 13,
  POS_TYPE_VB = 14,
  POS_TYPE_ADJP = 15,
  POS_TYPE_PREP = 16,
  NUM_POS_TYPE = 17,
};

enum RULE_TYPE {
  RULE_TYPE_INVALID = 0,
  RULE_TYPE_LEXICAL = 1,
  RULE_TYPE_GRAMMAR = 2,
};

enum CONSTITUENT_TYPE {
  CONSTITUENT_TYPE_LITERAL = 0,
  CONSTITUENT_TYPE_POS = 1,
};

// Category and number of a rule, written {NP,3}. A category outside the
// table has m_POS == POS_TYPE_NONE and keeps its name in m_szCategory, so
// such rules keep their name and do not collide with each other.
class KalRuleID {
 public:
  KalRuleID() = default;
  KalRuleID(POS_TYPE pos, int num) : m_POS(pos), m_RuleNum(num) {}

  // Looks the name up in the category table; a name outside it is kept.
  void SetCategory(const std::string& name);
  std::string GetCategoryName() const;
  bool HasCategory() const { return m_POS != POS_TYPE_NONE || !m_szCategory.empty(); }

  // Ordered by category value, then number (then the name of a category
  // outside the table).
  bool operator<(const KalRuleID& other) const;
  bool operator==(const KalRuleID& other) const;
  bool operator!=(const KalRuleID& other) const { return !(*this == other); }

  void output(std::ostream& os) const;
  std::string ToString() const;
  // Reads "NP 3" after turning ',', '{', '}', '(' and ')' into blanks, so it
  // reads {NP,3} and tree labels such as (NP,3 alike. Without a second word
  // the number is -1.
  void LoadFromString(const std::string& text);

  POS_TYPE m_POS = POS_TYPE_NONE;
  int m_RuleNum = -1;
  std::string m_szCategory;  // only for a category outside the table
};

// One element of a rule side.
class KalConstituent {
 public:
  explicit KalConstituent(CONSTITUENT_TYPE type) : m_Type(type) {}
  virtual ~KalConstituent() = default;
  KalConstituent(const KalConstituent&) = delete;
  KalConstituent& operator=(const KalConstituent&) = delete;

  CONSTITUENT_TYPE GetType() const { return m_Type; }

  virtual KalConstituent* Clone() const = 0;
  // Copies the type and the skip marker.
  virtual void Copy(const KalConstituent* other);
  virtual int GetHashIndex() const = 0;
  // The category name or the literal text, without quotes.
  virtual void output(std::ostream& os) const = 0;
  virtual bool AreSame(const KalConstituent* other) const = 0;

  // The skip allowance written after this element in a source side, as read:
  // "#", "##" or "#" and digits; empty for none.
  const std::string& GetSkipMarker() const { return m_szSkip; }
  void SetSkipMarker(const std::string& marker) { m_szSkip = marker; }

 protected:
  CONSTITUENT_TYPE m_Type;
  std::string m_szSkip;
};

class POSConstituent : public KalConstituent {
 public:
  explicit POSConstituent(POS_TYPE pos) : KalConstituent(CONSTITUENT_TYPE_POS), m_POS(pos) {}
  POS_TYPE GetPOSType() const { return m_POS; }

  KalConstituent* Clone() const override;
  void Copy(const KalConstituent* other) override;
  int GetHashIndex() const override { return m_POS; }
  void output(std::ostream& os) const override;
  bool AreSame(const KalConstituent* other) const override;

 private:
  POS_TYPE m_POS;
};

// A word. It remembers how it was written so that it is written back the same
// way: in double quotes (the default), in single quotes, or bare (a word
// between brackets without quotes that is no category of the table, which
// the engine takes for a category of its own).
class LiteralConstituent : public KalConstituent {
 public:
  enum QUOTE_STYLE { QUOTE_DOUBLE, QUOTE_SINGLE, QUOTE_NONE };

  explicit LiteralConstituent(const std::string& text, QUOTE_STYLE quote = QUOTE_DOUBLE)
      : KalConstituent(CONSTITUENT_TYPE_LITERAL), m_szLiteral(text), m_Quote(quote) {}
  void GetLiteral(std::string& out) const { out = m_szLiteral; }
  const std::string& GetLiteral() const { return m_szLiteral; }
  QUOTE_STYLE GetQuoteStyle() const { return m_Quote; }

  KalConstituent* Clone() const override;
  void Copy(const KalConstituent* other) override;
  int GetHashIndex() const override { return NUM_POS_TYPE; }
  void output(std::ostream& os) const override;
  bool AreSame(const KalConstituent* other) const override;

 private:
  std::string m_szLiteral;
  QUOTE_STYLE m_Quote;
};

class KalConstituentFactory {
 public:
  // A category constituent for a category name of the table, a (double-quoted)
  // literal for any other text. The caller owns the result.
  static KalConstituent* CreateKalConstituent(const std::string& text);
};

// A source-side and a target-side position, both counted from 1.
struct Alignment {
  int m_iSLWord = 0;
  int m_iTLWord = 0;
  bool operator==(const Alignment& o) const {
    return m_iSLWord == o.m_iSLWord && m_iTLWord == o.m_iTLWord;
  }
};

// A grammar rule or lexical entry of the refinement side, read from and
// written to rule text. Rules are reference counted; see GraphNode for the
// hierarchy of derived rules (break it with GraphNode::Reset() before the last
// release). KalRule::Reset() clears the rule's content, not its graph links.
class KalRule : public GraphNode, public TimeStampedObject {
 public:
  static const std::vector<std::string> m_vszPOS;

  // RULE_TYPE_INVALID without two bracketed groups; RULE_TYPE_GRAMMAR when a
  // side holds a category (an unquoted word); else RULE_TYPE_LEXICAL.
  static RULE_TYPE GetRuleTypeFromString(const std::string& text);
  // Exact, case-sensitive; POS_TYPE_NONE for a name outside the table.
  static POS_TYPE GetPOSTypeFromString(const std::string& name);
  // "" for POS_TYPE_NONE or any value outside the table.
  static std::string GetStringFromPOSType(POS_TYPE pos);

  RULE_TYPE GetRuleType() const { return m_RuleType; }
  void GetRuleID(KalRuleID* out) const;
  const KalRuleID& GetRuleID() const { return m_RuleID; }
  void SetRuleID(const KalRuleID& id) { m_RuleID = id; }
  void GetDesiredParentRuleID(KalRuleID* out) const;
  const KalRuleID& GetDesiredParentRuleID() const { return m_DesiredParentID; }
  void SetDesiredParentRuleID(const KalRuleID& id) { m_DesiredParentID = id; }
  bool IsSameRuleID(const KalRuleID& id) const { return m_RuleID == id; }
  bool IsSameDesiredParentRuleID(const KalRuleID& id) const { return m_DesiredParentID == id; }
  bool IsEnabled() const { return m_fEnabled; }
  void SetEnabled(bool enabled) { m_fEnabled = enabled; }

  // The rule this one was derived from (its parent), or null for an original.
  KalRule* GetOriginalRule() const;

  int GetNumConstraints() const { return static_cast<int>(m_vConstraints.size()); }
  // Null when i is out of range.
  KalConstraint* GetConstraint(int i) const;
  // Ignores null; otherwise takes a reference and appends.
  void AddConstraint(KalConstraint* constraint);
  // Reads a constraint from `text` (an equation without its outer
  // parentheses, as "(x0 agr num) = sg") and appends it.
  void AddConstraint(const std::string& text);
  // Releases every constraint.
  void ClearConstraints();

  int GetNumSLConstituents() const { return static_cast<int>(m_vSLConstituents.size()); }
  int GetNumTLConstituents() const { return static_cast<int>(m_vTLConstituents.size()); }
  // 0-based; null when out of range. The rule keeps ownership.
  KalConstituent* GetSLConstituent(int i) const;
  KalConstituent* GetTLConstituent(int i) const;

  int GetNumAlignments() const { return static_cast<int>(m_vAlignments.size()); }
  // 0-based; null when out of range.
  Alignment* GetAlignment(int i);
  const Alignment* GetAlignment(int i) const;
  void AddAlignment(int slPos, int tlPos);

  // Carried from reading to writing ("TR:", "L:" and "I:" entries).
  const std::vector<int>& GetTranslationPairs() const { return m_viTranslationPairs; }
  void AddTranslationPair(int line) { m_viTranslationPairs.push_back(line); }
  bool GetLFlag() const { return m_fL; }
  void SetLFlag(bool flag) { m_fL = flag; }
  const std::string& GetIDLeadToChange() const { return m_szIDLeadToChange; }
  void SetIDLeadToChange(const std::string& text) { m_szIDLeadToChange = text; }

  // The categories of the rule's header as read (NP::NP); empty when the rule
  // was not read from text, in which case the ID's category is written.
  const std::string& GetSLCategoryName() const { return m_szSLCategory; }
  const std::string& GetTLCategoryName() const { return m_szTLCategory; }

  // Both IDs become (-1,-1); constituents, constraints, alignments and the
  // header categories go; the rule is enabled again. Time stamp, translation
  // pairs, L flag and IDLeadToChange stay.
  void Reset();
  // Does nothing for null, itself or a rule of another type; otherwise a deep
  // copy of the content. Desired parent ID, graph links and the carried
  // entries are not copied.
  void Copy(KalRule* other);
  // A new rule of the same class made by Copy(this), with count 1.
  virtual KalRule* Clone() = 0;

  bool HaveSameKalConstituents(KalRule* other) const;
  void SetSLKalConstituentsFromString(const std::string& text);
  void SetTLKalConstituentsFromString(const std::string& text);

  // Reads the rule text; always succeeds, reading what fits.
  bool LoadFromString(const std::string& text);
  void output(std::ostream& os) const;

  // ---- Refinement primitives.

  // A copy with a new number of the rule's category, derived from this rule
  // (its child, written with a "P:" entry naming this rule). The caller holds
  // the one reference and adds it to the collection when done. Null without
  // manager or for a category outside the table, which has no numbers.
  KalRule* Bifurcate(KalRuleIDManager* manager);
  // The rule in effect within the hierarchy below this rule: this rule when
  // it is enabled, else a depth-first search that tries the most recently
  // derived rules first. Null when no rule of the hierarchy is enabled.
  KalRule* GetFirstEnabled();
  // Makes every grammar rule on the tree path from the leaf of word
  // `wordPos` up to (not including) the node labelled `ruleID` pass
  // `feature` from the path's child to its own node: the rule in effect for
  // each node is bifurcated, the copy gains (y0 F) = (yK F) and is added to
  // the collection, and the rule in effect is disabled. Stops at a node
  // without a rule in effect. Writes its progress to standard output.
  static void Percolate(KalRuleIDManager* manager, KalRuleCollection* collection,
                        const KalRuleID& ruleID, int wordPos, const std::string& feature,
                        ParseTree* tree);
  // The 1-based position, among this rule's target constituents, of the
  // constituent standing for word `wordPos` of the tree's translation
  // (`fromLeaf`) or for that word's parent node: the first node on the way
  // up whose level this rule's target side matches at an offset that covers
  // the node. -1 when there is none.
  int RuleInstantiation(int wordPos, ParseTree* tree, int& pos, bool fromLeaf);
  // The positions of the two target constituents under which two words of
  // the translation lie; both -1 when they cannot be established.
  void RuleInstantiation(int wordPos1, int wordPos2, ParseTree* tree, int& pos1, int& pos2);
  // The smallest offset into `levelPOS` at which every constituent is a
  // category constituent of the category found there; -1 when there is none.
  int MatchPOStoConstituents(const std::vector<POS_TYPE>& levelPOS,
                             const std::vector<KalConstituent*>& constituents) const;

 protected:
  // Target-side edits of grammar rules; alignments and target-side
  // constraint positions follow the constituents they name.
  void AddConstituentToRHS(KalConstituent* constituent, int pos);
  void MoveConstituentInRHS(int from, int to);
  // Applies `map` to every target position of alignments and constraints.
  void RenumberTLPositions(const std::function<int(int)>& map);

  explicit KalRule(RULE_TYPE type);
  ~KalRule() override;

  bool CanAddChild(GraphNode* child) override;
  void OnSetParent(GraphNode* parent) override;
  virtual void OnLoadFromString(std::string& text) = 0;
  virtual void OnOutput(std::ostream& os) const = 0;
  virtual void OnCopy(KalRule* other);
  virtual void OnChangeConstituents();
  virtual void OnReset();

  using ConstituentList = std::vector<std::unique_ptr<KalConstituent>>;
  // Reads the elements of one rule side. A double-quoted word is always a
  // word; in a lexical entry its text is split into one word per blank-
  // separated part. A skip marker is attached to the element before it.
  // False when an element could not be written back as read.
  static bool ReadConstituents(const std::string& text, bool splitWords, ConstituentList* out);
  void WriteConstituents(std::ostream& os, const ConstituentList& list, bool source) const;
  void ReadBody(const std::string& text, size_t pos);
  // The rule's lines as an enabled rule has them.
  void WriteRule(std::ostream& os) const;
  bool ReadMetadata(const std::string& content);

  KalRuleID m_RuleID;
  KalRuleID m_DesiredParentID;
  ConstituentList m_vSLConstituents;
  ConstituentList m_vTLConstituents;
  std::vector<KalConstraint*> m_vConstraints;
  std::vector<Alignment> m_vAlignments;
  std::vector<int> m_viTranslationPairs;
  bool m_fL = false;
  std::string m_szIDLeadToChange;
  bool m_fEnabled = true;
  RULE_TYPE m_RuleType;
  std::string m_szSLCategory;
  std::string m_szTLCategory;
};

class KalGrammarRule : public KalRule {
 public:
  KalGrammarRule() : KalRule(RULE_TYPE_GRAMMAR) {}
  KalRule* Clone() override;

  // Inserts `constituent` (the rule takes ownership; null is ignored) before
  // target position `pos`, clamped to 1 .. count + 1; target positions from
  // `pos` on rise by one.
  void AddConstituentToRHS(KalConstituent* constituent, int pos) {
    KalRule::AddConstituentToRHS(constituent, pos);
  }
  // Moves the target constituent at `from` to `to` (both 1-based); ignored
  // when either is out of range or they are equal.
  void MoveConstituentInRHS(int from, int to) { KalRule::MoveConstituentInRHS(from, to); }

 protected:
  void OnLoadFromString(std::string&) override {}
  void OnOutput(std::ostream&) const override {}
};

class KalLexiconRule : public KalRule {
 public:
  KalLexiconRule() : KalRule(RULE_TYPE_LEXICAL) {}
  // A new entry of category `pos` with the given words and the alignment
  // (1,1). With a manager, its number is a new one for the category.
  KalLexiconRule(POS_TYPE pos, KalRuleIDManager* manager, std::vector<std::string>& slWords,
                 std::vector<std::string>& tlWords);
  KalRule* Clone() override;

  // Each word becomes one double-quoted word of the side.
  void SetSLLexicon(const std::vector<std::string>& words);
  void SetTLLexicon(const std::vector<std::string>& words);
  void GetSLLexicon(std::vector<std::string>& out) const { out = m_vszSLLexicon; }
  void GetTLLexicon(std::vector<std::string>& out) const { out = m_vszTLLexicon; }
  const std::vector<std::string>& GetSLLexicon() const { return m_vszSLLexicon; }
  const std::vector<std::string>& GetTLLexicon() const { return m_vszTLLexicon; }
  bool AreSameLexicon(const std::vector<std::string>& sl, const std::vector<std::string>& tl) const;

  // The left features of the value constraints of this entry whose values
  // differ from a value constraint of `other` on the same feature, once per
  // such pair; just "POS" when the categories differ; empty for null.
  void Delta(KalLexiconRule* other, std::vector<std::string>& out) const;
  // Replaces the constraints by the defaults of `category`, guessed from the
  // last source and target words.
  void SetConstraintsFromPOS(POS_TYPE category);

 protected:
  void OnLoadFromString(std::string&) override {}
  void OnOutput(std::ostream&) const override {}
  void OnCopy(KalRule* other) override;
  void OnChangeConstituents() override;
  void OnReset() override;

 private:
  std::vector<std::string> m_vszSLLexicon;
  std::vector<std::string> m_vszTLLexicon;
};

class KalRuleFactory {
 public:
  // A grammar rule or lexical entry read from `text`, with count 1 and owned
  // by the caller; null when the text is no rule.
  static KalRule* CreateFromString(const std::string& text);
};
