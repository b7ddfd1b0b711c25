// tests/transfer/RecordingBuilder.h
#pragma once

#include <map>
#include <string>

#include "transfer/RuleFileBuilder.h"

// A RuleFileBuilder that writes one line per call into `log`, so tests can
// compare everything the reader handed over with a hand-written text. It
// also checks that the calls are properly nested.
//
//   rule NP,3 given PHRASE NP::NP [DET#1 N] -> [N "CASA"]
//   align 1 2 | score 0.25 | parse (0 AGR) = (3 AGR) | transfer 0 = SG
//   begin OR | alt | end alt | end block | end complete 7
//   topnode S | openclass N | debug | ! <diagnostic> | ! syntax 3:17
class RecordingBuilder : public RuleFileBuilder {
 public:
  // 0 leaves case alone, 1 upper-cases, 2 lower-cases (byte-wise).
  int casePolicy = 1;
  bool debug = false;
  std::string log;
  std::string traced;
  // Set when the reader broke the calling protocol.
  std::string protocolError;

  std::string normalizeCase(const std::string& text) override;
  bool debugOn() const override { return debug; }
  bool engineDebugOn() const override { return engineDebug; }
  bool engineDebug = false;

  int nextRuleIndex(const std::string& rulename) override;
  void debugDirective() override;
  void openClass(const std::string& category) override;
  void topNode(const std::string& category) override;
  void beginRule(const RuleHeader& header) override;
  void alignment(unsigned src, unsigned tgt) override;
  void score(double value) override;
  void equation(const RuleEquation& eq) override;
  void beginBlock(BlockKind kind) override;
  void beginAlternative() override;
  void endAlternative() override;
  void endBlock() override;
  void endRule(RuleEnd end, float specificity) override;
  void diagnostic(const std::string& text) override;
  void trace(const std::string& text) override { traced += text; }

  int rulesAccepted = 0;

 private:
  void line(const std::string& text) { log += text + "\n"; }
  void protocol(bool ok, const char* what);

  bool inRule_ = false;
  RuleHeader header_;
  std::string open_;  // 'B' per open block, 'A' per open alternative
  std::map<std::string, int> maxIndex_;
};
