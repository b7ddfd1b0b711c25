// tests/kernel/FStrucOpsTest.cpp
#include <gtest/gtest.h>

#include <string>

#include "tests/kernel/KernelText.h"

using namespace UKernel;
using kt::FS;
using kt::Line;
using kt::V;

namespace {

Path P(const std::string& text) { return Path::fromText(text); }

// One operation of a structure with a value, or with no operand.
bool RunValueOp(FStruc& fs, const std::string& op, const Path& path, const Value& v) {
  if (op == "=") return fs.pseudoUnify(path, v);
  if (op == "=c") return fs.constrain(path, v);
  if (op == "=t") return fs.test(path, v);
  if (op == "=c'") return fs.constrainNoFilter(path, v);
  if (op == "=i") return fs.isomorphism(path, v);
  if (op == "=i'") return fs.isomorphismNoFilter(path, v);
  if (op == "<=") return fs.assign(path, v);
  if (op == "def") return fs.isDefined(path);
  if (op == "undef") return fs.isUndefined(path);
  if (op == "num") return fs.isNumber(path);
  if (op == "int") return fs.isInteger(path);
  if (op == "pos") return fs.isPositive(path);
  if (op == "rm") return fs.remove(path);
  ADD_FAILURE() << "unknown operation " << op;
  return false;
}

struct ValueCase {
  const char* fs;
  const char* op;
  const char* path;
  const char* value;
  bool ok;
  const char* after;
};

const ValueCase kValueCases[] = {
    // Unification with a value.
    {"()", "=", "agr num", "sg", true, "((agr ((num sg))))"},
    {"()", "=", "", "sg", true, "sg"},
    {"((cat n))", "=", "cat", "n", true, "((cat n))"},
    {"((cat n))", "=", "cat", "v", false, "((cat n))"},
    {"((cat (*OR* n v)))", "=", "cat", "v", true, "((cat v))"},
    {"((agr ((num sg))))", "=", "agr", "sg", false, "((agr ((num sg))))"},
    {"((cat n))", "=", "cat x", "sg", false, "((cat n))"},
    {"((cat n))", "=", "agr num", "(*OR* [] sg)", true, "((cat n) (agr ((num sg))))"},
    {"((cat n))", "=", "num", "(*OR* [] sg pl)", true, "((cat n) (num (*OR* sg pl)))"},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=", "agr num", "pl", true, "((agr ((num pl))))"},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=", "agr num", "du", false,
     "((agr (*OR* ((num sg)) ((num pl)))))"},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=", "agr per", "3", true,
     "((agr (*OR* ((num sg) (per 3)) ((num pl) (per 3)))))"},
    {"((agr (*OR* ((num sg)) ((num sg) (per 3)))))", "=", "agr per", "3", true,
     "((agr ((num sg) (per 3))))"},
    {"((args (*MULTIPLE* ((a 1)) ((a 2)))))", "=", "args b", "x", true,
     "((args (*MULTIPLE* ((a 1) (b x)) ((a 2) (b x)))))"},
    {"((args (*MULTIPLE* ((a 1)) ((a 2)))))", "=", "args a", "1", false,
     "((args (*MULTIPLE* ((a 1)) ((a 2)))))"},
    {"((agr (*OR* [] ((num sg)))))", "=", "agr per", "3", true,
     "((agr (*OR* ((per 3)) ((num sg) (per 3)))))"},
    // Constraints and tests: filtering only through disjunctions of structures.
    {"((num (*OR* sg pl)))", "=c", "num", "sg", true, "((num (*OR* sg pl)))"},
    {"((num (*OR* sg pl)))", "=c", "num", "du", false, "((num (*OR* sg pl)))"},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=c", "agr num", "sg", true, "((agr ((num sg))))"},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=t", "agr num", "pl", true, "((agr ((num pl))))"},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=c'", "agr num", "sg", true,
     "((agr (*OR* ((num sg)) ((num pl)))))"},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=c'", "agr num", "du", false,
     "((agr (*OR* ((num sg)) ((num pl)))))"},
    {"((cat n))", "=c", "num", "sg", false, "((cat n))"},
    {"()", "=c", "num", "sg", false, "()"},
    {"()", "=c'", "num", "sg", false, "()"},
    {"((x (*MULTIPLE* ((a 1)) ((a 1)))))", "=c", "x a", "1", true,
     "((x (*MULTIPLE* ((a 1)) ((a 1)))))"},
    {"((x (*MULTIPLE* ((a 1)) ((a 2)))))", "=c'", "x a", "1", false,
     "((x (*MULTIPLE* ((a 1)) ((a 2)))))"},
    // Isomorphism with a value: equality, not unification.
    {"((num (*OR* sg pl)))", "=i", "num", "(*OR* pl sg)", true, "((num (*OR* sg pl)))"},
    {"((num (*OR* sg pl)))", "=i", "num", "sg", false, "((num (*OR* sg pl)))"},
    {"((num (*OR* sg pl)))", "=i'", "num", "(*OR* pl sg)", true, "((num (*OR* sg pl)))"},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=i", "agr num", "pl", true, "((agr ((num pl))))"},
    // Assignment overwrites whatever is there.
    {"((agr ((num sg) (per 3))))", "<=", "agr", "x", true, "((agr x))"},
    {"((cat n))", "<=", "cat case", "x", true, "((cat ((case x))))"},
    {"((cat n))", "<=", "cat", "(*OR* v n)", true, "((cat (*OR* v n)))"},
    {"()", "<=", "a b", "1", true, "((a ((b 1))))"},
    {"((a 1))", "<=", "", "1", true, "1"},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "<=", "agr num", "du", true, "((agr ((num du))))"},
    // Existence.
    {"((cat n))", "def", "cat", "", true, "((cat n))"},
    {"((cat n))", "def", "num", "", false, "((cat n))"},
    {"((cat n))", "def", "cat x", "", false, "((cat n))"},
    {"()", "def", "", "", false, "()"},
    {"((cat n))", "undef", "num", "", true, "((cat n))"},
    {"((cat n))", "undef", "cat", "", false, "((cat n))"},
    {"((cat n))", "undef", "cat x", "", true, "((cat n))"},
    {"()", "undef", "num", "", true, "()"},
    {"((agr (*OR* ((num sg)) ((per 3)))))", "def", "agr num", "", true, "((agr ((num sg))))"},
    {"((agr (*OR* ((num sg)) ((per 3)))))", "undef", "agr num", "", true, "((agr ((per 3))))"},
    // Numbers.
    {"((n 12) (f 2.5) (z 0) (w abc) (o (*OR* 1 2)))", "num", "n", "", true, ""},
    {"((n 12) (f 2.5) (z 0) (w abc) (o (*OR* 1 2)))", "int", "n", "", true, ""},
    {"((n 12) (f 2.5) (z 0) (w abc) (o (*OR* 1 2)))", "pos", "n", "", true, ""},
    {"((n 12) (f 2.5) (z 0) (w abc) (o (*OR* 1 2)))", "int", "f", "", false, ""},
    {"((n 12) (f 2.5) (z 0) (w abc) (o (*OR* 1 2)))", "num", "f", "", true, ""},
    {"((n 12) (f 2.5) (z 0) (w abc) (o (*OR* 1 2)))", "pos", "z", "", false, ""},
    {"((n 12) (f 2.5) (z 0) (w abc) (o (*OR* 1 2)))", "num", "w", "", false, ""},
    {"((n 12) (f 2.5) (z 0) (w abc) (o (*OR* 1 2)))", "num", "o", "", false, ""},
    {"((n 12) (f 2.5) (z 0) (w abc) (o (*OR* 1 2)))", "num", "q", "", false, ""},
    {"()", "num", "", "", false, "()"},
    // Removal always succeeds.
    {"((cat n))", "rm", "cat", "", true, "()"},
    {"((cat n) (agr ((num sg))))", "rm", "agr num", "", true, "((cat n))"},
    {"((cat n) (agr ((num sg) (per 3))))", "rm", "agr num", "", true, "((cat n) (agr ((per 3))))"},
    {"((cat n))", "rm", "agr num", "", true, "((cat n))"},
    {"((cat n))", "rm", "", "", true, "()"},
    {"()", "rm", "x", "", true, "()"},
    {"((agr (*OR* ((num sg) (per 3)) ((num pl) (per 3)))))", "rm", "agr num", "", true,
     "((agr ((per 3))))"},
    {"((agr (*OR* ((num sg)) ((num pl)))) (cat n))", "rm", "agr num", "", true, "((cat n))"},
    {"((x (*MULTIPLE* ((a 1) (b 1)) ((a 2)))))", "rm", "x a", "", true,
     "((x (*MULTIPLE* ((b 1)) ())))"},
};

