// tests/kernel/SymbolTest.cpp
#include <gtest/gtest.h>

#include <sstream>

#include "kernel/path.h"
#include "kernel/symbol.h"

using namespace UKernel;

namespace {

std::string Out(const Symbol& s) {
  std::ostringstream os;
  os << s;
  return os.str();
}

TEST(SymbolTest, InterningAndCodes) {
  Symbol a("sym-test-a"), b("sym-test-b"), a2(std::string("sym-test-a"));
  EXPECT_EQ(a, a2);
  EXPECT_NE(a, b);
  EXPECT_EQ(a.readCode() + 1, b.readCode()) << "ids are dense, in order of first use";
  EXPECT_EQ("sym-test-a", a2.read());
  EXPECT_FALSE(a.isSpecial());

  Symbol none;
  EXPECT_EQ("?", none.read());
  EXPECT_TRUE(none.isSpecial(UNKNOWN));
  EXPECT_EQ(-1, none.readCode());
  none.setSpecial(OR);
  EXPECT_EQ("*OR*", none.read());

  EXPECT_EQ("NIL", symNull.read());
  EXPECT_EQ("%", symWildcard.read());
  EXPECT_EQ(":AMBIGUITY", symAmbiguity.read());
  EXPECT_EQ(MULTIPLE, symMultiple.readCode());
}

TEST(SymbolTest, CodeTexts) {
  struct Case {
    SymCode code;
    const char* text;
  };
  const Case kCases[] = {
      {NUMBER, "*NUMBER*"},
      {NOT_POSITIVE, "*NOT-POSITIVE*"},
      {DEFINED, "*DEFINED*"},
      {REMOVE, "*REMOVE*"},
      {MULTIPLE, "*MULTIPLE*"},
      {NOT, "*NOT*"},
      {OP_PSEUDO_UNIFY, "="},
      {OP_CONSTRAIN_NOFILTER, "=c'"},
      {OP_ISO, "=i"},
      {OP_ASSIGN, "<="},
      {OP_REMOVE_ASSIGN, "=="},
      {OP_PUSH, ">"},
      {OP_POP, "<"},
      {BOX, "[]"},
      {UNKNOWN, "?"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.text, Symbol(c.code).read()) << c.code;
    EXPECT_EQ(c.text, Out(Symbol(c.code))) << "codes are never quoted: " << c.code;
  }
}

TEST(SymbolTest, OutputQuotesOnlyWhatCouldNotBeReadBack) {
  struct Case {
    const char* text;
    const char* out;
  };
  const Case kCases[] = {
      {"sg", "sg"},
      {"the house", "\"the house\""},
      {"", "\"\""},
      {"a-b.c", "a-b.c"},
      {"%", "%"},
      {"*x*", "*x*"},
      // Former bug: quotes and parentheses were written bare and broke the
      // structure when read back.
      {"say\"hi\"", "\"say\\\"hi\\\"\""},
      {"(x", "\"(x\""},
      {"a;b", "\"a;b\""},
      {"two words\\", "\"two words\\\\\""},
      {"tab\there", "\"tab\there\""},
  };
  for (const Case& c : kCases) EXPECT_EQ(c.out, Out(Symbol(c.text))) << c.text;
}

TEST(SymbolTest, NumberTests) {
  struct Case {
    const char* text;
    bool number, integer, positive;
  };
  const Case kCases[] = {
      {"3", true, true, true},
      {"-2.5", true, false, false},
      {"0", true, true, false},
      {"1e3", true, false, true},
      {"abc", false, false, false},
      {"12abc", false, false, false},
      {"+7", true, true, true},
      // Former bug: the empty text passed as a number.
      {"", false, false, false},
  };
  for (const Case& c : kCases) {
    Symbol s(c.text);
    EXPECT_EQ(c.number, s.isNumber()) << '"' << c.text << '"';
    EXPECT_EQ(c.integer, s.isInteger()) << '"' << c.text << '"';
    EXPECT_EQ(c.positive, s.isPositive()) << '"' << c.text << '"';
  }
  EXPECT_FALSE(Symbol(NUMBER).isNumber());
  EXPECT_FALSE(Symbol(UNKNOWN).isInteger());
}

TEST(PathTest, Output) {
  struct Case {
    Path path;
    const char* out;
  };
  const Case kCases[] = {
      {Path(), ""},
      {Path::fromText("agr num"), "agr num"},
      {Path{Symbol("x0"), Symbol("the house"), Symbol("b")}, "x0 \"the house\" b"},
  };
  for (const Case& c : kCases) {
    std::ostringstream os;
    os << c.path;
    EXPECT_EQ(c.out, os.str());
  }
  EXPECT_EQ(2u, Path::fromText("agr num").size());
}

}  // namespace
