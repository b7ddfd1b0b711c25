// bench/kernel/KernelBench.cpp
// Timing of the unification kernel's inner loop: unifying, copying and
// following paths in structures of the size the parser and transfer meet.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/support/SharedData.h"
#include "kernel/fStruc.h"

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

// A noun-phrase structure: a dozen features, nested agreement, value
// disjunctions and one disjunction of structures (the head's frame).
FStruc NounPhrase() {
  FStruc fs(Symbol("NP"));
  fs.assign(P("cat"), A("n"));
  fs.assign(P("lex"), A("dog"));
  fs.assign(P("root"), A("dog"));
  fs.assign(P("agr num"), A("sg"));
  fs.assign(P("agr per"), A("3"));
  fs.assign(P("agr gen"), Or({"m", "f"}));
  fs.assign(P("case"), Or({"nom", "acc"}));
  fs.assign(P("def"), A("+"));
  fs.assign(P("count"), A("+"));
  fs.assign(P("proper"), A("-"));
  fs.assign(P("sem type"), A("animate"));
  fs.assign(P("sem class"), A("animal"));
  fs.assign(P("det agr num"), A("sg"));
  fs.assign(P("det lex"), A("the"));
  FStruc withObj, withoutObj;
  withObj.assign(P("obj cat"), A("pp"));
  withObj.assign(P("obj prep"), A("of"));
  withoutObj.assign(P("obj"), A("none"));
  withObj.mergeOr(withoutObj);
  fs.assign(P("frame"), withObj, Path());
  return fs;
}

// What a rule brings to the phrase: agreement, case and a frame choice.
FStruc Constraints() {
  FStruc fs(Symbol("X1"));
  fs.assign(P("agr num"), A("sg"));
  fs.assign(P("agr gen"), A("m"));
  fs.assign(P("case"), A("nom"));
  fs.assign(P("det agr num"), A("sg"));
  fs.assign(P("sem type"), A("animate"));
  fs.assign(P("def"), A("+"));
  fs.assign(P("frame obj cat"), A("pp"));
  return fs;
}

void BM_UnifyStructures(benchmark::State& state) {
  const FStruc left = NounPhrase(), right = Constraints();
  if (!FStruc(left).pseudoUnify(Path(), right, Path(), false)) state.SkipWithError("no unifier");
  for (auto _ : state) {
    FStruc work(left);
    bool ok = work.pseudoUnify(Path(), right, Path(), false);
    benchmark::DoNotOptimize(ok);
  }
  state.SetLabel("copy + unify");
}
BENCHMARK(BM_UnifyStructures);

void BM_UnifyStructuresFailing(benchmark::State& state) {
  const FStruc left = NounPhrase();
  FStruc right = Constraints();
  right.assign(P("agr per"), A("1"));
  for (auto _ : state) {
    FStruc work(left);
    bool ok = work.pseudoUnify(Path(), right, Path(), false);
    benchmark::DoNotOptimize(ok);
  }
  state.SetLabel("copy + failing unify");
}
BENCHMARK(BM_UnifyStructuresFailing);

void BM_UnifyAgreementEquation(benchmark::State& state) {
  // ((x0 subj agr) = (x1 agr)) on a sentence structure.
  FStruc x0(Symbol("X0"));
  x0.assign(P("subj"), NounPhrase(), Path());
  x0.assign(P("tense"), A("past"));
  x0.assign(P("mood"), A("ind"));
  const FStruc x1 = Constraints();
  if (!FStruc(x0).pseudoUnify(P("subj agr"), x1, P("agr"), false))
    state.SkipWithError("no unifier");
  for (auto _ : state) {
    FStruc work(x0);
    bool ok = work.pseudoUnify(P("subj agr"), x1, P("agr"), false);
    benchmark::DoNotOptimize(ok);
  }
  state.SetLabel("copy + path unify");
}
BENCHMARK(BM_UnifyAgreementEquation);

void BM_ConstrainThroughMultipleGroup(benchmark::State& state) {
  // ((x0 args agr num) =c sg) on a stack of three noun phrases: every member
  // is checked, and nothing is copied.
  FStruc x0(Symbol("X0"));
  for (int i = 0; i < 3; ++i) x0.push(P("args"), NounPhrase(), Path());
  const Path path = P("args agr num");
  const Value sg = A("sg");
  for (auto _ : state) {
    bool ok = x0.constrain(path, sg);
    benchmark::DoNotOptimize(ok);
  }
}
BENCHMARK(BM_ConstrainThroughMultipleGroup);

void BM_Copy(benchmark::State& state) {
  const FStruc fs = NounPhrase();
  for (auto _ : state) {
    FStruc copy(fs);
    benchmark::DoNotOptimize(copy.root());
  }
}
BENCHMARK(BM_Copy);

void BM_FollowPath(benchmark::State& state) {
  const FStruc fs = NounPhrase();
  const Path path = P("det agr num");
  Symbol s;
  for (auto _ : state) {
    bool ok = fs.isAtomValue(path, s);
    benchmark::DoNotOptimize(ok);
  }
}
BENCHMARK(BM_FollowPath);

void BM_GetValueThroughDisjunction(benchmark::State& state) {
  const FStruc fs = NounPhrase();
  const Path path = P("frame obj");
  for (auto _ : state) {
    Value v;
    bool ok = fs.getValue(path, v);
    benchmark::DoNotOptimize(ok);
  }
}
BENCHMARK(BM_GetValueThroughDisjunction);

void BM_ConstrainNoFilter(benchmark::State& state) {
  const FStruc fs = NounPhrase();
  const Path path = P("agr gen");
  const Value m = A("m");
  for (auto _ : state) {
    bool ok = fs.constrainNoFilter(path, m);
    benchmark::DoNotOptimize(ok);
  }
}
BENCHMARK(BM_ConstrainNoFilter);

void BM_InternLexiconForms(benchmark::State& state) {
  // Every quoted form of the real lexicon, interned again (all are known
  // after the first round): the cost of a dictionary look-up.
  std::ifstream in(benchsupport::SharedLexicon());
  std::vector<std::string> forms;
  std::string line;
  while (std::getline(in, line)) {
    size_t q = line.find("form) = \"");
    if (q == std::string::npos) continue;
    size_t start = q + 9, end = line.find('"', start);
    if (end != std::string::npos) forms.push_back(line.substr(start, end - start));
  }
  if (forms.empty()) {
    state.SkipWithError("lexicon not found");
    return;
  }
  for (auto _ : state) {
    for (const std::string& f : forms) benchmark::DoNotOptimize(Symbol(f).readCode());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * forms.size()));
}
BENCHMARK(BM_InternLexiconForms);

}  // namespace