TEST(FStrucOpsTest, OperationsWithAValue) {
  for (const ValueCase& c : kValueCases) {
    FStruc fs = FS(c.fs);
    std::string before = Line(fs);
    EXPECT_EQ(c.ok, RunValueOp(fs, c.op, P(c.path), V(c.value)))
        << c.fs << " " << c.op << " (" << c.path << ") " << c.value;
    EXPECT_EQ(*c.after ? std::string(c.after) : before, Line(fs))
        << c.fs << " " << c.op << " (" << c.path << ") " << c.value;
  }
}

// One operation between a path of this structure and a path of another.
bool RunPathOp(FStruc& left, const std::string& op, const Path& path, FStruc& right,
               const Path& rightPath) {
  if (op == "=") return left.pseudoUnify(path, right, rightPath, false);
  if (op == "==") {
    if (!left.pseudoUnify(path, right, rightPath, true)) return false;
    right.remove(rightPath);
    return true;
  }
  if (op == "=c") return left.constrain(path, right, rightPath);
  if (op == "=c'") return left.constrainNoFilter(path, right, rightPath);
  if (op == "=t") return left.test(path, right, rightPath);
  if (op == "=t'") return left.testNoFilter(path, right, rightPath);
  if (op == "=i") return left.isomorphism(path, right, rightPath);
  if (op == "=i'") return left.isomorphismNoFilter(path, right, rightPath);
  if (op == "<=") return left.assign(path, right, rightPath);
  if (op == ">") return left.push(path, right, rightPath);
  if (op == "<") return left.pop(path, right, rightPath);
  ADD_FAILURE() << "unknown operation " << op;
  return false;
}

