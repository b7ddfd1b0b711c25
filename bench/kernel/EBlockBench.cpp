// bench/kernel/EBlockBench.cpp
// Timing of a rule's parse equations on the register file of a two-element
// rule, as the chart parser runs them for every combination of children:
//   VP -> V NP with ((x1 type) =c tr)
//                   (*OR* ( ((x2 case) = acc) ) ( ((x2 case) = *UNDEFINED*) ))
//                   ((x0 agr) = (x1 agr)) ((x0 tense) = (x1 tense))
// Every figure includes filling the register file with copies of the
// children's structures, which the parser does anyway; BM_FillRegisters
// gives that part alone.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "kernel/eBlock.h"

using namespace UKernel;

namespace {

Path P(const char* text) { return Path::fromText(text); }
Value A(const char* atom) { return Value(Symbol(atom)); }

Value Or(std::initializer_list<const char*> atoms) {
  Value v;
  v.insert(nullptr, 0, Symbol(OR));
  for (const char* a : atoms) v.insert(v.root(), v.root()->size(), Symbol(a));
  return v;
}

FStruc Verb() {
  FStruc fs(Symbol("X1"));
  fs.assign(P("cat"), A("v"));
  fs.assign(P("lex"), A("see"));
  fs.assign(P("root"), A("see"));
  fs.assign(P("type"), A("tr"));
  fs.assign(P("tense"), A("past"));
  fs.assign(P("form"), A("fin"));
  fs.assign(P("agr num"), A("sg"));
  fs.assign(P("agr per"), A("3"));
  fs.assign(P("sem type"), A("perception"));
  fs.assign(P("subcat"), Or({"np", "np-pp"}));
  return fs;
}

// A noun phrase of the size the parser meets; case is left open unless given.
FStruc NounPhrase(const char* caseValue) {
  FStruc fs(Symbol("X2"));
  fs.assign(P("cat"), A("n"));
  fs.assign(P("lex"), A("dog"));
  fs.assign(P("root"), A("dog"));
  fs.assign(P("agr num"), A("sg"));
  fs.assign(P("agr per"), A("3"));
  fs.assign(P("agr gen"), Or({"m", "f"}));
  fs.assign(P("def"), A("+"));
  fs.assign(P("count"), A("+"));
  fs.assign(P("proper"), A("-"));
  fs.assign(P("sem type"), A("animate"));
  fs.assign(P("sem class"), A("animal"));
  fs.assign(P("det agr num"), A("sg"));
  fs.assign(P("det lex"), A("the"));
  if (caseValue) fs.assign(P("case"), A(caseValue));
  return fs;
}

std::unique_ptr<EBlockMain> Alternative(std::unique_ptr<_EBlockBase> eq) {
  auto alt = std::make_unique<EBlockMain>();
  alt->addBlock(std::move(eq));
  return alt;
}

// The disjunctive block; with exclusive, the same alternatives in an *EOR*.
std::unique_ptr<EBlockMain> CaseBlock(bool exclusive) {
  std::unique_ptr<EBlockMain> b;
  if (exclusive) {
    b = std::make_unique<EBlockEor>();
  } else {
    b = std::make_unique<EBlockOr>();
  }
  b->addBlock(Alternative(std::make_unique<EBlockMain>(2, P("case"), A("acc"), OP_PSEUDO_UNIFY)));
  b->addBlock(Alternative(std::make_unique<EBlockMain>(2, P("case"), UNDEFINED)));
  return b;
}

std::unique_ptr<EBlockMain> RuleBlock(bool exclusive) {
  auto b = std::make_unique<EBlockMain>();
  b->addBlock(std::make_unique<EBlockMain>(1, P("type"), A("tr"), OP_CONSTRAIN));
  b->addBlock(CaseBlock(exclusive));
  b->addBlock(std::make_unique<EBlockMain>(0, P("agr"), 1, P("agr"), OP_PSEUDO_UNIFY));
  b->addBlock(std::make_unique<EBlockMain>(0, P("tense"), 1, P("tense"), OP_PSEUDO_UNIFY));
  return b;
}

// The children's structures; extra adds further registers, as a rule with
// more elements has, which the disjunction does not touch.
struct Children {
  std::vector<FStruc> fs;
  Children(const char* caseValue, int extra) {
    fs.push_back(Verb());
    fs.push_back(NounPhrase(caseValue));
    for (int i = 0; i < extra; ++i) fs.push_back(NounPhrase("nom"));
  }
  void fill(FSRegisters& regs) const {
    regs.resize(fs.size() + 1);
    for (size_t i = 0; i < fs.size(); ++i) regs[i + 1] = fs[i];
  }
};

void RunBlock(benchmark::State& state, const _EBlockBase& block, const Children& children,
              bool expect) {
  {
    FSRegisters regs;
    children.fill(regs);
    if (block.run(regs) != expect) state.SkipWithError("unexpected result");
  }
  for (auto _ : state) {
    FSRegisters regs;
    children.fill(regs);
    bool ok = block.run(regs);
    benchmark::DoNotOptimize(ok);
  }
}

void BM_FillRegisters(benchmark::State& state) {
  const Children children(nullptr, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    FSRegisters regs;
    children.fill(regs);
    benchmark::DoNotOptimize(regs.size());
  }
}
BENCHMARK(BM_FillRegisters)->Arg(0)->Arg(3);

// Case open: both alternatives hold and X2 becomes a disjunction.
void BM_RuleBlockBothAlternatives(benchmark::State& state) {
  const auto block = RuleBlock(false);
  RunBlock(state, *block, Children(nullptr, static_cast<int>(state.range(0))), true);
}
BENCHMARK(BM_RuleBlockBothAlternatives)->Arg(0)->Arg(3);

// Case acc: one alternative holds.
void BM_RuleBlockOneAlternative(benchmark::State& state) {
  const auto block = RuleBlock(false);
  RunBlock(state, *block, Children("acc", static_cast<int>(state.range(0))), true);
}
BENCHMARK(BM_RuleBlockOneAlternative)->Arg(0)->Arg(3);

// Case nom: the disjunction fails and with it the rule.
void BM_RuleBlockFailing(benchmark::State& state) {
  const auto block = RuleBlock(false);
  RunBlock(state, *block, Children("nom", static_cast<int>(state.range(0))), false);
}
BENCHMARK(BM_RuleBlockFailing)->Arg(0)->Arg(3);

// The same rule with *EOR*: the first alternative wins.
void BM_RuleBlockExclusive(benchmark::State& state) {
  const auto block = RuleBlock(true);
  RunBlock(state, *block, Children(nullptr, static_cast<int>(state.range(0))), true);
}
BENCHMARK(BM_RuleBlockExclusive)->Arg(0)->Arg(3);

// For comparison: the copies alone that running every alternative on a copy
// of registers 0 to 2 (all the rule's registers up to the highest the block
// uses) would take.
void BM_WholeFileCopiesPerAlternative(benchmark::State& state) {
  const Children children(nullptr, static_cast<int>(state.range(0)));
  FSRegisters regs;
  children.fill(regs);
  for (auto _ : state) {
    for (int alt = 0; alt < 2; ++alt) {
      FSRegisters copy;
      copy.copy(regs, 3);
      benchmark::DoNotOptimize(copy.size());
    }
  }
}
BENCHMARK(BM_WholeFileCopiesPerAlternative)->Arg(0)->Arg(3);

}  // namespace
