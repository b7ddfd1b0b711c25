// kernel/symbol.h
#ifndef KERNEL_SYMBOL_H
#define KERNEL_SYMBOL_H

#include <iosfwd>
#include <string>

#include "kernel/tokDict.h"

namespace UKernel {

// Negative symbol values are fixed codes; ids from 0 up are interned strings.
enum SymCode {
  NUMBER = -25,
  INTEGER = -24,
  POSITIVE = -23,
  NOT_NUMBER = -22,
  NOT_INTEGER = -21,
  NOT_POSITIVE = -20,
  DEFINED = -19,
  UNDEFINED = -18,
  REMOVE = -17,
  MULTIPLE = -16,
  OR = -15,
  NOT = -14,
  OP_PSEUDO_UNIFY = -13,
  OP_CONSTRAIN = -12,
  OP_CONSTRAIN_NOFILTER = -11,
  OP_TEST = -10,
  OP_TEST_NOFILTER = -9,
  OP_ISO = -8,
  OP_ISO_NOFILTER = -7,
  OP_ASSIGN = -6,
  OP_REMOVE_ASSIGN = -5,
  OP_PUSH = -4,
  OP_POP = -3,
  BOX = -2,
  UNKNOWN = -1
};

class Symbol : public Toolbox::TokenID {
 public:
  Symbol() = default;
  explicit Symbol(const std::string& text) : TokenID(text) {}
  explicit Symbol(const char* text) : TokenID(std::string(text)) {}
  Symbol(SymCode code) : TokenID(static_cast<int>(code)) {}  // NOLINT: codes convert freely

  // The interned text, or the fixed text of a special code.
  const std::string& read() const;
  int readCode() const { return id; }
  void setSpecial(SymCode code) { id = static_cast<int>(code); }
  bool isSpecial() const { return id < 0; }
  bool isSpecial(SymCode code) const { return id == static_cast<int>(code); }

  // Number tests on the text; false for special codes and for empty text.
  bool isNumber() const;
  bool isInteger() const;
  bool isPositive() const;
};

// Writes read(). A text that could not be read back as one token (empty, or
// holding blanks, quotes, parentheses or comment characters) is written between
// double quotes with '"' and '\' escaped by a backslash.
std::ostream& operator<<(std::ostream& os, const Symbol& s);

extern const Symbol symNot, symOr, symMultiple;
extern const Symbol symNull, symWildcard, symValue, symSemValue, symCat, symID;
extern const Symbol symGetLex, symGetLexFS, symLexID, symCheck, symAmbiguity;

}  // namespace UKernel

#endif  // KERNEL_SYMBOL_H
