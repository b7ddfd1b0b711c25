// tests/kernel/RandomTest.cpp
// Random structures and values: the read-only checks must predict exactly
// what the modifying operations do, failures must change nothing, and copies
// must be equal to their originals.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "tests/kernel/KernelText.h"

using namespace UKernel;
using kt::Line;
using kt::Str;

namespace {

class Gen {
 public:
  explicit Gen(unsigned seed) : rng_(seed) {}

  Value value(int depth) {
    Value v;
    build(v, nullptr, depth);
    return v;
  }

  // Features drawn from a few names, values from a few atoms, with value
  // disjunctions, negations and stacks, and structure-level groups.
  FStruc structure(int depth) {
    FStruc fs;
    fill(fs, fs.root(), depth);
    return fs;
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  void build(Value& v, Value::Node* m, int depth) {
    static const char* kAtoms[] = {"a", "b", "c"};
    int shape = depth > 0 ? pick(6) : 0;
    Symbol s = shape == 3   ? Symbol(OR)
               : shape == 4 ? Symbol(NOT)
               : shape == 5 ? Symbol(MULTIPLE)
                            : Symbol(kAtoms[pick(3)]);
    Value::Node* n = v.insert(m, m ? m->size() : 0, s);
    if (shape < 3) return;
    if (shape == 3 && pick(4) == 0) v.insert(n, 0, Symbol(BOX));
    for (int k = 1 + pick(3); k > 0; --k) build(v, n, depth - 1);
  }

  void fill(FStruc& fs, FStruc::Node* n, int depth) {
    static const char* kNames[] = {"f", "g", "h", "k"};
    int kind = depth > 0 ? pick(8) : 0;
    if (kind == 6 || kind == 7) {
      Symbol group = kind == 6 ? Symbol(OR) : Symbol(MULTIPLE);
      for (int k = 2 + pick(2); k > 0; --k)
        fill(fs, fs.insert(n, n->size(), Feature(group)), depth - 1);
      return;
    }
    bool used[4] = {false, false, false, false};
    for (int k = 1 + pick(3); k > 0; --k) {
      int i = pick(4);
      if (used[i]) continue;
      used[i] = true;
      FStruc::Node* f = fs.insert(n, n->size(), Feature(Symbol(kNames[i])));
      if (depth > 0 && pick(3) == 0) {
        fill(fs, f, depth - 1);
      } else {
        fs.makeValueNode(f, value(depth > 0 ? 1 : 0));
      }
    }
  }

  std::mt19937 rng_;
};

TEST(RandomTest, ValueUnificationIsConsistent) {
  Gen gen(7);
  int succeeded = 0, failed = 0;
  for (int i = 0; i < 3000; ++i) {
    Value s = gen.value(2), o = gen.value(2);
    std::string before = Str(s);
    bool predicted = Value::unifiable(s.root(), o.root());
    Value copy = s;
    EXPECT_EQ(before, Str(copy));
    EXPECT_TRUE(copy == s);
    bool done = s.pseudoUnify(s.root(), o.root(), true);
    EXPECT_EQ(predicted, done) << before << " / " << Str(o);
    if (!done) {
      EXPECT_EQ(before, Str(s)) << before << " / " << Str(o);
    }
    ++(done ? succeeded : failed);
  }
  EXPECT_GT(succeeded, 300);
  EXPECT_GT(failed, 300);
}

TEST(RandomTest, StructureUnificationIsConsistent) {
  Gen gen(11);
  int succeeded = 0, failed = 0;
  for (int i = 0; i < 1500; ++i) {
    FStruc l = gen.structure(3), r = gen.structure(3);
    std::string before = Line(l);
    FStruc copy = l;
    EXPECT_EQ(before, Line(copy));
    EXPECT_TRUE(FStruc::isomorphicSameRoot(l, l.root(), copy, copy.root()));
    bool predicted = l.unifiable(l.root(), r, r.root());
    bool done = l.pseudoUnify(Path(), r, Path(), false);
    EXPECT_EQ(predicted, done) << before << " / " << Line(r);
    if (!done) {
      EXPECT_EQ(before, Line(l)) << before << " / " << Line(r);
    }
    ++(done ? succeeded : failed);

    // Walks through the groups of the left side: the constraint and the
    // unification at a path agree with the walk's prediction.
    FStruc walked = copy;
    Path p = Path::fromText(i % 2 ? "f g" : "g");
    bool constrained = walked.constrain(p, gen.value(1));
    if (!constrained) {
      EXPECT_EQ(before, Line(walked));
    }
    FStruc unified = copy;
    Value v = gen.value(1);
    bool ok = unified.pseudoUnify(p, v);
    if (!ok) {
      EXPECT_EQ(before, Line(unified)) << before << " (" << p << ") = " << Str(v);
    }
  }
  EXPECT_GT(succeeded, 150);
  EXPECT_GT(failed, 150);
}

}  // namespace
