// transfer/RuleReadState.h
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "transfer/RuleFileBuilder.h"

// What the generated rule-file parser knows while it reads: the rule being
// built, the equation being read and the open blocks. The grammar's actions
// call these operations; they check rules, classify equations into groups,
// number registers and pass the results to the builder.
class RuleReadState {
 public:
  enum class Op { Unify, Overwrite, AssignRemove, RemoveOp, Append, Pop, Constrain, Negate };
  enum class Rhs { None, Path, Value, Multiple, Defined, Undefined, Remove };

  explicit RuleReadState(RuleFileBuilder& builder);

  RuleFileBuilder& builder() { return builder_; }

  // Directives.
  void debugDirective();
  void openClass(const std::string& category);
  void topNode(const std::string& category);

  // Rule header, in reading order.
  void startRule();
  void ruleName(const std::string& name, const std::string& index);
  void sourceLhs(const std::string& category);
  void targetLhs(const std::string& category);
  void lexical();
  void sourceStart();
  void sourceWord(const std::string& word);
  void sourceCategory(const std::string& category);
  void skipMark(const std::string& text);
  void sourceEnd();
  void targetStart();
  void targetWord(const std::string& word, bool literal);
  void targetCategory(const std::string& category);
  void targetEnd();
  void headerDone();

  // Equations.
  void alignment(const std::string& src, const std::string& tgt);
  void score(const std::string& number);
  void beginEquation();
  void leftPath(const std::string& constituent);
  void rightPath(const std::string& constituent);
  void pathFeature(const std::string& feature);
  void op(Op o);
  void rhs(Rhs r);
  void valueAtom(const std::string& atom);
  void valueList(RuleValue::Kind kind);
  void valueItem(const std::string& atom);
  void endEquation();

  // Blocks. depth() is the number of open blocks and alternatives;
  // unwindTo closes those above a depth after a syntax error cut a block
  // short, so that builder calls stay nested.
  void beginBlock(BlockKind kind);
  void beginAlternative();
  void endAlternative();
  void endBlock();
  std::size_t depth() const { return open_.size(); }
  void unwindTo(std::size_t depth);

  void endRule();
  void abandonRule();
  // End of input: a rule still open was cut short.
  void finish();

  // A syntax error report from the parser; the equation being read, if any,
  // is not stored.
  void syntaxError(const std::string& text);

 private:
  struct Register {
    char side = 'X';
    unsigned number = 0;
  };
  struct PathRead {
    Register reg;
    std::vector<std::string> features;
  };

  bool tracing() const;
  void trace(const std::string& text);
  void malformed(const std::string& message);
  std::string productionLine() const;
  static Register readRegister(const std::string& constituent);
  bool checkRegisters(EquationGroup group);
  bool checkY(unsigned k);

  RuleFileBuilder& builder_;
  int rulesStarted_ = 0;

  bool inRule_ = false;
  bool headerDone_ = false;
  bool malformed_ = false;
  float specificity_ = 0;
  RuleHeader header_;

  bool inEquation_ = false;
  bool damaged_ = false;
  PathRead left_;
  PathRead right_;
  PathRead* path_ = nullptr;
  Op op_ = Op::Unify;
  Rhs rhs_ = Rhs::None;
  RuleValue value_;

  enum class Open { Block, Alternative };
  std::vector<Open> open_;
};
