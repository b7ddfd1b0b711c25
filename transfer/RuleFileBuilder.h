// transfer/RuleFileBuilder.h
#pragma once

#include <string>
#include <vector>

// The records the rule-file reader hands to a RuleFileBuilder. The reader
// does all the syntax work (tokens, productions, rule checks, grouping and
// register numbering of equations); the builder only stores what it is given.

enum class RuleKind { Phrase, Lex, Compound };

// One element of a source or target production.
struct RuleElement {
  enum class Kind {
    Category,  // a non-quoted token
    Word,      // source word of a lexical rule, or any target word
    Literal    // source word of a phrase rule; text carries the "LIT-" prefix
  };
  Kind kind = Kind::Category;
  std::string text;
  int skip = 0;  // skip allowance of a source element: 0 none, 1000 any
};

// Everything before the equations. The ID is always set: when the text gave
// none, the reader made one from the source category and
// RuleFileBuilder::nextRuleIndex.
struct RuleHeader {
  std::string rulename;
  int ruleindex = 0;
  std::string ruleid;
  bool idGiven = false;
  RuleKind type = RuleKind::Phrase;
  std::string srcLhs;
  std::string tgtLhs;
  std::vector<RuleElement> src;
  std::vector<RuleElement> tgt;
};

// The five equation groups of a rule.
enum class EquationGroup { Parse, Transfer, Generation, Fill, Constraint };

// Operators of stored equations. The reader drops `=n` and *REMOVE* written
// as an operator, so they never reach a builder.
enum class EquationOp {
  PseudoUnify,   // =
  Assign,        // <=
  RemoveAssign,  // ==
  Push,          // >
  Pop,           // <
  Constrain      // =c
};

enum class RightSide { Path, Value, Defined, Undefined, Remove };

// A register and the feature names of a path, outermost first. The register
// number is the one of the group's register file: in the transfer group a
// source register Xi is m + 1 + i, m the number of target elements.
struct RegisterPath {
  unsigned reg = 0;
  std::vector<std::string> features;
};

// An atomic value (one atom), a disjunction (*OR*) or a negation (*NOT*).
struct RuleValue {
  enum class Kind { Atom, Or, Not };
  Kind kind = Kind::Atom;
  std::vector<std::string> atoms;
};

struct RuleEquation {
  EquationGroup group = EquationGroup::Parse;
  EquationOp op = EquationOp::PseudoUnify;
  RegisterPath left;
  RightSide right = RightSide::Path;
  RegisterPath rightPath;  // when right is Path
  RuleValue value;         // when right is Value
};

enum class BlockKind { Or, Eor };

// How a rule ended.
enum class RuleEnd {
  Complete,   // read to its closing parenthesis and well formed: store it
  Malformed,  // read completely but a check failed; already reported
  Abandoned   // a syntax error in the rule's own production cut it short
};

// Receives what the rule-file reader reads, in input order. Calls for one
// rule come as beginRule, then alignment, score, equation and block calls,
// then endRule. Directives come only between rules.
class RuleFileBuilder {
 public:
  virtual ~RuleFileBuilder() = default;

  // Case policy applied to every non-quoted token and double-quoted word.
  virtual std::string normalizeCase(const std::string& text) { return text; }

  // The engine's `debug` and `enginedebug` settings, which gate the
  // reader's trace output.
  virtual bool debugOn() const { return false; }
  virtual bool engineDebugOn() const { return false; }

  // Index for a rule without ID: one more than the largest index of an
  // accepted rule with this name, or 0.
  virtual int nextRuleIndex(const std::string& rulename) = 0;

  // (debug): toggle the debug setting now.
  virtual void debugDirective() = 0;
  // One category of (openclass ...) or (topnode ...), in order.
  virtual void openClass(const std::string& category) = 0;
  virtual void topNode(const std::string& category) = 0;

  virtual void beginRule(const RuleHeader& header) = 0;
  // Source element i corresponds to target element j (both from 1). A later
  // alignment of the same source element replaces the earlier one.
  virtual void alignment(unsigned src, unsigned tgt) = 0;
  virtual void score(double value) = 0;
  // A parse equation goes into the innermost open alternative (or the
  // rule's parse group); equations of every other group go straight into
  // the rule's own group, even when written inside a block.
  virtual void equation(const RuleEquation& eq) = 0;
  // A block is added, as one unit, where a parse equation would go at
  // beginBlock; its alternatives are the beginAlternative/endAlternative
  // pairs until endBlock. Calls are always properly nested.
  virtual void beginBlock(BlockKind kind) = 0;
  virtual void beginAlternative() = 0;
  virtual void endAlternative() = 0;
  virtual void endBlock() = 0;
  // Specificity counts the constraining equations read, stored or not.
  virtual void endRule(RuleEnd end, float specificity) = 0;

  // A message for the error stream, ending with a line end.
  virtual void diagnostic(const std::string& text) = 0;
  // Trace text for the output stream (only when debug and enginedebug are on).
  virtual void trace(const std::string& text) { (void)text; }
};