struct PathCase {
  const char* left;
  const char* op;
  const char* path;
  const char* right;
  const char* rightPath;
  bool ok;
  const char* leftAfter;   // "" when unchanged
  const char* rightAfter;  // "" when unchanged
};

const PathCase kPathCases[] = {
    // Unification of structures.
    {"((cat n))", "=", "agr", "((agr ((num sg) (per 3))))", "agr", true,
     "((cat n) (agr ((num sg) (per 3))))", ""},
    {"()", "=", "", "((agr ((num sg))))", "", true, "((agr ((num sg))))", ""},
    {"((agr ((num sg))))", "=", "agr", "((agr ((per 3))))", "agr", true,
     "((agr ((num sg) (per 3))))", ""},
    {"((agr ((num pl))))", "=", "agr", "((agr ((per 3) (num sg))))", "agr", false, "", ""},
    {"((agr x))", "=", "agr", "((agr ((num sg))))", "agr", false, "", ""},
    {"((agr ((num sg))))", "=", "agr", "((agr x))", "agr", false, "", ""},
    {"((agr ((per 3))))", "=", "agr", "((agr (*OR* ((num sg)) ((num pl)))))", "agr", true,
     "((agr (*OR* ((per 3) (num sg)) ((per 3) (num pl)))))", ""},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=", "agr", "((agr ((num pl))))", "agr", true,
     "((agr ((num pl))))", ""},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=", "agr", "((agr ((num du))))", "agr", false, "",
     ""},
    {"((agr (*OR* ((num sg)) ((num pl) (per 3)))))", "=", "agr",
     "((agr (*OR* ((num pl)) ((num du)))))", "agr", true, "((agr ((num pl) (per 3))))", ""},
    {"((agr (*OR* ((num sg)) ((num sg) (per 3)) ((num pl)))))", "=", "agr", "((agr ((per 3))))",
     "agr", true, "((agr (*OR* ((num sg) (per 3)) ((num pl) (per 3)))))", ""},
    {"((agr (*OR* [] ((num sg)))))", "=", "agr", "((agr ((num pl))))", "agr", true,
     "((agr ((num pl))))", ""},
    {"((agr (*OR* [] ((num sg)))))", "=", "agr", "((agr (*OR* ((num pl)) ((num sg)))))", "agr",
     true, "((agr (*OR* ((num pl)) ((num sg)))))", ""},
    {"((args ((b x))))", "=", "args", "((args (*MULTIPLE* ((a 1)) ((a 2)))))", "args", true,
     "((args (*MULTIPLE* ((b x) (a 2)) ((b x) (a 1)))))", ""},
    {"((args (*MULTIPLE* ((a 1)) ((a 2)))))", "=", "args", "((args ((b x))))", "args", true,
     "((args (*MULTIPLE* ((a 2) (b x)) ((a 1) (b x)))))", ""},
    {"((args (*MULTIPLE* ((a 1)) ((a 2)))))", "=", "args", "((args ((a 1))))", "args", false, "",
     ""},
    {"((a ((b (*OR* x y)))))", "=", "a", "((a ((b y) (c z))))", "a", true, "((a ((b y) (c z))))",
     ""},
    // A missing right path is no information, except for remove-and-assign.
    {"((cat n))", "=", "cat", "((x y))", "agr", true, "", ""},
    {"((cat n))", "==", "cat", "((x y))", "agr", false, "", ""},
    {"((cat n))", "=", "cat", "()", "agr", true, "", ""},
    {"((cat n))", "==", "cat", "()", "agr", false, "", ""},
    {"((cat n))", "=", "agr", "()", "", true, "", ""},
    {"((a x))", "==", "b", "((c y))", "c", true, "((a x) (b y))", "()"},
    {"((a x))", "==", "a", "((c y))", "c", false, "", ""},
    // Values gathered through groups on the right.
    {"()", "=", "num", "((agr (*OR* ((num sg)) ((per 3)))))", "agr num", true, "((num sg))", ""},
    {"((num pl))", "=", "num", "((agr (*OR* ((num sg)) ((per 3)))))", "agr num", true, "", ""},
    {"((num pl))", "=", "num", "((agr (*OR* ((num sg)) ((num du)))))", "agr num", false, "", ""},
    {"((num (*OR* sg pl du)))", "=", "num", "((agr (*OR* ((num sg)) ((num du)))))", "agr num", true,
     "((num (*OR* sg du)))", ""},
    // Former bug: a group led by a box was merged as plain features, so "[]"
    // and "*OR*" turned up as features of the left side.
    {"((agr ((num sg))))", "=", "agr", "((agr (*OR* ((x ((num pl)))) ((y 1)))))", "agr x", true, "",
     ""},
    {"((agr ((per 3))))", "=", "agr", "((agr (*OR* ((x ((num pl)))) ((y 1)))))", "agr x", true,
     "((agr ((per 3) (num pl))))", ""},
    // Constraints, tests and isomorphism with a right path.
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=c", "agr num", "((num sg))", "num", true,
     "((agr ((num sg))))", ""},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=c'", "agr num", "((num sg))", "num", true, "", ""},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=c", "agr num", "((num du))", "num", false, "", ""},
    {"((num sg))", "=c", "num", "((x y))", "num", true, "", ""},
    {"()", "=c", "num", "((num sg))", "num", false, "", ""},
    {"((num sg))", "=c", "num", "()", "num", true, "", ""},
    {"((num sg))", "=c", "num", "((agr (*OR* ((num pl)) ((num sg)))))", "agr num", true, "", ""},
    {"((num sg))", "=c", "num", "((x (*MULTIPLE* ((num pl)) ((num sg)))))", "x num", false, "", ""},
    {"((num (*OR* sg pl)))", "=c", "num", "((x (*MULTIPLE* ((num pl)) ((num sg)))))", "x num", true,
     "", ""},
    {"((agr ((num sg) (per 3))))", "=t", "agr", "((agr ((num sg))))", "agr", true, "", ""},
    {"((agr ((num sg) (per 3))))", "=t'", "agr", "((agr ((gen m))))", "agr", false, "", ""},
    {"((agr ((num (*OR* sg pl)) (per 3))))", "=t", "agr", "((agr ((num pl))))", "agr", true, "",
     ""},
    {"((agr (*OR* ((num sg)) ((num pl)))))", "=t", "agr", "((agr ((num pl))))", "agr", true, "",
     ""},
    {"((agr ((num sg) (per 3))))", "=c", "agr", "((agr ((num sg))))", "agr", false, "", ""},
    {"((agr ((num (*OR* sg pl)))))", "=c", "agr", "((agr ((num sg))))", "agr", true, "", ""},
    {"((agr ((num (*OR* sg pl)))))", "=i", "agr", "((agr ((num sg))))", "agr", false, "", ""},
    {"((agr ((num sg) (per 3))))", "=i", "agr", "((agr ((per 3) (num sg))))", "agr", true, "", ""},
    {"((agr ((num sg))))", "=i'", "agr num", "((num sg))", "num", true, "", ""},
    {"((agr ((num sg))))", "=i", "agr", "((num sg))", "num", false, "", ""},
    // Assignment.
    {"((agr ((num sg) (per 3))))", "<=", "agr", "((x ((gen f))))", "x", true, "((agr ((gen f))))",
     ""},
    {"((agr ((num sg))))", "<=", "agr num", "((x ((gen f))))", "x", true,
     "((agr ((num ((gen f))))))", ""},
    {"((cat n) (agr x))", "<=", "agr", "((q r))", "zz", true, "((cat n))", ""},
    {"((cat n) (agr x))", "<=", "agr", "()", "zz", true, "((cat n))", ""},
    {"((cat n))", "<=", "", "((q r))", "zz", true, "()", ""},
    {"()", "<=", "a", "((q r))", "q", true, "((a r))", ""},
    {"()", "<=", "a", "((q (*OR* ((n 1)) ((m 2)))))", "q n", true, "((a 1))", ""},
    // Push and pop.
    {"((p a))", ">", "p", "((v b))", "v", true, "((p (*MULTIPLE* b a)))", ""},
    {"()", ">", "p", "((v b))", "v", true, "((p b))", ""},
    {"((p ((x 1))))", ">", "p", "((v b))", "v", false, "", ""},
    {"((p a))", ">", "p", "((w b))", "v", true, "", ""},
    {"((args ((a 2))))", ">", "args", "((m ((a 1))))", "m", true,
     "((args (*MULTIPLE* ((a 1)) ((a 2)))))", ""},
    {"((args (*MULTIPLE* ((a 2)) ((a 3)))))", ">", "args", "((m ((a 1))))", "m", true,
     "((args (*MULTIPLE* ((a 1)) ((a 2)) ((a 3)))))", ""},
    {"((args x))", ">", "args", "((m ((a 1))))", "m", false, "", ""},
    {"()", "<", "x", "((p (*MULTIPLE* b a)))", "p", true, "((x b))", "((p a))"},
    {"((x c))", "<", "x", "((p (*MULTIPLE* b a)))", "p", false, "", ""},
    {"()", "<", "x", "((p b))", "p", true, "((x b))", "()"},
    {"()", "<", "x", "()", "p", false, "", ""},
    {"()", "<", "x", "((q b))", "p", false, "", ""},
    {"()", "<", "x", "((args (*MULTIPLE* ((a 1)) ((a 2)))))", "args", true, "((x ((a 1))))",
     "((args ((a 2))))"},
    {"()", "<", "x", "((args (*MULTIPLE* ((a 1)) ((a 2)) ((a 3)))))", "args", true, "((x ((a 1))))",
     "((args (*MULTIPLE* ((a 2)) ((a 3)))))"},
};

