// bench/transfer/RuleFileReaderBench.cpp
// Reading the real-size lexicon with the generated rule-file reader.
#include <benchmark/benchmark.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "bench/support/SharedData.h"
#include "transfer/RuleFileBuilder.h"
#include "transfer/RuleFileReader.h"

namespace {

// Counts what was read; the upper-case policy keeps the case work realistic.
class CountingBuilder : public RuleFileBuilder {
 public:
  long rules = 0, malformed = 0, abandoned = 0, equations = 0, diagnostics = 0;

  std::string normalizeCase(const std::string& text) override {
    std::string out = text;
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
  }
  int nextRuleIndex(const std::string& name) override { return ++next_[name]; }
  void debugDirective() override {}
  void openClass(const std::string&) override {}
  void topNode(const std::string&) override {}
  void beginRule(const RuleHeader&) override {}
  void alignment(unsigned, unsigned) override {}
  void score(double) override {}
  void equation(const RuleEquation&) override { ++equations; }
  void beginBlock(BlockKind) override {}
  void beginAlternative() override {}
  void endAlternative() override {}
  void endBlock() override {}
  void endRule(RuleEnd end, float) override {
    if (end == RuleEnd::Complete) ++rules;
    if (end == RuleEnd::Malformed) ++malformed;
    if (end == RuleEnd::Abandoned) ++abandoned;
  }
  void diagnostic(const std::string&) override { ++diagnostics; }

 private:
  std::map<std::string, int> next_;
};

void BM_ReadSharedLexicon(benchmark::State& state) {
  std::ifstream file(benchsupport::SharedLexicon(), std::ios::binary);
  if (!file) {
    state.SkipWithError("en-es-lexicon.trf not found");
    return;
  }
  std::ostringstream text;
  text << file.rdbuf();
  const std::string lexicon = text.str();
  CountingBuilder last;
  for (auto _ : state) {
    CountingBuilder builder;
    readRuleText(lexicon, builder);
    benchmark::DoNotOptimize(builder.rules);
    last = builder;
  }
  state.counters["rules"] = static_cast<double>(last.rules);
  state.counters["equations"] = static_cast<double>(last.equations);
  state.counters["malformed"] = static_cast<double>(last.malformed);
  state.counters["abandoned"] = static_cast<double>(last.abandoned);
  state.counters["diagnostics"] = static_cast<double>(last.diagnostics);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * lexicon.size()));
}
BENCHMARK(BM_ReadSharedLexicon)->Unit(benchmark::kMillisecond);

}  // namespace
