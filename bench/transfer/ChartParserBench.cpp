// bench/transfer/ChartParserBench.cpp
// Seeding and parsing sentences of the test grammar: a complete eight-word
// sentence, and ten and twenty words that leave many arcs active.
#include <benchmark/benchmark.h>

#include <string>

#include "transfer/transfer.h"

namespace {

void Parse(benchmark::State& state, const std::string& sentence) {
  TransferEngine e;
  e.loadRuleFile(REFINE_TEST_DATA "/grammar.trf");
  e.loadRuleFile(REFINE_TEST_DATA "/lexicon.trf");
  int result = 0;
  for (auto _ : state) {
    result = e.parse(sentence);
    benchmark::DoNotOptimize(result);
  }
  state.counters["complete"] = result;
  state.counters["constituents"] = static_cast<double>(e.constituents.size());
  state.counters["arcs"] = static_cast<double>(e.arcs.size());
}

void BM_ParseEightWordSentence(benchmark::State& state) {
  Parse(state, "the old man lives in the small house");
}
BENCHMARK(BM_ParseEightWordSentence);

void BM_ParseTenWords(benchmark::State& state) {
  Parse(state, "the old man sees the big red car in the house");
}
BENCHMARK(BM_ParseTenWords);

void BM_ParseTwentyWords(benchmark::State& state) {
  Parse(state,
        "the old man sees the big red car in the house the small dogs eat "
        "with the white cats in the city");
}
BENCHMARK(BM_ParseTwentyWords);

}  // namespace