TEST(FStrucOpsTest, OperationsWithARightPath) {
  for (const PathCase& c : kPathCases) {
    FStruc left = FS(c.left), right = FS(c.right);
    std::string what =
        std::string(c.left) + " (" + c.path + ") " + c.op + " (" + c.rightPath + ") " + c.right;
    EXPECT_EQ(c.ok, RunPathOp(left, c.op, P(c.path), right, P(c.rightPath))) << what;
    EXPECT_EQ(*c.leftAfter ? c.leftAfter : c.left, Line(left)) << what;
    EXPECT_EQ(*c.rightAfter ? c.rightAfter : c.right, Line(right)) << what;
  }
}

// Equations whose two sides are paths of one structure.
struct SelfCase {
  const char* fs;
  const char* op;
  const char* path;
  const char* rightPath;
  bool ok;
  const char* after;
};

const SelfCase kSelfCases[] = {
    {"((s ((a 1) (b 1))))", "=", "s a", "s b", true, ""},
    {"((s ((a (*OR* 1 2)) (b 1))))", "=", "s a", "s b", true, "((s ((a 1) (b 1))))"},
    // Former bug: the left walk changed nodes that the right side still read,
    // or copied a node into its own subtree.
    {"((b 1))", "=", "a", "", true, "((b 1) (a ((b 1))))"},
    {"((a ((c 1))) (b 2))", "=", "a", "", true, "((a ((c 1) (a ((c 1))) (b 2))) (b 2))"},
    {"((s (*MULTIPLE* ((a 1) (b 1)) ((a 2) (b 2)))))", "=c", "s a", "s b", false, ""},
    {"((s (*MULTIPLE* ((a 1) (b 1)) ((a 1) (b 1)))))", "=c", "s a", "s b", true, ""},
    {"((s (*OR* ((a 1) (b 1)) ((a 2) (b 3)))))", "=c", "s a", "s b", true, "((s ((a 1) (b 1))))"},
    {"((s (*OR* ((a 1) (b 1)) ((a 2) (b 3)))))", "=c'", "s a", "s b", true, ""},
    {"((s ((a 1))))", "<=", "t", "s", true, "((s ((a 1))) (t ((a 1))))"},
    {"((s ((a 1))))", "<=", "s b", "s", true, "((s ((a 1) (b ((a 1))))))"},
    {"((s ((a 1))))", ">", "s", "s", true, "((s (*MULTIPLE* ((a 1)) ((a 1)))))"},
    {"((p (*MULTIPLE* b a)))", "<", "q", "p", true, "((p a) (q b))"},
    {"((s ((a 1))) (t ((a 1))))", "==", "s", "t", true, "((s ((a 1))))"},
};

