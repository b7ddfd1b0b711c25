// tests/kernel/EBlockTest.cpp
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "kernel/eBlock.h"
#include "kernel/indent.h"
#include "tests/kernel/RegsText.h"

using namespace UKernel;
using kt::Dump;
using kt::Regs;
using kt::V;

namespace {

using BlockPtr = std::unique_ptr<_EBlockBase>;

Path P(const std::string& text) { return Path::fromText(text); }

// One equation in its own main block, as the rule store builds them.
BlockPtr Eq(unsigned l, const char* lp, const char* value, SymCode code = OP_PSEUDO_UNIFY) {
  return std::make_unique<EBlockMain>(l, P(lp), V(value), code);
}
BlockPtr Eq(unsigned l, const char* lp, unsigned r, const char* rp,
            SymCode code = OP_PSEUDO_UNIFY) {
  return std::make_unique<EBlockMain>(l, P(lp), r, P(rp), code);
}
BlockPtr Eq(unsigned l, const char* lp, SymCode code) {
  return std::make_unique<EBlockMain>(l, P(lp), code);
}

template <class Block>
std::unique_ptr<Block> Make(std::vector<BlockPtr> parts) {
  auto b = std::make_unique<Block>();
  for (BlockPtr& p : parts) b->addBlock(std::move(p));
  return b;
}
std::vector<BlockPtr> List(BlockPtr a) {
  std::vector<BlockPtr> v;
  v.push_back(std::move(a));
  return v;
}
std::vector<BlockPtr> List(BlockPtr a, BlockPtr b) {
  std::vector<BlockPtr> v = List(std::move(a));
  v.push_back(std::move(b));
  return v;
}
std::vector<BlockPtr> List(BlockPtr a, BlockPtr b, BlockPtr c) {
  std::vector<BlockPtr> v = List(std::move(a), std::move(b));
  v.push_back(std::move(c));
  return v;
}
std::vector<BlockPtr> List(BlockPtr a, BlockPtr b, BlockPtr c, BlockPtr d) {
  std::vector<BlockPtr> v = List(std::move(a), std::move(b), std::move(c));
  v.push_back(std::move(d));
  return v;
}
// An alternative: a main block of sub-blocks.
BlockPtr Alt(std::vector<BlockPtr> parts) { return Make<EBlockMain>(std::move(parts)); }
BlockPtr Alt(BlockPtr one) { return Alt(List(std::move(one))); }

std::string Printed(const _EBlockBase& b) {
  std::ostringstream os;
  os << b;
  return os.str();
}

// ---- main blocks ----

TEST(EBlockTest, EmptyMainBlockHoldsAndPrintsEmptyParentheses) {
  EBlockMain b;
  FSRegisters regs = Regs("((a x))");
  EXPECT_TRUE(b.run(regs));
  EXPECT_EQ("((a x))", Dump(regs));
  EXPECT_EQ("()", Printed(b));
  EXPECT_EQ(0u, b.readMaxFSIdx());
  EXPECT_TRUE(b.readMIdxSet().empty());
}

TEST(EBlockTest, MainBlockStopsAtTheFirstFailureKeepingEarlierChanges) {
  auto b = Make<EBlockMain>(
      List(Eq(0, "a", "x"), Eq(0, "b", "y", OP_CONSTRAIN), Eq(1, "c", "z"), Eq(0, "d", "w")));
  FSRegisters regs = Regs("() | ()");
  EXPECT_FALSE(b->run(regs));
  EXPECT_EQ("((a x)) | ()", Dump(regs));

  auto ok = Make<EBlockMain>(List(Eq(0, "a", "x"), Eq(1, "c", 0, "a")));
  FSRegisters regs2 = Regs("() | ()");
  EXPECT_TRUE(ok->run(regs2));
  EXPECT_EQ("((a x)) | ((c x))", Dump(regs2));
}

TEST(EBlockTest, AddingABlockDropsTheEquation) {
  EBlockMain b(0, P("agr"), 2, P("agr"), OP_POP);
  b.addBlock(Eq(1, "num", "sg"));
  EXPECT_EQ(nullptr, b.readEquation());
  EXPECT_EQ(1u, b.readMaxFSIdx());
  EXPECT_EQ(FSIdxSet{1}, b.readMIdxSet());
  EXPECT_EQ("(((X1 num) = sg))", Printed(b));
  b.addBlock(Eq(3, "a", 0, "a", OP_CONSTRAIN_NOFILTER));
  EXPECT_EQ(3u, b.readMaxFSIdx());
  EXPECT_EQ(FSIdxSet{1}, b.readMIdxSet());
  b.clearBlocks();
  EXPECT_EQ(0u, b.numBlocks());
  EXPECT_EQ(0u, b.readMaxFSIdx());
  EXPECT_EQ("()", Printed(b));
}

// ---- *OR* ----

struct BlockCase {
  const char* name;
  const char* before;
  bool ok;
  const char* after;  // "" when the registers stay as they were
};

void Check(const _EBlockBase& b, const BlockCase& c) {
  FSRegisters regs = Regs(c.before);
  const std::string before = Dump(regs);
  EXPECT_EQ(c.ok, b.run(regs)) << c.name;
  EXPECT_EQ(*c.after ? c.after : before, Dump(regs)) << c.name;
}

TEST(EBlockTest, OrMergesTheAlternativesThatHold) {
  auto b = Make<EBlockOr>(List(Alt(Eq(0, "num", "sg")), Alt(Eq(0, "num", "pl"))));
  EXPECT_EQ(0u, b->readMaxFSIdx());
  EXPECT_EQ(FSIdxSet{0}, b->readMIdxSet());
  const BlockCase cases[] = {
      {"both hold", "((cat n))", true, "(*OR* ((cat n) (num sg)) ((cat n) (num pl)))"},
      {"one holds", "((cat n) (num (*OR* sg du)))", true, "((cat n) (num sg))"},
      {"none holds", "((num du))", false, ""},
      {"empty register", "()", true, "(*OR* ((num sg)) ((num pl)))"},
  };
  for (const BlockCase& c : cases) Check(*b, c);
}

TEST(EBlockTest, OrFailsOnAnAtomicAndAComplexResult) {
  auto b = Make<EBlockOr>(List(Alt(Eq(0, "", "sg")), Alt(Eq(0, "num", "pl"))));
  Check(*b, {"atomic and complex", "()", false, ""});
  auto atoms = Make<EBlockOr>(List(Alt(Eq(0, "", "sg")), Alt(Eq(0, "", "pl"))));
  Check(*atoms, {"two atoms", "()", true, "(*OR* sg pl)"});
}

// Each alternative sees the registers as they were before the block, whatever
// registers the other alternatives use.
TEST(EBlockTest, OrAlternativesOnDifferentRegisters) {
  // The second alternative uses a register above every register of the
  // first; the merge reads that register from both.
  auto b = Make<EBlockOr>(List(Alt(Eq(0, "num", "sg")), Alt(Eq(2, "num", "pl"))));
  EXPECT_EQ(2u, b->readMaxFSIdx());
  EXPECT_EQ((FSIdxSet{0, 2}), b->readMIdxSet());
  Check(*b,
        {"registers 0 and 2", "((cat n)) | ((cat v)) | ((cat d))", true,
         "(*OR* ((cat n) (num sg)) ((cat n))) | ((cat v)) | (*OR* ((cat d)) ((cat d) (num pl)))"});

  // An alternative that fails after changing a register leaves no trace, and
  // the next one reads the registers unchanged.
  auto c = Make<EBlockOr>(List(Alt(List(Eq(1, "agr", 0, "agr"), Eq(1, "x", "no", OP_CONSTRAIN))),
                               Alt(Eq(2, "agr", 1, "agr")), Alt(Eq(2, "cat", 0, "cat"))));
  Check(*c, {"failed alternative", "((agr ((num sg))) (cat n)) | ((agr ((per 3)))) | ()", true,
             "((agr ((num sg))) (cat n)) | ((agr ((per 3)))) | "
             "(*OR* ((agr ((per 3)))) ((cat n)))"});
}

TEST(EBlockTest, OrAlternativesThatChangeNothingRunOnTheRegisters) {
  auto b =
      Make<EBlockOr>(List(Alt(Eq(0, "num", "pl", OP_CONSTRAIN_NOFILTER)), Alt(Eq(0, "num", "sg"))));
  EXPECT_EQ(FSIdxSet{0}, b->readMIdxSet());
  Check(*b, {"read-only holds", "((num pl))", true, ""});
  Check(*b, {"read-only fails", "((num (*OR* sg du)))", true, "((num sg))"});
  Check(*b, {"both fail", "((num du))", false, ""});
}

TEST(EBlockTest, NestedOrBlocks) {
  auto inner = Make<EBlockOr>(List(Alt(Eq(0, "b", "x")), Alt(Eq(0, "b", "y"))));
  auto b = Make<EBlockOr>(List(Alt(List(Eq(0, "a", "1"), std::move(inner))), Alt(Eq(0, "a", "2"))));
  Check(*b, {"nested", "()", true, "(*OR* ((a 1) (b x)) ((a 1) (b y)) ((a 2)))"});
  Check(*b, {"inner fails", "((b z))", true, "((b z) (a 2))"});
}

TEST(EBlockTest, EmptyOrAndEorBlocksHold) {
  FSRegisters regs = Regs("((a x))");
  EXPECT_TRUE(EBlockOr().run(regs));
  EXPECT_TRUE(EBlockEor().run(regs));
  EXPECT_EQ("((a x))", Dump(regs));
  EXPECT_EQ("(*OR* )", Printed(EBlockOr()));
  EXPECT_EQ("(*EOR* )", Printed(EBlockEor()));
}

// ---- *EOR* ----

TEST(EBlockTest, EorTakesTheFirstAlternativeThatHolds) {
  auto b = Make<EBlockEor>(List(Alt(List(Eq(0, "def", "+"), Eq(0, "num", "sg"))),
                                Alt(List(Eq(0, "per", "3"), Eq(1, "agr", 0, ""))),
                                Alt(Eq(0, "case", "nom"))));
  EXPECT_EQ(1u, b->readMaxFSIdx());
  EXPECT_EQ((FSIdxSet{0, 1}), b->readMIdxSet());
  const BlockCase cases[] = {
      {"first holds", "() | ()", true, "((def +) (num sg)) | ()"},
      // The first alternative set def before it failed: nothing of it stays.
      {"second holds", "((num pl)) | ()", true, "((num pl) (per 3)) | ((agr ((num pl) (per 3))))"},
      {"third holds", "((num pl) (per 1)) | ((agr x))", true,
       "((num pl) (per 1) (case nom)) | ((agr x))"},
      {"none holds", "((num pl) (per 1) (case acc)) | ((agr x))", false, ""},
  };
  for (const BlockCase& c : cases) Check(*b, c);
}

TEST(EBlockTest, EorReadOnlyAlternativeRunsOnTheRegisters) {
  auto b =
      Make<EBlockEor>(List(Alt(Eq(0, "num", "pl", OP_TEST_NOFILTER)), Alt(Eq(0, "num", "sg"))));
  Check(*b, {"read-only holds", "((num (*OR* sg pl)))", true, ""});
  Check(*b, {"second", "((cat n))", true, "((cat n) (num sg))"});
}

// ---- *CASE* ----

TEST(EBlockTest, CaseRunsTheFirstMatchingBranch) {
  EBlockCase b(0, P("num"));
  b.addCaseBlock(V("sg"), Alt(Eq(1, "a", "1")));
  b.addCaseBlock(V("pl"), Alt(List(Eq(1, "a", "2"), Eq(2, "b", "3"))));
  EXPECT_EQ(2u, b.readMaxFSIdx());
  EXPECT_EQ((FSIdxSet{1, 2}), b.readMIdxSet());
  const BlockCase cases[] = {
      {"pl", "((num pl)) | () | ()", true, "((num pl)) | ((a 2)) | ((b 3))"},
      {"sg", "((num sg)) | () | ()", true, "((num sg)) | ((a 1)) | ()"},
      {"first of a disjunction", "((num (*OR* pl sg))) | () | ()", true,
       "((num (*OR* pl sg))) | ((a 1)) | ()"},
      {"branch fails", "((num sg)) | ((a 5)) | ()", false, ""},
      {"no value", "((cat n)) | () | ()", false, ""},
      {"empty register", "() | () | ()", false, ""},
      {"other value", "((num du)) | () | ()", false, ""},
  };
  for (const BlockCase& c : cases) Check(b, c);
  FSRegisters small = Regs("((num pl))");
  EXPECT_FALSE(EBlockCase(3, P("num")).run(small));
  // Without branches no entry is left to match.
  b.clearBlocks();
  Check(b, {"cleared", "((num pl)) | () | ()", false, ""});
  EXPECT_EQ("(*CASE* (X0 num))", Printed(b));
}

// ---- printed form ----

TEST(EBlockTest, PrintedFormOfARuleBlock) {
  auto b = Make<EBlockMain>(
      List(Eq(1, "type", "tr", OP_CONSTRAIN),
           Make<EBlockOr>(List(Alt(Eq(2, "case", "acc")), Alt(Eq(2, "case", UNDEFINED)))),
           Eq(0, "agr", 1, "agr"), Eq(0, "tense", 1, "tense")));
  EXPECT_EQ(
      "(((X1 type) =c tr)\n"
      " (*OR* (((X2 case) = acc))\n"
      "       (((X2 case) = *UNDEFINED*)))\n"
      " ((X0 agr) = (X1 agr))\n"
      " ((X0 tense) = (X1 tense)))",
      Printed(*b));
}

TEST(EBlockTest, PrintedFormOfNestedBlocks) {
  auto eor = Make<EBlockEor>(
      List(Alt(List(Eq(0, "a", "1"), Eq(0, "b", "2"))),
           Alt(List(Eq(0, "c", "3"),
                    Make<EBlockOr>(List(Alt(Eq(0, "d", "4")), Alt(Eq(0, "d", 1, "d"))))))));
  auto b = Make<EBlockMain>(List(std::move(eor)));
  EXPECT_EQ(
      "((*EOR* (((X0 a) = 1)\n"
      "         ((X0 b) = 2))\n"
      "        (((X0 c) = 3)\n"
      "         (*OR* (((X0 d) = 4))\n"
      "               (((X0 d) = (X1 d)))))))",
      Printed(*b));

  // The stream's indentation applies to every line break.
  std::ostringstream os;
  Toolbox::indent(os) = 3;
  os << *Make<EBlockOr>(List(Alt(Eq(0, "d", "4")), Alt(Eq(0, "d", "5"))));
  EXPECT_EQ(
      "(*OR* (((X0 d) = 4))\n"
      "         (((X0 d) = 5)))",
      os.str());
  EXPECT_EQ(3, Toolbox::indent(os));
}

TEST(EBlockTest, PrintedFormOfACaseBlock) {
  EBlockCase b(0, P("agr num"));
  b.addCaseBlock(V("sg"), Alt(Eq(1, "a", "1")));
  b.addCaseBlock(V("(*OR* pl du)"), Alt(List(Eq(1, "a", "2"), Eq(1, "b", "3"))));
  EXPECT_EQ(
      "(*CASE* (X0 agr num)\n"
      "  (sg (((X1 a) = 1)))\n"
      "  ((*OR* pl du) (((X1 a) = 2)\n"
      "                 ((X1 b) = 3))))",
      Printed(b));
  EXPECT_EQ("(*CASE* X2)", Printed(EBlockCase(2, Path())));
}

// ---- register files ----

TEST(FSRegistersTest, CreatingResizingAndCopying) {
  FSRegisters regs(2);
  ASSERT_EQ(2u, regs.size());
  EXPECT_EQ("X1", regs[1].readName().read());
  EXPECT_TRUE(regs[1].empty());
  regs[1].assign(P("a"), V("x"));
  regs.add(3);
  EXPECT_EQ(4u, regs.size());
  EXPECT_EQ("X3", regs[3].readName().read());
  regs.resize(1);
  regs.resize(2);
  EXPECT_EQ("() | ()", Dump(regs));

  FSRegisters other = Regs("((a 1)) | ((b 2)) | ((c 3))");
  regs.copy(other, 3);
  EXPECT_EQ("((a 1)) | ((b 2)) | ((c 3))", Dump(regs));
  regs[0].assign(P("a"), V("9"));
  EXPECT_EQ("((a 1)) | ((b 2)) | ((c 3))", Dump(other));

  FSRegisters some = Regs("((z 0)) | ((z 0)) | ((z 0)) | ((z 0))");
  some.copy(other, 2);
  EXPECT_EQ("((a 1)) | ((b 2)) | ((z 0)) | ((z 0))", Dump(some));
  FSRegisters copied(some);
  copied[0].assign(P("a"), V("5"));
  EXPECT_EQ("((a 1)) | ((b 2)) | ((z 0)) | ((z 0))", Dump(some));
}

TEST(FSRegistersTest, AViewCopiesARegisterOnlyWhenWritten) {
  FSRegisters base = Regs("((a 1)) | ((b 2))");
  FSRegisters view = FSRegisters::viewOf(base);
  EXPECT_FALSE(view.owns(0));
  EXPECT_EQ("((a 1)) | ((b 2))", Dump(view));
  view[1].assign(P("b"), V("3"));
  EXPECT_TRUE(view.owns(1));
  EXPECT_FALSE(view.owns(0));
  EXPECT_EQ("((a 1)) | ((b 3))", Dump(view));
  EXPECT_EQ("((a 1)) | ((b 2))", Dump(base));
  FSRegisters deep(view);
  EXPECT_TRUE(deep.owns(0));
}

TEST(FSRegistersTest, PrintedForm) {
  FSRegisters regs = Regs("((cat n) (num sg)) | ()");
  std::ostringstream indented;
  indented << regs;
  EXPECT_EQ(
      "X0: ((cat n)\n"
      "     (num sg))\n"
      "X1: ()",
      indented.str());
  FStruc::indentPrint = false;
  std::ostringstream line;
  line << regs;
  FStruc::indentPrint = true;
  EXPECT_EQ("X0: ((cat n) (num sg))\nX1: ()", line.str());
}

}  // namespace
