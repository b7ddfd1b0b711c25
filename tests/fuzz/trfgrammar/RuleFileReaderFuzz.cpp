// tests/fuzz/trfgrammar/RuleFileReaderFuzz.cpp
// Any bytes must read without a crash, a hang or a broken builder protocol.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "transfer/RuleFileBuilder.h"
#include "transfer/RuleFileReader.h"

namespace {

// Checks the nesting of builder calls and aborts on a violation.
class CheckingBuilder : public RuleFileBuilder {
 public:
  std::string normalizeCase(const std::string& text) override { return text; }
  bool debugOn() const override { return debug_; }
  bool engineDebugOn() const override { return true; }
  int nextRuleIndex(const std::string&) override { return 0; }
  void debugDirective() override {
    check(!inRule_);
    debug_ = !debug_;
  }
  void openClass(const std::string&) override { check(!inRule_); }
  void topNode(const std::string&) override { check(!inRule_); }
  void beginRule(const RuleHeader& h) override {
    check(!inRule_);
    inRule_ = true;
    src_ = h.src.size();
    tgt_ = h.tgt.size();
  }
  void alignment(unsigned s, unsigned t) override {
    check(inRule_ && s >= 1 && s <= src_ && t >= 1 && t <= tgt_);
  }
  void score(double) override { check(inRule_); }
  void equation(const RuleEquation& eq) override {
    check(inRule_);
    // Every register must exist in the group's register file.
    const std::size_t limit = eq.group == EquationGroup::Parse      ? src_
                              : eq.group == EquationGroup::Transfer ? tgt_ + 1 + src_
                                                                    : tgt_;
    check(eq.left.reg <= limit);
    if (eq.right == RightSide::Path) check(eq.rightPath.reg <= limit);
  }
  void beginBlock(BlockKind) override {
    check(inRule_ && (open_.empty() || open_.back() == 'A'));
    open_ += 'B';
  }
  void beginAlternative() override {
    check(!open_.empty() && open_.back() == 'B');
    open_ += 'A';
  }
  void endAlternative() override {
    check(!open_.empty() && open_.back() == 'A');
    open_.pop_back();
  }
  void endBlock() override {
    check(!open_.empty() && open_.back() == 'B');
    open_.pop_back();
  }
  void endRule(RuleEnd, float) override {
    check(inRule_ && open_.empty());
    inRule_ = false;
  }
  void diagnostic(const std::string& text) override { check(!text.empty() && text.back() == '\n'); }
  void trace(const std::string&) override {}

 private:
  static void check(bool ok) {
    if (!ok) std::abort();
  }
  bool debug_ = false;
  bool inRule_ = false;
  std::size_t src_ = 0, tgt_ = 0;
  std::string open_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckingBuilder builder;
  readRuleText(std::string(reinterpret_cast<const char*>(data), size), builder);
  return 0;
}