TEST(FStrucOpsTest, BothSidesInOneStructure) {
  for (const SelfCase& c : kSelfCases) {
    FStruc fs = FS(c.fs);
    std::string what = std::string(c.fs) + " (" + c.path + ") " + c.op + " (" + c.rightPath + ")";
    EXPECT_EQ(c.ok, RunPathOp(fs, c.op, P(c.path), fs, P(c.rightPath))) << what;
    EXPECT_EQ(*c.after ? c.after : c.fs, Line(fs)) << what;
  }
}

TEST(FStrucOpsTest, PushedMembersKeepTheirNumber) {
  // Former bug: pushing onto a missing node added an empty member, so two
  // pushes gave three members.
  FStruc fs;
  EXPECT_TRUE(fs.push(P("args"), FS("((a 2))"), Path()));
  EXPECT_TRUE(fs.push(P("args"), FS("((a 1))"), Path()));
  EXPECT_EQ("((args (*MULTIPLE* ((a 1)) ((a 2)))))", Line(fs));

  // Popping takes the top; a later gathering sees the whole group again.
  FStruc out;
  EXPECT_TRUE(out.pop(P("x"), fs, P("args")));
  EXPECT_EQ("((x ((a 1))))", Line(out));
  EXPECT_EQ("((args ((a 2))))", Line(fs));
  FStruc stack = FS("((args (*MULTIPLE* ((a 1)) ((a 2)))))");
  FStruc got;
  EXPECT_TRUE(stack.getFS(P("args"), got));
  EXPECT_EQ("(*MULTIPLE* ((a 1)) ((a 2)))", Line(got));
}

TEST(FStrucOpsTest, FailureLeavesTheStructureAlone) {
  // Deep structures with a failure late in the merge: nothing of the partial
  // work may remain.
  FStruc left = FS("((a ((b 1) (c ((d 1))))) (e ((f (*OR* x y)))))");
  FStruc right = FS("((e ((f y) (g 2))) (a ((c ((d 2))) (h 3))))");
  EXPECT_FALSE(left.pseudoUnify(Path(), right, Path(), false));
  EXPECT_EQ("((a ((b 1) (c ((d 1))))) (e ((f (*OR* x y)))))", Line(left));
  FStruc ok = FS("((e ((f y) (g 2))) (a ((c ((d 1))) (h 3))))");
  EXPECT_TRUE(left.pseudoUnify(Path(), ok, Path(), false));
  EXPECT_EQ("((a ((b 1) (c ((d 1))) (h 3))) (e ((f y) (g 2))))", Line(left));
}

}  // namespace
