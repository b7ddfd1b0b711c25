// bench/rules/RuleCollectionBench.cpp
// The rule collection on the real-size lexicon: reading it with the test
// grammar into one collection and writing both back, and looking entries up
// by their words as the refinements do.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "bench/support/SharedData.h"
#include "rules/KalRuleCollection.h"

namespace {

using benchsupport::SharedLexicon;

const std::string kGrammar = std::string(REFINE_TEST_DATA) + "/grammar.trf";

// Keeps the collection's progress lines out of the benchmark report.
class QuietStdout {
 public:
  QuietStdout() : old_(std::cout.rdbuf(&null_)) {}
  ~QuietStdout() { std::cout.rdbuf(old_); }

 private:
  struct NullBuffer : std::streambuf {
    int overflow(int c) override { return c; }
  } null_;
  std::streambuf* old_;
};

bool Readable(const std::string& file) { return std::ifstream(file).good(); }

void BM_ReadAndWriteSharedLexicon(benchmark::State& state) {
  const std::string lexicon = SharedLexicon();
  if (!Readable(lexicon)) {
    state.SkipWithError("en-es-lexicon.trf not found");
    return;
  }
  QuietStdout quiet;
  size_t bytes = 0;
  int entries = 0;
  for (auto _ : state) {
    KalRuleCollection rc;
    rc.AddFromFile(kGrammar);
    rc.AddFromFile(lexicon);
    rc.AssignIDsToNonIDRules();
    std::ostringstream grammarOut, lexiconOut;
    rc.OutputGrammar(grammarOut);
    rc.OutputLexicon(lexiconOut);
    bytes = grammarOut.str().size() + lexiconOut.str().size();
    entries = rc.GetNumLexiconRules();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["entries"] = entries;
  state.counters["written_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ReadAndWriteSharedLexicon)->Unit(benchmark::kMillisecond);

// One collection for the lookup benchmarks, with the word lists of every
// entry to look up.
struct Lookups {
  KalRuleCollection rc;
  std::vector<std::vector<std::string>> sl, tl;
  bool ok = false;

  Lookups() {
    const std::string lexicon = SharedLexicon();
    if (!Readable(lexicon)) return;
    QuietStdout quiet;
    rc.AddFromFile(kGrammar);
    rc.AddFromFile(lexicon);
    rc.AssignIDsToNonIDRules();
    // Every 97th entry: a spread over the lexicon.
    RuleParser parser(lexicon);
    std::string text;
    for (int i = 0; parser.ParseNextRule(text); ++i) {
      if (i % 97 != 0) continue;
      KalRule* rule = KalRuleFactory::CreateFromString(text);
      if (auto* entry = dynamic_cast<KalLexiconRule*>(rule)) {
        if (!entry->GetSLLexicon().empty() && !entry->GetTLLexicon().empty()) {
          sl.push_back(entry->GetSLLexicon());
          tl.push_back(entry->GetTLLexicon());
        }
      }
      if (rule != nullptr) rule->Release();
    }
    ok = !sl.empty();
  }
};

Lookups& SharedLookups() {
  static Lookups lookups;
  return lookups;
}

void BM_GetLexRule(benchmark::State& state) {
  Lookups& l = SharedLookups();
  if (!l.ok) {
    state.SkipWithError("en-es-lexicon.trf not found");
    return;
  }
  size_t i = 0;
  long found = 0;
  for (auto _ : state) {
    KalLexiconRule* entry = l.rc.GetLexRule(l.sl[i], l.tl[i]);
    found += entry != nullptr;
    benchmark::DoNotOptimize(entry);
    if (++i == l.sl.size()) i = 0;
  }
  state.counters["found_share"] =
      static_cast<double>(found) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GetLexRule);

void BM_GetAllLexRulesWithWord(benchmark::State& state) {
  Lookups& l = SharedLookups();
  if (!l.ok) {
    state.SkipWithError("en-es-lexicon.trf not found");
    return;
  }
  size_t i = 0;
  std::vector<KalLexiconRule*> out;
  long results = 0;
  for (auto _ : state) {
    out.clear();
    l.rc.GetAllLexRulesWithSLWord(l.sl[i].front(), out);
    l.rc.GetAllLexRulesWithTLWord(l.tl[i].back(), out);
    results += static_cast<long>(out.size());
    benchmark::DoNotOptimize(out.data());
    if (++i == l.sl.size()) i = 0;
  }
  state.counters["entries_per_pair"] =
      static_cast<double>(results) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GetAllLexRulesWithWord);

}  // namespace
