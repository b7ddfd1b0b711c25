// transfer/TRule.cpp
// Rule text and parse-group matching.
#include "transfer/TRule.h"

#include <cctype>
#include <ostream>
#include <sstream>

#include "transfer/transfer.h"

namespace {

std::string printed(const UKernel::_EBlockBase& block) {
  std::ostringstream os;
  block.print(os);
  return os.str();
}

bool isNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '*' ||
         static_cast<unsigned char>(c) >= 128;
}

// The kernel names every register X + number. Registers 0..m are the
// target registers Y0..Ym; in the transfer group the registers after them
// are the source registers X0..Xn. Only whole names are rewritten (X1 is not
// part of X12, nor of AX1).
std::string renameRegisters(const std::string& text, unsigned m, bool transfer) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    const bool startsName = c == 'X' && (i == 0 || !isNameChar(text[i - 1])) &&
                            i + 1 < text.size() &&
                            std::isdigit(static_cast<unsigned char>(text[i + 1]));
    if (!startsName) {
      out += c;
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
    if (j < text.size() && isNameChar(text[j])) {  // part of a longer name
      out.append(text, i, j - i);
      i = j;
      continue;
    }
    const std::string digits = text.substr(i + 1, j - i - 1);
    // Register numbers of real rules are small; a longer run of digits is
    // never a register of this rule and is kept as it is.
    const unsigned long k = digits.size() > 9 ? ~0ul : std::stoul(digits);
    if (k <= m)
      out += "Y" + digits;
    else if (transfer && k != ~0ul)
      out += "X" + std::to_string(k - m - 1);
    else
      out.append(text, i, j - i);
    i = j;
  }
  return out;
}

// A block as group text: its outer parentheses removed; `lead` in place of
// the opening one. An empty block, "()", is returned unchanged.
std::string innerText(const std::string& text, const char* lead) {
  if (text.size() <= 2) return text;
  return lead + text.substr(1, text.size() - 2);
}

// A word between double quotes, with the two characters the reader
// unescapes escaped again.
std::string quoted(const std::string& word) {
  std::string out = "\"";
  for (char c : word) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

}  // namespace

std::string TRule::getParseEquations() const { return innerText(printed(parseeb), " "); }

std::string TRule::getTransferEquations() const {
  return innerText(renameRegisters(printed(transfereb), tgt_rhs_total, true), "");
}

std::string TRule::getGenerationEquations() const {
  return innerText(renameRegisters(printed(geneb), tgt_rhs_total, false), "");
}

std::string TRule::getFillEquations() const {
  return innerText(renameRegisters(printed(filleb), tgt_rhs_total, false), "");
}

std::string TRule::getConstraintEquations() const {
  return innerText(renameRegisters(printed(constrainteb), tgt_rhs_total, false), "");
}

void TRule::setParseText() { parsetext = printed(parseeb); }

bool TRule::isSourceWord(unsigned i) const {
  if (type != PHRASE) return true;
  return i < xyalign.size() && xyalign[i] == -1;
}

bool TRule::isTargetWord(unsigned j) const {
  if (type != PHRASE) return true;
  return j < yxalign.size() && yxalign[j] == -1;
}

std::ostream& operator<<(std::ostream& os, const TRule& r) {
  const bool lexical = r.type != TRule::PHRASE;
  os << '{' << r.rulename << ',' << r.ruleindex << "}\n";
  os << r.src_lhs << "::" << r.tgt_lhs << (lexical ? " |: " : " : ") << '[';
  for (unsigned i = 0; i < r.src_rhs.size(); ++i) {
    const std::string& e = r.src_rhs[i];
    if (!r.isSourceWord(i))
      os << e;
    else if (!lexical && e.compare(0, 4, "LIT-") == 0)
      os << quoted(e.substr(4));
    else
      os << quoted(e);
    if (i + 1 < r.src_rhs.size()) os << ' ';
    const int skip = i < r.skips.size() ? r.skips[i] : 0;
    if (skip == 1)
      os << "# ";
    else if (skip == 1000)
      os << "## ";
    else if (skip >= 2)
      os << '#' << skip << ' ';
  }
  os << "] -> [";
  for (unsigned j = 0; j < r.tgt_rhs.size(); ++j) {
    if (j) os << ' ';
    const std::string& e = r.tgt_rhs[j];
    os << (r.isTargetWord(j) || e.empty() ? quoted(e) : e);
  }
  os << "]\n(\n; Correspondences\n";
  for (unsigned i = 0; i < r.xyalign.size(); ++i) {
    const int j = r.xyalign[i];
    if (j >= 0 && static_cast<unsigned>(j) < r.tgt_rhs.size())
      os << " (X" << i + 1 << "::Y" << j + 1 << ")\n";
  }
  if (r.score != -10) os << " (*score* " << r.score << ")\n";
  const struct {
    const char* header;
    const UKernel::EBlockMain& block;
    bool isTransfer;
  } groups[] = {{"; Parse", r.parseeb, false},
                {"; Transfer", r.transfereb, true},
                {"; Generation", r.geneb, false},
                {"; Feature filling", r.filleb, false},
                {"; Constraints", r.constrainteb, false}};
  for (const auto& g : groups) {
    if (g.block.numBlocks() == 0 && !g.block.readEquation()) continue;
    std::string text = printed(g.block);
    if (&g.block != &r.parseeb) text = renameRegisters(text, r.tgt_rhs_total, g.isTransfer);
    os << g.header << '\n' << innerText(text, " ") << '\n';
  }
  return os << ")\n";
}

ParseGroup::ParseGroup(const TRule& rule, unsigned number)
    : src_lhs(rule.src_lhs),
      src_rhs_total(rule.src_rhs_total),
      src_rhs(rule.src_rhs),
      skips(rule.skips),
      type(rule.type),
      score(rule.score),
      trules{number} {}

bool ParseGroup::match(const TRule& rule, const TransferEngine& engine) const {
  if (rule.src_lhs != src_lhs || rule.src_rhs != src_rhs || rule.skips != skips) return false;
  if (trules.empty() || trules.front() >= engine.rules.size()) return false;
  return rule.parseText() == engine.rules[trules.front()]->parseText();
}
