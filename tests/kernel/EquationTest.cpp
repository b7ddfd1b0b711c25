// tests/kernel/EquationTest.cpp
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "kernel/eBlock.h"
#include "tests/kernel/RegsText.h"

using namespace UKernel;
using kt::Dump;
using kt::Regs;
using kt::V;

namespace {

SymCode Op(const std::string& text) {
  for (int code = NUMBER; code <= UNKNOWN; ++code)
    if (Symbol(static_cast<SymCode>(code)).read() == text) return static_cast<SymCode>(code);
  ADD_FAILURE() << "no code " << text;
  return UNKNOWN;
}

// "1 agr num": register 1, path agr num.
FSPath FP(const std::string& text) {
  std::istringstream in(text);
  unsigned idx = 0;
  in >> idx;
  std::string rest;
  std::getline(in, rest);
  return FSPath(idx, Path::fromText(rest));
}

std::string Printed(const _EBlockBase& b) {
  std::ostringstream os;
  os << b;
  return os.str();
}

struct PathCase {
  const char* left;
  const char* op;
  const char* right;
  const char* before;
  bool ok;
  const char* after;  // "" when the registers stay as they were
};

const PathCase kPathCases[] = {
    // = : unification of the right path into the left.
    {"0 agr", "=", "1 agr", "() | ((agr ((num sg))))", true,
     "((agr ((num sg)))) | ((agr ((num sg))))"},
    {"0 agr", "=", "1 agr", "((agr ((num pl)))) | ((agr ((num sg))))", false, ""},
    {"0 agr", "=", "1 agr", "((cat n)) | ((cat v))", true, ""},
    {"0 a", "=", "0 b", "((b x))", true, "((b x) (a x))"},
    // =c filters disjunctions of structures on the left; =c' does not.
    {"0 num", "=c", "1 num", "((num (*OR* sg pl))) | ((num sg))", true, ""},
    {"0 agr num", "=c", "1 num", "((agr (*OR* ((num sg)) ((num pl))))) | ((num pl))", true,
     "((agr ((num pl)))) | ((num pl))"},
    {"0 agr num", "=c'", "1 num", "((agr (*OR* ((num sg)) ((num pl))))) | ((num pl))", true, ""},
    {"0 num", "=c", "1 num", "((num pl)) | ((num sg))", false, ""},
    {"0 num", "=c'", "1 num", "((num pl)) | ((num sg))", false, ""},
    {"0 num", "=c", "1 num", "((cat n)) | ((num sg))", false, ""},
    // =c compares whole structures; =t only asks that the right's features be there.
    {"0 agr", "=c", "1 agr", "((agr ((num sg) (per 3)))) | ((agr ((num sg))))", false, ""},
    {"0 agr", "=t", "1 agr", "((agr ((num sg) (per 3)))) | ((agr ((num sg))))", true, ""},
    {"0 agr", "=t", "1 agr", "((agr ((num sg)))) | ((agr ((num sg) (per 3))))", false, ""},
    {"0 agr num", "=t", "1 num", "((agr (*OR* ((num sg)) ((num pl))))) | ((num sg))", true,
     "((agr ((num sg)))) | ((num sg))"},
    {"0 agr num", "=t'", "1 num", "((agr (*OR* ((num sg)) ((num pl))))) | ((num sg))", true, ""},
    {"0 agr", "=t'", "1 agr", "((agr ((num sg)))) | ((agr ((num sg) (per 3))))", false, ""},
    // =i asks for equal values, not unifiable ones.
    {"0 num", "=i", "1 num", "((num (*OR* sg pl))) | ((num sg))", false, ""},
    {"0 num", "=i", "1 num", "((num sg)) | ((num sg))", true, ""},
    {"0 agr num", "=i", "1 num", "((agr (*OR* ((num sg)) ((num pl))))) | ((num pl))", true,
     "((agr ((num pl)))) | ((num pl))"},
    {"0 agr num", "=i'", "1 num", "((agr (*OR* ((num sg)) ((num pl))))) | ((num pl))", true, ""},
    {"0 num", "=i'", "1 num", "((num (*OR* sg pl))) | ((num sg))", false, ""},
    // <= overwrites; assigning a missing path removes the left path.
    {"0 agr", "<=", "1 agr", "((agr ((num pl) (per 1)))) | ((agr ((num sg))))", true,
     "((agr ((num sg)))) | ((agr ((num sg))))"},
    {"0 agr", "<=", "1 agr", "((cat v) (agr ((num pl)))) | ((cat n))", true,
     "((cat v)) | ((cat n))"},
    // == moves: the right path is removed when the unification holds.
    {"0 agr", "==", "1 agr", "() | ((agr ((num sg))) (cat n))", true,
     "((agr ((num sg)))) | ((cat n))"},
    {"0 agr", "==", "1 agr", "((agr ((num pl)))) | ((agr ((num sg))) (cat n))", false, ""},
    {"0 agr", "==", "1 agr", "() | ((cat n))", false, ""},
    // > pushes onto a stack, < pops its top.
    {"0 stack", ">", "1 a", "((stack x)) | ((a y))", true, "((stack (*MULTIPLE* y x))) | ((a y))"},
    {"0 top", "<", "1 stack", "() | ((stack (*MULTIPLE* b a)))", true, "((top b)) | ((stack a))"},
    {"0 top", "<", "1 stack", "((top c)) | ((stack (*MULTIPLE* b a)))", false, ""},
    {"0 top", "<", "0 stack", "((stack (*MULTIPLE* b a)))", true, "((stack a) (top b))"},
    // A register the file does not have: the equation fails.
    {"0 a", "=", "5 a", "((a x)) | ((a y))", false, ""},
    {"5 a", "<=", "0 a", "((a x)) | ((a y))", false, ""},
};

TEST(EquationTest, PathToPath) {
  for (const PathCase& c : kPathCases) {
    FSPath l = FP(c.left), r = FP(c.right);
    EBlockMain b(l.fsIdx, l.path, r.fsIdx, r.path, Op(c.op));
    FSRegisters regs = Regs(c.before);
    const std::string before = Dump(regs);
    const std::string what = Printed(b) + " on " + before;
    EXPECT_EQ(c.ok, b.run(regs)) << what;
    EXPECT_EQ(*c.after ? c.after : before, Dump(regs)) << what;
  }
}

struct ValueCase {
  const char* left;
  const char* op;
  const char* value;
  const char* before;
  bool ok;
  const char* after;
};

const ValueCase kValueCases[] = {
    {"0 agr num", "=", "sg", "()", true, "((agr ((num sg))))"},
    {"0 agr num", "=", "sg", "((agr ((num pl))))", false, ""},
    {"0 tense", "=", "(*OR* past pres)", "()", true, "((tense (*OR* past pres)))"},
    {"0", "=", "sg", "()", true, "sg"},
    {"0 num", "=c", "sg", "((num (*OR* sg pl)))", true, ""},
    {"0 num", "=c", "sg", "((cat n))", false, ""},
    {"0 agr num", "=c", "sg", "((agr (*OR* ((num sg)) ((num pl)))))", true, "((agr ((num sg))))"},
    {"0 agr num", "=c'", "sg", "((agr (*OR* ((num sg)) ((num pl)))))", true, ""},
    {"0 agr num", "=c'", "du", "((agr (*OR* ((num sg)) ((num pl)))))", false, ""},
    {"0 agr num", "=t", "pl", "((agr (*OR* ((num sg)) ((num pl)))))", true, "((agr ((num pl))))"},
    {"0 agr num", "=t'", "pl", "((agr (*OR* ((num sg)) ((num pl)))))", true, ""},
    {"0 num", "=i", "sg", "((num (*OR* sg pl)))", false, ""},
    {"0 num", "=i", "(*OR* pl sg)", "((num (*OR* sg pl)))", true, ""},
    {"0 agr num", "=i", "pl", "((agr (*OR* ((num sg)) ((num pl)))))", true, "((agr ((num pl))))"},
    {"0 agr num", "=i'", "pl", "((agr (*OR* ((num sg)) ((num pl)))))", true, ""},
    {"0 num", "<=", "sg", "((num pl) (cat n))", true, "((num sg) (cat n))"},
    {"0 agr", "<=", "sg", "((agr ((num pl))))", true, "((agr sg))"},
    {"3 num", "=", "sg", "()", false, ""},
};

TEST(EquationTest, PathToValue) {
  for (const ValueCase& c : kValueCases) {
    FSPath l = FP(c.left);
    EBlockMain b(l.fsIdx, l.path, V(c.value), Op(c.op));
    FSRegisters regs = Regs(std::string(c.before));
    const std::string what = Printed(b) + " on " + c.before;
    EXPECT_EQ(c.ok, b.run(regs)) << what;
    EXPECT_EQ(*c.after ? c.after : c.before, Dump(regs)) << what;
  }
}

struct CodeCase {
  const char* left;
  SymCode code;
  const char* before;
  bool ok;
  const char* after;
};

const CodeCase kCodeCases[] = {
    {"0 n", NUMBER, "((n 3.5))", true, ""},
    {"0 n", NUMBER, "((n x))", false, ""},
    {"0 n", INTEGER, "((n 3))", true, ""},
    {"0 n", INTEGER, "((n 3.5))", false, ""},
    {"0 n", POSITIVE, "((n 2))", true, ""},
    {"0 n", POSITIVE, "((n -2))", false, ""},
    {"0 a", DEFINED, "((a x))", true, ""},
    {"0 b", DEFINED, "((a x))", false, ""},
    {"0 agr num", DEFINED, "((agr (*OR* ((num sg)) ((per 3)))))", true, "((agr ((num sg))))"},
    {"0 b", UNDEFINED, "((a x))", true, ""},
    {"0 a", UNDEFINED, "((a x))", false, ""},
    {"0 b", UNDEFINED, "()", true, ""},
    {"0 a", REMOVE, "((a x) (b y))", true, "((b y))"},
    {"0 c", REMOVE, "((a x) (b y))", true, ""},
    {"1 a", DEFINED, "((a x))", false, ""},
};

TEST(EquationTest, PathWithCode) {
  for (const CodeCase& c : kCodeCases) {
    FSPath l = FP(c.left);
    EBlockMain b(l.fsIdx, l.path, c.code);
    FSRegisters regs = Regs(std::string(c.before));
    const std::string what = Printed(b) + " on " + c.before;
    EXPECT_EQ(c.ok, b.run(regs)) << what;
    EXPECT_EQ(*c.after ? c.after : c.before, Dump(regs)) << what;
  }
}

// Which registers an equation block declares it may change.
TEST(EquationTest, RegistersAnEquationMayChange) {
  struct Case {
    const char* op;
    FSIdxSet changed;
  };
  const Case cases[] = {
      {"=", {0}},  {"=c", {0}}, {"=c'", {}},    {"=t", {0}}, {"=t'", {}},   {"=i", {0}},
      {"=i'", {}}, {"<=", {0}}, {"==", {0, 2}}, {">", {0}},  {"<", {0, 2}},
  };
  for (const Case& c : cases) {
    EBlockMain b(0, Path{Symbol("a")}, 2, Path{Symbol("a")}, Op(c.op));
    EXPECT_EQ(2u, b.readMaxFSIdx()) << c.op;
    EXPECT_EQ(c.changed, b.readMIdxSet()) << c.op;
  }
  EBlockMain filtered(1, Path(), V("sg"), OP_CONSTRAIN);
  EBlockMain readOnly(1, Path(), V("sg"), OP_ISO_NOFILTER);
  EBlockMain withCode(3, Path(), DEFINED);
  EXPECT_EQ(FSIdxSet{1}, filtered.readMIdxSet());
  EXPECT_EQ(1u, filtered.readMaxFSIdx());
  EXPECT_TRUE(readOnly.readMIdxSet().empty());
  EXPECT_EQ(FSIdxSet{3}, withCode.readMIdxSet());
  EXPECT_EQ(3u, withCode.readMaxFSIdx());
}

TEST(EquationTest, ValidCodes) {
  EXPECT_TRUE(_EquType1::isValidCode(OP_POP));
  EXPECT_FALSE(_EquType2::isValidCode(OP_POP));
  EXPECT_FALSE(_EquType2::isValidCode(OP_REMOVE_ASSIGN));
  EXPECT_FALSE(_EquType2::isValidCode(OP_PUSH));
  EXPECT_FALSE(_EquType1::isValidCode(DEFINED));
  EXPECT_TRUE(_EquType3::isValidCode(REMOVE));
  EXPECT_FALSE(_EquType3::isValidCode(NOT_NUMBER));
  EXPECT_FALSE(_EquType3::isValidCode(OP_PSEUDO_UNIFY));
}

TEST(EquationTest, PrintedForm) {
  const Path agrNum{Symbol("agr"), Symbol("num")};
  struct Case {
    const char* op;
    const char* text;
  };
  const Case ops[] = {
      {"=", "((X1 agr num) = (X12 agr num))"},     {"=c", "((X1 agr num) =c (X12 agr num))"},
      {"=c'", "((X1 agr num) =c' (X12 agr num))"}, {"=t", "((X1 agr num) =t (X12 agr num))"},
      {"=t'", "((X1 agr num) =t' (X12 agr num))"}, {"=i", "((X1 agr num) =i (X12 agr num))"},
      {"=i'", "((X1 agr num) =i' (X12 agr num))"}, {"<=", "((X1 agr num) <= (X12 agr num))"},
      {"==", "((X1 agr num) == (X12 agr num))"},   {">", "((X1 agr num) > (X12 agr num))"},
      {"<", "((X1 agr num) < (X12 agr num))"},
  };
  for (const Case& c : ops) EXPECT_EQ(c.text, Printed(EBlockMain(1, agrNum, 12, agrNum, Op(c.op))));

  EXPECT_EQ("(X0 = X1)", Printed(EBlockMain(0, Path(), 1, Path(), OP_PSEUDO_UNIFY)));
  EXPECT_EQ("((X0 tense) = (*OR* past pres))",
            Printed(EBlockMain(0, Path{Symbol("tense")}, V("(*OR* past pres)"), OP_PSEUDO_UNIFY)));
  EXPECT_EQ("((X0 form) =c \"casa grande\")",
            Printed(EBlockMain(0, Path{Symbol("form")}, V("\"casa grande\""), OP_CONSTRAIN)));
  EXPECT_EQ("(X0 <= sg)", Printed(EBlockMain(0, Path(), V("sg"), OP_ASSIGN)));
  EXPECT_EQ("((X2 agr) = *DEFINED*)", Printed(EBlockMain(2, Path{Symbol("agr")}, DEFINED)));
  EXPECT_EQ("(X0 = *REMOVE*)", Printed(EBlockMain(0, Path(), REMOVE)));
  EXPECT_EQ("((X1 n) = *POSITIVE*)", Printed(EBlockMain(1, Path{Symbol("n")}, POSITIVE)));
}

}  // namespace
