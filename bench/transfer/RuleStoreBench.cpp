// bench/transfer/RuleStoreBench.cpp
// Loading the test grammar into the engine's rule store, indexing the
// real-size lexicon, and loading the entries of words from the index.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bench/support/SharedData.h"
#include "transfer/transfer.h"

namespace {

using benchsupport::SharedLexicon;

// Swallows the progress dots of the index while it lives.
class QuietOutput {
 public:
  QuietOutput() : old_(std::cout.rdbuf(sink_.rdbuf())) {}
  ~QuietOutput() { std::cout.rdbuf(old_); }

 private:
  std::ostringstream sink_;
  std::streambuf* old_;
};

void BM_LoadTestGrammar(benchmark::State& state) {
  int rules = 0;
  for (auto _ : state) {
    TransferEngine e;
    rules = e.loadRuleFile(REFINE_TEST_DATA "/grammar.trf");
    rules += e.loadRuleFile(REFINE_TEST_DATA "/lexicon.trf");
    benchmark::DoNotOptimize(rules);
  }
  state.counters["rules"] = rules;
}
BENCHMARK(BM_LoadTestGrammar)->Unit(benchmark::kMicrosecond);

void BM_IndexSharedLexicon(benchmark::State& state) {
  const std::string file = SharedLexicon();
  int entries = 0;
  for (auto _ : state) {
    TransferEngine e;
    QuietOutput quiet;
    entries = e.loadLexiconFile(file);
    if (entries == 0) {
      state.SkipWithError("en-es-lexicon.trf not found");
      return;
    }
  }
  state.counters["entries"] = entries;
}
BENCHMARK(BM_IndexSharedLexicon)->Unit(benchmark::kMillisecond);

// Looks up every 25th head word of the index: each lookup parses and stores
// that word's entries. The store is emptied and the index restored between
// iterations, outside the timing.
void BM_LookUpIndexedWords(benchmark::State& state) {
  TransferEngine e;
  {
    QuietOutput quiet;
    if (e.loadLexiconFile(SharedLexicon()) == 0) {
      state.SkipWithError("en-es-lexicon.trf not found");
      return;
    }
  }
  std::vector<std::pair<std::string, std::string>> words;
  std::size_t i = 0;
  for (const auto& entry : e.lexiconfiledb)
    if (i++ % 25 == 0) words.push_back(entry);
  std::size_t rules = 0;
  for (auto _ : state) {
    for (const auto& w : words) benchmark::DoNotOptimize(e.loadIndexedEntries(w.first));
    state.PauseTiming();
    rules = e.rules.size();
    e.rules.clear();
    e.parsegroups.clear();
    e.srclexicon.clear();
    e.rulefinder.clear();
    e.rulelookup.clear();
    e.ruleids.clear();
    for (const auto& w : words) e.lexiconfiledb[w.first] = w.second;
    state.ResumeTiming();
  }
  state.counters["words"] = static_cast<double>(words.size());
  state.counters["rules"] = static_cast<double>(rules);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * words.size()));
}
BENCHMARK(BM_LookUpIndexedWords)->Unit(benchmark::kMillisecond);

}  // namespace
