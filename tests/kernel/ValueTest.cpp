// tests/kernel/ValueTest.cpp
#include <gtest/gtest.h>

#include "tests/kernel/KernelText.h"

using namespace UKernel;
using kt::Str;
using kt::V;

namespace {

struct UnifyCase {
  const char* left;
  const char* right;
  bool ok;
  const char* result;  // the left value afterwards
};

// Value unification with modify; every case also checks that the dry run
// (modify false) agrees and changes nothing.
const UnifyCase kUnify[] = {
    {"a", "a", true, "a"},
    {"a", "b", false, "a"},
    {"a", "(*OR* [] x)", true, "a"},
    {"a", "(*OR* b a)", true, "a"},
    {"a", "(*OR* b c)", false, "a"},
    {"a", "(*NOT* a)", false, "a"},
    {"a", "(*NOT* b c)", true, "a"},
    {"(*OR* a b)", "b", true, "b"},
    {"(*OR* a b)", "c", false, "(*OR* a b)"},
    {"(*NOT* a)", "a", false, "(*NOT* a)"},
    {"(*NOT* a)", "b", true, "b"},
    {"(*NOT* a)", "(*NOT* b)", true, "(*NOT* a b)"},
    {"(*NOT* a b)", "(*NOT* b)", true, "(*NOT* a b)"},
    {"(*OR* a b c)", "(*NOT* b)", true, "(*OR* a c)"},
    {"(*OR* a b c)", "(*NOT* a b)", true, "c"},
    {"(*OR* a b)", "(*NOT* a b)", false, "(*OR* a b)"},
    {"(*OR* [] a)", "(*NOT* a)", true, "(*NOT* a)"},
    {"(*OR* [] a b)", "(*NOT* a)", true, "b"},
    {"(*NOT* a)", "(*OR* a b c)", true, "(*OR* b c)"},
    {"(*NOT* a b)", "(*OR* a b)", false, "(*NOT* a b)"},
    {"(*OR* a b)", "(*OR* b c)", true, "b"},
    {"(*OR* a b c)", "(*OR* c b)", true, "(*OR* b c)"},
    {"(*OR* a b)", "(*OR* [] c)", true, "(*OR* a b)"},
    {"(*OR* a b)", "(*OR* [] a)", true, "a"},
    {"(*OR* a b)", "(*OR* c d)", false, "(*OR* a b)"},
    {"(*MULTIPLE* a b)", "a", false, "(*MULTIPLE* a b)"},
    {"(*MULTIPLE* (*OR* a b) (*OR* a c))", "a", true, "(*MULTIPLE* a a)"},
    // Results of a multiple value stand in reverse order of production.
    {"(*MULTIPLE* (*OR* a b) (*OR* a c))", "(*OR* a b c)", true,
     "(*MULTIPLE* (*OR* a c) (*OR* a b))"},
    {"(*MULTIPLE* a b)", "(*MULTIPLE* (*OR* a b) (*NOT* c))", true, "(*MULTIPLE* b b a a)"},
    {"(*OR* a b)", "(*MULTIPLE* a b)", true, "(*MULTIPLE* b a)"},
    {"b", "(*MULTIPLE* (*OR* a b) b)", true, "(*MULTIPLE* b b)"},
    {"b", "(*MULTIPLE* b c)", false, "b"},
    // Former bug: each copy of a was taken after earlier results had been
    // added below a, so members grew nested copies.
    {"a", "(*MULTIPLE* a a)", true, "(*MULTIPLE* a a)"},
    {"a", "(*MULTIPLE* a a a)", true, "(*MULTIPLE* a a a)"},
    {"*DEFINED*", "*DEFINED*", true, "*DEFINED*"},
};

TEST(ValueTest, PseudoUnify) {
  for (const UnifyCase& c : kUnify) {
    Value left = V(c.left);
    const Value right = V(c.right);
    EXPECT_EQ(c.ok, left.pseudoUnify(left.root(), right.root(), false))
        << c.left << " / " << c.right;
    EXPECT_EQ(c.left, Str(left)) << "dry run changed " << c.left;
    EXPECT_EQ(c.ok, left.pseudoUnify(left.root(), right.root(), true))
        << c.left << " / " << c.right;
    EXPECT_EQ(c.result, Str(left)) << c.left << " / " << c.right;
    EXPECT_EQ(c.right, Str(right));
  }
}

TEST(ValueTest, UnifyInsideALargerValue) {
  Value v = V("(*MULTIPLE* x (*OR* a b))");
  Value o = V("b");
  EXPECT_TRUE(v.pseudoUnify(v.root()->daughter(1), o.root(), true));
  EXPECT_EQ("(*MULTIPLE* x b)", Str(v));
}

TEST(ValueTest, CompactAndRemoveBox) {
  struct Case {
    const char* in;
    const char* compacted;
  };
  const Case kCases[] = {
      {"(*OR* a a)", "a"},
      {"(*NOT* a a)", "(*NOT* a)"},
      {"(*NOT* a)", "(*NOT* a)"},
      {"(*MULTIPLE* a)", "a"},
      {"(*MULTIPLE* a a)", "(*MULTIPLE* a a)"},
      {"(*OR* b (*OR* a a) b)", "(*OR* b a)"},
      {"(*OR* (*OR* a b) (*OR* b a))", "(*OR* a b)"},
      {"a", "a"},
  };
  for (const Case& c : kCases) {
    Value v = V(c.in);
    v.compact();
    EXPECT_EQ(c.compacted, Str(v)) << c.in;
  }

  Value boxed = V("(*OR* [] a (*MULTIPLE* [] b) (*NOT* []))");
  EXPECT_TRUE(boxed.removeBox());
  EXPECT_EQ("(*OR* a (*MULTIPLE* b) (*NOT* []))", Str(boxed));
  EXPECT_FALSE(boxed.removeBox());
}

TEST(ValueTest, EqualityAndOutput) {
  EXPECT_EQ(V("(*OR* a b)"), V("(*OR* b a)"));
  EXPECT_NE(V("(*MULTIPLE* a b)"), V("(*MULTIPLE* b a)"));
  EXPECT_NE(V("(*OR* a b)"), V("(*OR* a a)"));
  EXPECT_NE(V("(*OR* a b)"), V("(*NOT* a b)"));
  EXPECT_EQ(V("(*OR* (*NOT* a b) c)"), V("(*OR* c (*NOT* b a))"));

  Value orv;
  orv.insert(nullptr, 0, Symbol(OR));
  orv.insert(orv.root(), 0, Symbol("sg"));
  orv.insert(orv.root(), 1, Symbol("pl"));
  EXPECT_EQ("(*OR* sg pl)", Str(orv));
  Value mult;
  mult.insert(nullptr, 0, Symbol(MULTIPLE));
  mult.insert(mult.root(), 0, orv.root());
  mult.insert(mult.root(), 1, Symbol("c"));
  EXPECT_EQ("(*MULTIPLE* (*OR* sg pl) c)", Str(mult));
  EXPECT_EQ("(*OR* \"the house\" \"\")", Str(V("(*OR* \"the house\" \"\")")));
  EXPECT_EQ("", Str(Value()));
}

TEST(ValueTest, Stack) {
  Value v = V("a");
  v.push(V("b"));
  EXPECT_EQ("(*MULTIPLE* b a)", Str(v));
  v.push(V("(*MULTIPLE* c d)"));
  EXPECT_EQ("(*MULTIPLE* c d b a)", Str(v));
  Value top;
  EXPECT_TRUE(v.top(top));
  EXPECT_EQ("c", Str(top));

  Value two = V("(*MULTIPLE* a b)");
  EXPECT_TRUE(two.pop());
  EXPECT_EQ("b", Str(two));
  EXPECT_TRUE(two.top(top));
  EXPECT_EQ("b", Str(top));
  EXPECT_FALSE(two.pop());
  EXPECT_FALSE(two.hasRoot());
  EXPECT_FALSE(two.top(top));

  Value three = V("(*MULTIPLE* a b c)");
  EXPECT_TRUE(three.pop());
  EXPECT_EQ("(*MULTIPLE* b c)", Str(three));
}

TEST(ValueTest, MergeOr) {
  struct Case {
    const char* left;
    const char* right;
    const char* merged;
  };
  const Case kCases[] = {
      {"a", "b", "(*OR* a b)"},
      {"a", "a", "a"},
      {"(*OR* a b)", "(*OR* b c)", "(*OR* a b c)"},
      {"(*NOT* a)", "b", "(*OR* (*NOT* a) b)"},
  };
  for (const Case& c : kCases) {
    Value v = V(c.left);
    v.mergeOr(V(c.right));
    EXPECT_EQ(c.merged, Str(v)) << c.left << " | " << c.right;
  }
  EXPECT_TRUE(V("a").isAtom());
  EXPECT_FALSE(V("(*OR* a b)").isAtom());
  EXPECT_FALSE(V("[]").isAtom());
}

}  // namespace
