// bench/param/ParamBench.cpp
// Interpreting a command line and a parameter file.
#include "param/Param.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

void BM_InterpretCommandLine(benchmark::State& state) {
  std::vector<std::string> args = {"refine", "-d", "1", "--LexFileName=lexicon.trf", "-ggram.trf"};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  for (auto _ : state) {
    int d = 0;
    const char *l = nullptr, *g = nullptr;
    CParam params;
    params.AddParamDef("DebugLevel", 'd', &d, 2, "level", true, "n", -1);
    params.AddParamDef("LexFileName", 'l', &l, "lex", "lexicon", true, "s", -1);
    params.AddParamDef("GramFileName", 'g', &g, "gram", "grammar", true, "s", -1);
    benchmark::DoNotOptimize(params.Interpret(argv.data(), static_cast<int>(argv.size())));
  }
}
BENCHMARK(BM_InterpretCommandLine);

void BM_ReadParameterFile(benchmark::State& state) {
  const std::string name = "/tmp/refine-bench-params.txt";
  {
    std::ofstream f(name);
    for (int i = 0; i < state.range(0); ++i)
      f << "# setting " << i << "\nDebugLevel " << (i % 3) << "\nLexFileName lex" << i << ".trf\n";
  }
  for (auto _ : state) {
    int d = 0;
    const char* l = nullptr;
    CParam params;
    params.AddParamDef("DebugLevel", 'd', &d, 2, "level", true, "n", -1);
    params.AddParamDef("LexFileName", 'l', &l, "lex", "lexicon", true, "s", -1);
    benchmark::DoNotOptimize(params.read_parameter_file(name.c_str()));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 3);
  std::remove(name.c_str());
}
BENCHMARK(BM_ReadParameterFile)->Arg(1000);

}  // namespace
