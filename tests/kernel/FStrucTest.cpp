// tests/kernel/FStrucTest.cpp
#include <gtest/gtest.h>

#include <sstream>

#include "kernel/indent.h"
#include "tests/kernel/KernelText.h"

using namespace UKernel;
using kt::FS;
using kt::Indented;
using kt::Line;
using kt::Str;
using kt::V;

namespace {

Path P(const char* text) { return Path::fromText(text); }

TEST(FStrucTest, EmptyAndClear) {
  FStruc fs;
  EXPECT_TRUE(fs.empty());
  EXPECT_FALSE(fs.isValue());
  EXPECT_FALSE(fs.isComplex());
  EXPECT_EQ("?: ()", Indented(fs));
  EXPECT_EQ("()", Line(fs));

  FStruc atomic = FS("sg");
  EXPECT_FALSE(atomic.empty());
  EXPECT_TRUE(atomic.isValue());
  EXPECT_EQ("?: sg", Indented(atomic));
  EXPECT_EQ("sg", Line(atomic));

  FStruc full = FS("((cat n))");
  EXPECT_TRUE(full.isComplex());
  full.setName(Symbol("NP"));
  full.clear();
  EXPECT_TRUE(full.empty());
  EXPECT_EQ("NP", full.readName().read());
}

TEST(FStrucTest, IndentedText) {
  struct Case {
    const char* fs;
    const char* name;
    const char* text;
  };
  const Case kCases[] = {
      {"((cat n) (agr ((num sg) (per 3))))", nullptr,
       "?: ((cat n)\n"
       "    (agr\n"
       "     ((num sg)\n"
       "      (per 3))))"},
      {"((agr (*OR* ((num sg)) ((num pl)))))", nullptr,
       "?: ((agr\n"
       "     (*OR*\n"
       "      ((num sg))\n"
       "      ((num pl)))))"},
      {"((args (*MULTIPLE* ((a 1) (b 2)) ((a 3)))))", "X0",
       "X0: ((args\n"
       "      (*MULTIPLE*\n"
       "       ((a 1)\n"
       "        (b 2))\n"
       "       ((a 3)))))"},
      {"((num (*OR* sg pl)) (form \"the house\"))", "my fs",
       "\"my fs\": ((num (*OR* sg pl))\n"
       "        (form \"the house\"))"},
      {"(*OR* ((num sg)) ((num pl)))", nullptr,
       "?: (*OR*\n"
       "    ((num sg))\n"
       "    ((num pl)))"},
  };
  for (const Case& c : kCases) {
    FStruc fs = FS(c.fs);
    if (c.name) fs.setName(Symbol(c.name));
    EXPECT_EQ(c.text, Indented(fs)) << c.fs;
  }
}

TEST(FStrucTest, OneLineText) {
  const char* kCases[] = {
      "((cat n) (agr ((num sg) (per 3))))",
      "((agr (*OR* ((num sg)) ((num pl)))))",
      "((args (*MULTIPLE* ((a 1) (b 2)) ((a 3)))) (x (*MULTIPLE* a b)))",
      "((form \"the house\") (e ()))",
  };
  for (const char* c : kCases) EXPECT_EQ(c, Line(FS(c)));
}

TEST(FStrucTest, IndentationIsPerStream) {
  std::ostringstream a, b;
  Toolbox::indent(a) = 3;
  EXPECT_EQ(0, Toolbox::indent(b));
  FStruc::indentPrint = true;
  a << FS("((x 1) (y 2))");
  EXPECT_EQ(
      "?: ((x 1)\n"
      "       (y 2))",
      a.str());
  EXPECT_EQ(3, Toolbox::indent(a)) << "printing restores the indentation";
}

TEST(FStrucTest, CopiesAreDeep) {
  FStruc a = FS("((agr ((num sg))) (cat n))");
  FStruc b = a;
  EXPECT_TRUE(b.pseudoUnify(P("agr per"), V("3")));
  EXPECT_TRUE(b.assign(P("cat"), V("v")));
  EXPECT_EQ("((agr ((num sg))) (cat n))", Line(a));
  EXPECT_EQ("((agr ((num sg) (per 3))) (cat v))", Line(b));

  FStruc sub(a, a.root()->daughter(0));
  EXPECT_EQ("((num sg))", Line(sub));
  a = b;
  EXPECT_EQ(Line(b), Line(a));
}

TEST(FStrucTest, ReadingValues) {
  FStruc fs = FS("((cat n) (agr ((num sg) (gen (*OR* m f)))) (agr ((num pl))))");
  Symbol s;
  EXPECT_TRUE(fs.isAtomValue(P("cat"), s));
  EXPECT_EQ("n", s.read());
  EXPECT_TRUE(fs.isAtomValue(P("agr num"), s)) << "the first daughter of each name";
  EXPECT_EQ("sg", s.read());
  EXPECT_FALSE(fs.isAtomValue(P("agr"), s));
  EXPECT_FALSE(fs.isAtomValue(P("agr gen"), s));
  EXPECT_FALSE(fs.isAtomValue(P("case"), s));

  Value v;
  EXPECT_TRUE(fs.getValue(P("agr gen"), v));
  EXPECT_EQ("(*OR* m f)", Str(v));
  EXPECT_FALSE(fs.getValue(P("agr"), v));
  FStruc sub;
  EXPECT_TRUE(fs.getFS(P("agr"), sub));
  EXPECT_EQ("((num sg) (gen (*OR* m f)))", Line(sub));
  EXPECT_FALSE(fs.getFS(P("cat"), sub));
}

TEST(FStrucTest, GatheringThroughGroups) {
  FStruc fs = FS("((agr (*OR* ((num sg)) ((per 3)))))");
  Blueprint bp;
  ASSERT_EQ(CL_SUCC, fs.collectBlueprint(P("agr num"), bp, true));
  ASSERT_EQ(4u, bp.entries.size());
  EXPECT_TRUE(bp.entries[0].sym.isSpecial(OR));
  EXPECT_TRUE(bp.entries[1].sym.isSpecial(UNKNOWN));
  EXPECT_TRUE(bp.entries[2].sym.isSpecial(BOX));
  EXPECT_TRUE(bp.entries[3].endTreeFlag);
  EXPECT_TRUE(bp.vFlag);
  Value v;
  EXPECT_TRUE(fs.collectValue(bp, v));
  EXPECT_EQ("(*OR* [] sg)", Str(v));

  Blueprint strict;
  EXPECT_EQ(CL_SUCC, fs.collectBlueprint(P("agr num"), strict, false));
  EXPECT_EQ(3u, strict.entries.size());
  Blueprint none;
  EXPECT_EQ(CL_BOX, fs.collectBlueprint(P("agr case"), none, true));
  EXPECT_TRUE(none.entries.empty());
  EXPECT_EQ(CL_FAIL, fs.collectBlueprint(P("agr case"), none, false));

  FStruc mult = FS("((args (*MULTIPLE* ((a 1)) ((a 2)))))");
  EXPECT_TRUE(mult.getValue(P("args a"), v));
  EXPECT_EQ("(*MULTIPLE* 1 2)", Str(v));
  FStruc holes = FS("((args (*MULTIPLE* ((a 1)) ((b 2)))))");
  EXPECT_FALSE(holes.getValue(P("args a"), v));

  FStruc alts = FS("((x (*OR* ((agr ((num sg)))) ((agr ((num pl)))))))");
  FStruc got;
  EXPECT_TRUE(alts.getFS(P("x agr"), got));
  EXPECT_EQ("(*OR* ((num sg)) ((num pl)))", Line(got));
}

TEST(FStrucTest, GatheringDropsFailedBranches) {
  // Former bug: the first alternative recorded the value sg before its
  // multiple group failed; the leftover entry and flags then made the
  // structure in the second alternative fail as a kind mismatch.
  FStruc fs = FS("((agr (*OR* ((x (*MULTIPLE* ((num sg)) ((per 1))))) ((x ((num ((q 1)))))))))");
  FStruc got;
  EXPECT_TRUE(fs.getFS(P("agr x num"), got));
  EXPECT_EQ("((q 1))", Line(got));
  Value v;
  EXPECT_FALSE(fs.getValue(P("agr x num"), v));
}

TEST(FStrucTest, Normalising) {
  struct Case {
    const char* in;
    const char* compacted;
  };
  const Case kCases[] = {
      {"((agr (*OR* ((num sg)) ((num sg)))))", "((agr ((num sg))))"},
      {"((agr (*OR* ((num sg)) ((num pl)) ((num sg)))))", "((agr (*OR* ((num sg)) ((num pl)))))"},
      {"((x (*MULTIPLE* ((a 1)) ((a 1)))))", "((x (*MULTIPLE* ((a 1)) ((a 1)))))"},
      {"((x (*OR* ((y (*OR* ((a 1)) ((a 1))))) ((y ((a 1)))))))", "((x ((y ((a 1))))))"},
      {"((n (*OR* a a)))", "((n (*OR* a a)))"},
  };
  for (const Case& c : kCases) {
    FStruc fs = FS(c.in);
    fs.compact();
    EXPECT_EQ(c.compacted, Line(fs)) << c.in;
  }

  FStruc boxed = FS("((agr (*OR* [] ((num sg)) ((num pl)))) (x (*OR* ((a [])))))");
  EXPECT_TRUE(boxed.removeBox(boxed.root()->daughter(0)));
  EXPECT_EQ("((agr (*OR* ((num sg)) ((num pl)))) (x (*OR* ((a [])))))", Line(boxed));
  EXPECT_FALSE(boxed.removeBox(boxed.root()->daughter(1)));
  EXPECT_FALSE(boxed.removeBox());

  FStruc one = FS("((x (*MULTIPLE* ((a 1)))))");
  one.reduceToAtomFSIfPossible(one.root()->daughter(0));
  EXPECT_EQ("((x ((a 1))))", Line(one));
  FStruc two = FS("((x (*OR* ((a 1)) ((a 2)))))");
  two.reduceToAtomFSIfPossible(two.root()->daughter(0));
  EXPECT_EQ("((x (*OR* ((a 1)) ((a 2)))))", Line(two));
  two.reduceToAtomFS(two.root()->daughter(0));
  EXPECT_EQ("((x ((a 1))))", Line(two));
}

TEST(FStrucTest, ModifyingWalkOverMultipleGroup) {
  // A walk whose callbacks give no predictions works on copies of the
  // members; the outcome is the same as in place.
  struct Case {
    const char* in;
    bool ok;
    const char* out;
  };
  const Case kCases[] = {
      {"((args (*MULTIPLE* ((a 1)) ((a 3)))))", true, "((args (*MULTIPLE* ((a z)) ((a z)))))"},
      {"((args (*MULTIPLE* ((a 1)) ((a 2)))))", false, "((args (*MULTIPLE* ((a 1)) ((a 2)))))"},
      {"((args (*MULTIPLE* ((a 1)) ((b 2)))))", true,
       "((args (*MULTIPLE* ((a z)) ((b 2) (a new)))))"},
  };
  for (const Case& c : kCases) {
    for (bool predicted : {false, true}) {
      FStruc fs = FS(c.in);
      FStruc::ModifyOps ops;
      ops.exist = [&](FStruc::Node* n) {
        if (!n->data.isValue() || fs.value(n) == V("2")) return false;
        fs.makeValueNode(n, V("z"));
        return true;
      };
      ops.notExist = [&](FStruc::Node* n, size_t) {
        fs.makeValueNode(fs.insert(n, n->size(), Feature(Symbol("a"))), V("new"));
        return true;
      };
      ops.vBlock = [](FStruc::Node*, size_t) { return false; };
      if (predicted) {
        ops.willExist = [&](const FStruc::Node* n) {
          return n->data.isValue() && !(fs.value(n) == V("2"));
        };
        ops.willMiss = [](const FStruc::Node*, size_t) { return true; };
        ops.willBlock = [](const FStruc::Node*, size_t) { return false; };
      }
      EXPECT_EQ(c.ok, fs.modifyPath(fs.root(), P("args a"), 0, ops)) << c.in;
      EXPECT_EQ(c.out, Line(fs)) << c.in << (predicted ? " in place" : " on copies");
    }
  }
}

TEST(FStrucTest, Isomorphism) {
  struct Case {
    const char* a;
    const char* b;
    bool iso, relaxed;
  };
  const Case kCases[] = {
      {"((a 1) (b ((c 2))))", "((b ((c 2))) (a 1))", true, true},
      {"((a 1))", "((a 2))", false, false},
      {"((a (*OR* 1 2)))", "((a 2))", false, true},
      {"((a 1))", "((a 1) (b 2))", false, false},
      {"((a 1))", "((a ((b 1))))", false, false},
      {"(*OR* ((a 1)) ((a 2)))", "(*OR* ((a 2)) ((a 1)))", true, true},
      {"((x (*MULTIPLE* ((a 1)) ((a 2)))))", "((x (*MULTIPLE* ((a 2)) ((a 1)))))", false, false},
      {"()", "()", true, true},
  };
  for (const Case& c : kCases) {
    FStruc a = FS(c.a), b = FS(c.b);
    EXPECT_EQ(c.iso, FStruc::isomorphicSameRoot(a, a.root(), b, b.root())) << c.a << " ~ " << c.b;
    EXPECT_EQ(c.relaxed, FStruc::isomorphicSameRootRelaxed(a, a.root(), b, b.root()))
        << c.a << " ~ " << c.b;
  }
}

TEST(FStrucTest, MergeOr) {
  struct Case {
    const char* left;
    const char* right;
    const char* merged;
  };
  const Case kCases[] = {
      {"((num sg))", "((num pl))", "(*OR* ((num sg)) ((num pl)))"},
      {"((num sg))", "((num sg))", "((num sg))"},
      {"()", "((num pl))", "((num pl))"},
      {"((num sg))", "()", "((num sg))"},
      {"sg", "pl", "(*OR* sg pl)"},
      {"(*OR* ((num sg)) ((num pl)))", "((num pl))", "(*OR* ((num sg)) ((num pl)))"},
      {"(*OR* ((num sg)) ((num pl)))", "((num du))", "(*OR* ((num sg)) ((num pl)) ((num du)))"},
      // Former bug: the alternatives of the right side were put beside the
      // plain features of the left.
      {"((num sg))", "(*OR* ((num pl)) ((num du)))", "(*OR* ((num sg)) ((num pl)) ((num du)))"},
      {"((num sg))", "(*OR* ((num sg)) ((num du)))", "(*OR* ((num sg)) ((num du)))"},
      // Former bug: an atomic left side read a value from an empty right one.
      {"sg", "()", "sg"},
  };
  for (const Case& c : kCases) {
    FStruc fs = FS(c.left);
    fs.mergeOr(FS(c.right));
    EXPECT_EQ(c.merged, Line(fs)) << c.left << " | " << c.right;
  }
}

}  // namespace
