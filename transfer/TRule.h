// transfer/TRule.h
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "kernel/eBlock.h"

class TransferEngine;

// One loaded transfer rule, owned by the engine's rule store (`rules`).
//
// Source elements are categories, words (lexical rules) or "LIT-" + word
// (literals of phrase rules). The alignment vectors hold, per element, the
// index (from 0) of the aligned element of the other side; -1 marks a word
// that is not aligned (a literal, an inserted target word), -2 a category
// that is not aligned.
//
// The equation blocks use the register numbering of their group: the parse
// group X0..Xs, the generation, fill and constraint groups Y0..Yt as
// registers 0..t, and the transfer group Y0..Yt followed by X0..Xs.
class TRule {
 public:
  enum types { PHRASE = 0, LEX = 1, COMPOUND = 2 };

  std::string rulename;
  int ruleindex = 0;
  std::string ruleid;
  float specificity = 0;
  float score = 0;
  std::string src_lhs;
  unsigned src_rhs_total = 0;
  std::vector<std::string> src_rhs;
  types type = PHRASE;
  std::vector<int> skips;
  std::string tgt_lhs;
  unsigned tgt_rhs_total = 0;
  std::vector<std::string> tgt_rhs;
  std::vector<int> xyalign;
  std::vector<int> yxalign;
  UKernel::EBlockMain parseeb;
  UKernel::EBlockMain transfereb;
  UKernel::EBlockMain geneb;
  UKernel::EBlockMain filleb;
  UKernel::EBlockMain constrainteb;

  // The equations of one group as rule-file text: the block without its
  // outer parentheses, registers named as in rule files. getParseEquations
  // keeps a blank in place of the opening parenthesis and names registers as
  // the kernel prints them. An empty block gives "()".
  std::string getParseEquations() const;
  std::string getTransferEquations() const;
  std::string getGenerationEquations() const;
  std::string getFillEquations() const;
  std::string getConstraintEquations() const;

  // The kernel's printed form of the parse block. Rules with equal source
  // sides and equal texts here share one parse group. Fixed once the rule is
  // stored, so it is computed then and kept.
  const std::string& parseText() const { return parsetext; }
  void setParseText();

  // Whether source element i (from 0) is a word: a literal of a phrase rule
  // or any element of a lexical rule.
  bool isSourceWord(unsigned i) const;
  // Whether target element j (from 0) is a word: an inserted word of a
  // phrase rule or any element of a lexical rule.
  bool isTargetWord(unsigned j) const;

 private:
  std::string parsetext;
};

// The rule in the layout the reader accepts again: ID line, production line,
// correspondences, score and the non-empty equation groups, closed by ")"
// and a line end.
std::ostream& operator<<(std::ostream& os, const TRule& rule);

// The rules of the store that share one source side and parse equations,
// owned by the store (`parsegroups`). The chart parser works on groups, so
// that the shared part is parsed once and transferred by every member.
class ParseGroup {
 public:
  ParseGroup() = default;
  // A group holding only `rule`, whose number is `number`.
  ParseGroup(const TRule& rule, unsigned number);

  std::string src_lhs;
  unsigned src_rhs_total = 0;
  std::vector<std::string> src_rhs;
  std::vector<int> skips;
  TRule::types type = TRule::PHRASE;
  float score = 0;               // highest score of the members when they joined
  std::vector<unsigned> trules;  // rule numbers of the members

  // True when `rule` has this group's source side and skips and the same
  // printed parse equations as the group's first member.
  bool match(const TRule& rule, const TransferEngine& engine) const;
};
