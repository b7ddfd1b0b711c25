// tests/kernel/EBlockRandomTest.cpp
// Random equation blocks on random register files: the blocks, which copy
// only the registers an alternative writes, must give exactly what running
// the alternatives on full copies of the register file gives.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "kernel/eBlock.h"
#include "tests/kernel/RegsText.h"

using namespace UKernel;
using kt::Dump;
using kt::RegsOf;
using kt::V;

namespace {

// A block as built, and the same block for the reference run.
struct Model {
  enum Kind { Equation, Main, Or, Eor } kind = Main;
  std::unique_ptr<EBlockMain> equation;  // for Equation
  const _EBlockBase* built = nullptr;    // the kernel block made from this model
  std::vector<Model> parts;
};

class Gen {
 public:
  explicit Gen(unsigned seed) : rng_(seed) {}

  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  std::vector<std::string> registers() {
    static const char* kTexts[] = {"()",
                                   "((num sg))",
                                   "((num (*OR* sg pl)) (cat n))",
                                   "((agr ((num sg) (per 3))))",
                                   "((agr (*OR* ((num sg)) ((num pl)))))",
                                   "((stack (*MULTIPLE* a b)))",
                                   "sg",
                                   "((cat v) (agr ((num pl))))"};
    std::vector<std::string> r;
    for (int i = 0; i < 3; ++i) r.push_back(kTexts[pick(8)]);
    return r;
  }

  // Builds a random block into model and returns the kernel block.
  std::unique_ptr<_EBlockBase> block(Model& model, int depth) {
    int k = depth > 0 ? pick(5) : 0;
    if (k < 2) {
      model.kind = Model::Equation;
      const EqParams e = equation();
      model.equation = e.make();
      model.built = model.equation.get();
      return e.make();
    }
    std::unique_ptr<EBlockMain> b;
    if (k == 2) {
      model.kind = Model::Main;
      b = std::make_unique<EBlockMain>();
    } else if (k == 3) {
      model.kind = Model::Or;
      b = std::make_unique<EBlockOr>();
    } else {
      model.kind = Model::Eor;
      b = std::make_unique<EBlockEor>();
    }
    for (int n = pick(4); n > 0; --n) {
      model.parts.emplace_back();
      b->addBlock(block(model.parts.back(), depth - 1));
    }
    model.built = b.get();
    return b;
  }

 private:
  // One equation's parts, so that equal blocks can be built twice.
  struct EqParams {
    int kind = 0;
    unsigned l = 0, r = 0;
    Path lp, rp;
    Value v;
    SymCode code = OP_PSEUDO_UNIFY;
    std::unique_ptr<EBlockMain> make() const {
      if (kind == 0) return std::make_unique<EBlockMain>(l, lp, r, rp, code);
      if (kind == 1) return std::make_unique<EBlockMain>(l, lp, v, code);
      return std::make_unique<EBlockMain>(l, lp, code);
    }
  };

  EqParams equation() {
    static const char* kPaths[] = {"num", "agr num", "agr", "cat", "stack", ""};
    static const char* kValues[] = {"sg", "pl", "n", "(*OR* sg pl)"};
    static const SymCode kOps1[] = {OP_PSEUDO_UNIFY,
                                    OP_CONSTRAIN,
                                    OP_CONSTRAIN_NOFILTER,
                                    OP_TEST,
                                    OP_TEST_NOFILTER,
                                    OP_ISO,
                                    OP_ISO_NOFILTER,
                                    OP_ASSIGN,
                                    OP_REMOVE_ASSIGN,
                                    OP_PUSH,
                                    OP_POP};
    static const SymCode kCodes[] = {DEFINED, UNDEFINED, REMOVE};
    EqParams e;
    e.kind = pick(3);
    e.l = static_cast<unsigned>(pick(3));
    e.lp = Path::fromText(kPaths[pick(6)]);
    if (e.kind == 0) {
      e.r = static_cast<unsigned>(pick(3));
      e.rp = Path::fromText(kPaths[pick(6)]);
      e.code = kOps1[pick(11)];
    } else if (e.kind == 1) {
      e.v = V(kValues[pick(4)]);
      e.code = kOps1[pick(8)];
    } else {
      e.code = kCodes[pick(3)];
    }
    return e;
  }

  std::mt19937 rng_;
};

// The blocks' meaning, on full copies of the register file.
bool Reference(const Model& s, FSRegisters& regs) {
  switch (s.kind) {
    case Model::Equation:
      return s.equation->run(regs);
    case Model::Main:
      for (const Model& p : s.parts)
        if (!Reference(p, regs)) return false;
      return true;
    case Model::Eor: {
      if (s.parts.empty()) return true;
      FSRegisters copy(regs);
      for (const Model& p : s.parts) {
        const FSIdxSet& m = p.built->readMIdxSet();
        if (m.empty()) {
          if (Reference(p, regs)) return true;
          continue;
        }
        bool ok = Reference(p, copy);
        for (unsigned i : m) {
          if (ok) {
            regs[i] = copy[i];
          } else {
            copy[i] = regs[i];
          }
        }
        if (ok) return true;
      }
      return false;
    }
    case Model::Or: {
      if (s.parts.empty()) return true;
      bool ok = false;
      std::vector<FSRegisters> kept;
      FSIdxSet changed;
      for (const Model& p : s.parts) {
        const FSIdxSet& m = p.built->readMIdxSet();
        if (m.empty()) {
          ok = Reference(p, regs) || ok;
          continue;
        }
        FSRegisters copy(regs);
        if (Reference(p, copy)) {
          ok = true;
          kept.push_back(copy);
          changed += m;
        }
      }
      if (kept.empty()) return ok;
      for (unsigned i : changed) {
        bool atomic = false, complex = false;
        for (const FSRegisters& k : kept) {
          atomic = atomic || k[i].isValue();
          complex = complex || k[i].isComplex();
        }
        if (atomic && complex) return false;
      }
      for (unsigned i : changed) {
        FStruc merged = kept[0][i];
        for (size_t k = 1; k < kept.size(); ++k) merged.mergeOr(kept[k][i]);
        regs[i] = merged;
      }
      return true;
    }
  }
  return false;
}

TEST(EBlockRandomTest, BlocksRunAsOnFullCopies) {
  int orRuns = 0;
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    Gen gen(seed);
    Model model;
    std::unique_ptr<_EBlockBase> block = gen.block(model, 3);
    const std::vector<std::string> start = gen.registers();
    FSRegisters expect = RegsOf(start), got = RegsOf(start);
    bool want = Reference(model, expect);
    bool have = block->run(got);
    std::ostringstream what;
    what << "seed " << seed << ": " << *block << "\non " << Dump(RegsOf(start));
    ASSERT_EQ(want, have) << what.str();
    ASSERT_EQ(Dump(expect), Dump(got)) << what.str();
    if (model.kind == Model::Or && want && model.parts.size() > 1) ++orRuns;
  }
  EXPECT_GT(orRuns, 50);  // the merge was actually exercised
}

}  // namespace
