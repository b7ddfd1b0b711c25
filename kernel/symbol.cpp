// kernel/symbol.cpp
#include "kernel/symbol.h"

#include <cerrno>
#include <cstdlib>
#include <ostream>

namespace UKernel {

namespace {

// Texts of the codes from NUMBER (-25) to UNKNOWN (-1).
const std::string kCodeText[] = {"*NUMBER*",
                                 "*INTEGER*",
                                 "*POSITIVE*",
                                 "*NOT-NUMBER*",
                                 "*NOT-INTEGER*",
                                 "*NOT-POSITIVE*",
                                 "*DEFINED*",
                                 "*UNDEFINED*",
                                 "*REMOVE*",
                                 "*MULTIPLE*",
                                 "*OR*",
                                 "*NOT*",
                                 "=",
                                 "=c",
                                 "=c'",
                                 "=t",
                                 "=t'",
                                 "=i",
                                 "=i'",
                                 "<=",
                                 "==",
                                 ">",
                                 "<",
                                 "[]",
                                 "?"};
const std::string kNoText;

// True when the whole of text converts as a floating-point number.
bool wholeDouble(const std::string& text, double* value) {
  if (text.empty()) return false;
  const char* begin = text.c_str();
  char* end = nullptr;
  *value = std::strtod(begin, &end);
  return end != begin && *end == '\0';
}

bool needsQuotes(const std::string& text) {
  if (text.empty()) return true;
  for (char c : text) {
    switch (c) {
      case ' ':
      case '\t':
      case '\n':
      case '\r':
      case '\f':
      case '"':
      case '(':
      case ')':
      case ';':
      case '|':
      case '#':
        return true;
      default:
        break;
    }
  }
  return false;
}

}  // namespace

const std::string& Symbol::read() const {
  if (id >= 0) return dict().readToken(id);
  if (id >= NUMBER) return kCodeText[id - NUMBER];
  return kNoText;
}

bool Symbol::isNumber() const {
  double value;
  return id >= 0 && wholeDouble(read(), &value);
}

bool Symbol::isInteger() const {
  if (id < 0) return false;
  const std::string& text = read();
  if (text.empty()) return false;
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  std::strtol(begin, &end, 10);
  return end != begin && *end == '\0';
}

bool Symbol::isPositive() const {
  double value;
  return id >= 0 && wholeDouble(read(), &value) && value > 0;
}

std::ostream& operator<<(std::ostream& os, const Symbol& s) {
  const std::string& text = s.read();
  if (s.isSpecial() || !needsQuotes(text)) return os << text;
  os << '"';
  for (char c : text) {
    if (c == '"' || c == '\\') os << '\\';
    os << c;
  }
  return os << '"';
}

const Symbol symNot(NOT), symOr(OR), symMultiple(MULTIPLE);
const Symbol symNull("NIL");
const Symbol symWildcard("%");
const Symbol symValue("VALUE");
const Symbol symSemValue("SEM-VALUE");
const Symbol symCat("CAT");
const Symbol symID("LEX-ID");
const Symbol symGetLex("GET-LEX"), symGetLexFS("GET-LEX-FS");
const Symbol symLexID(":LEX-ID"), symCheck(":CHECK"), symAmbiguity(":AMBIGUITY");

}  // namespace UKernel
