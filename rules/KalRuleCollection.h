// rules/KalRuleCollection.h
#pragma once

#include "rules/KalRule.h"

#include <map>
#include <ostream>
#include <string>
#include <unordered_map>
#include <unordered_set>
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

// Splits a rule file into the texts of its rules. A rule text is its header
// line (normally the ID line), then the following lines up to the one that
// closes the rule body, joined with " \n". Parentheses and ';' count only
// outside double-quoted words, single-quoted literals and comments, so an
// entry for a punctuation mark does not swallow the rules after it. A
// disabled rule (";D:" before it, every line commented out) is delivered as
// ";D:" and its lines without their leading ';'.
class RuleParser {
 public:
  // What an open construct of the rule syntax carries into the next line.
  enum class Scan { Code, Word, Literal, Block };

  // Reads the whole file; a file that cannot be read yields no rules.
  explicit RuleParser(const std::string& fileName);
  RuleParser(const RuleParser&) = delete;
  RuleParser& operator=(const RuleParser&) = delete;

  bool IsOpen() const { return m_fOpen; }
  // The text of the next rule in `out`; false when no further rule was found.
  bool ParseNextRule(std::string& out);
  // The texts of the top-node and open-class directives met between rules so
  // far, each as one line such as "(topnode S VP)".
  const std::vector<std::string>& GetDirectives() const { return m_vszDirectives; }
  // The first line of the file that is not empty ("" when there is none).
  std::string FirstNonEmptyLine();

 private:
  bool NextLine(std::string& line);
  void ReadDirective(std::string code, int depth, Scan& state);

  bool m_fOpen = false;
  std::string m_Text;
  size_t m_Pos = 0;
  std::vector<std::string> m_vszDirectives;
};

// Every grammar rule and lexical entry of a run. Each stored rule is held by
// a reference; rules are never removed, only disabled.
class KalRuleCollection {
 public:
  KalRuleCollection() = default;
  KalRuleCollection(const KalRuleCollection&) = delete;
  KalRuleCollection& operator=(const KalRuleCollection&) = delete;
  ~KalRuleCollection();

  // Reads every rule of a grammar or lexicon file and writes "done loading
  // grammar" to standard output. A first line ";F:n" raises the invented-
  // feature counter to n. False, after a message on the error stream, when
  // the file cannot be read.
  bool AddFromFile(const std::string& fileName);
  // Adds one rule; the collection takes its own reference. Null is ignored.
  // A rule without number waits for AssignIDsToNonIDRules.
  void AddRule(KalRule* rule);
  // Numbers the waiting rules in the order they were added and stores them.
  void AssignIDsToNonIDRules();

  // The counter line, then the directives read with the grammar (respectively
  // the lexicon), then every rule in ID order, then the rules whose category
  // cannot be numbered, in the order they were added.
  void OutputGrammar(std::ostream& os) const;
  void OutputLexicon(std::ostream& os) const;
  // ";F:" and the invented-feature counter, then a line end.
  void OutputCustomFeatures(std::ostream& os) const;

  // The grammar rule with that ID, else the lexical entry with it, else null.
  KalRule* GetRule(const KalRuleID& id) const;
  // The first entry registered under the first source word whose source and
  // target words equal the two lists; null when there is none or `sl` is
  // empty.
  KalLexiconRule* GetLexRule(const std::vector<std::string>& sl,
                             const std::vector<std::string>& tl) const;
  // Append every entry holding the word (exact match) on the source,
  // respectively target, side, in the order they were added.
  void GetAllLexRulesWithSLWord(const std::string& word, std::vector<KalLexiconRule*>& out) const;
  void GetAllLexRulesWithTLWord(const std::string& word, std::vector<KalLexiconRule*>& out) const;

  // "feat_" and the counter, which then rises by one.
  std::string PostulateNewFeature();
  int GetNumCustomFeatures() const { return m_nCustomFeatures; }
  KalRuleIDManager* USeRuleIDManager() { return &m_RuleIDManager; }

  int GetNumGrammarRules() const { return static_cast<int>(m_Grammar.size()); }
  int GetNumLexiconRules() const { return static_cast<int>(m_Lexicon.size()); }

 private:
  using WordDictionary = std::unordered_map<std::string, std::vector<KalRuleID>>;

  void LinkToParent(KalRule* rule);
  void AdoptWaitingChildren(KalRule* rule);
  void Store(KalRule* rule);
  void Register(WordDictionary& dict, const std::vector<std::string>& words, const KalRuleID& id);
  void Unregister(WordDictionary& dict, const std::vector<std::string>& words, const KalRuleID& id);
  void Collect(const WordDictionary& dict, const std::string& word,
               std::vector<KalLexiconRule*>& out) const;
  void OutputRules(std::ostream& os, const std::vector<std::string>& directives,
                   const std::map<KalRuleID, KalRule*>& rules, RULE_TYPE type) const;

  int m_nCustomFeatures = 0;
  KalRuleIDManager m_RuleIDManager;
  std::map<KalRuleID, KalRule*> m_Grammar;
  std::map<KalRuleID, KalRule*> m_Lexicon;
  WordDictionary m_SLLexDictionary;
  WordDictionary m_TLLexDictionary;
  std::vector<KalRule*> m_vRulesWithoutIDs;
  std::vector<KalRule*> m_vRulesWithoutParents;
  // Rules without number whose category is outside the table: they cannot be
  // numbered and are written back as read, without ID line.
  std::vector<KalRule*> m_vUnnumberedRules;
  // Every rule that ever entered the collection, so that the hierarchy of
  // derived rules can be broken up before the rules are released.
  std::vector<KalRule*> m_vAllRules;
  std::unordered_set<const KalRule*> m_Known;
  std::vector<std::string> m_vszGrammarDirectives;
  std::vector<std::string> m_vszLexiconDirectives;
};
