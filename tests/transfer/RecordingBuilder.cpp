// tests/transfer/RecordingBuilder.cpp
#include "tests/transfer/RecordingBuilder.h"

#include <cctype>
#include <regex>
#include <sstream>

namespace {

std::string elements(const std::vector<RuleElement>& list) {
  std::string out;
  for (const RuleElement& e : list) {
    if (!out.empty()) out += ' ';
    out += e.kind == RuleElement::Kind::Word ? "\"" + e.text + "\"" : e.text;
    if (e.skip) out += "#" + std::to_string(e.skip);
  }
  return out;
}

std::string path(const RegisterPath& p) {
  if (p.features.empty()) return std::to_string(p.reg);
  std::string out = "(" + std::to_string(p.reg);
  for (const std::string& f : p.features) out += " " + f;
  return out + ")";
}

const char* groupName(EquationGroup g) {
  switch (g) {
    case EquationGroup::Parse:
      return "parse";
    case EquationGroup::Transfer:
      return "transfer";
    case EquationGroup::Generation:
      return "generation";
    case EquationGroup::Fill:
      return "fill";
    case EquationGroup::Constraint:
      return "constraint";
  }
  return "?";
}

const char* opName(EquationOp o) {
  switch (o) {
    case EquationOp::PseudoUnify:
      return "=";
    case EquationOp::Assign:
      return "<=";
    case EquationOp::RemoveAssign:
      return "==";
    case EquationOp::Push:
      return ">";
    case EquationOp::Pop:
      return "<";
    case EquationOp::Constrain:
      return "=c";
  }
  return "?";
}

}  // namespace

void RecordingBuilder::protocol(bool ok, const char* what) {
  if (!ok && protocolError.empty()) protocolError = what;
}

std::string RecordingBuilder::normalizeCase(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (casePolicy == 1) c = static_cast<char>(std::toupper(u));
    if (casePolicy == 2) c = static_cast<char>(std::tolower(u));
  }
  return out;
}

int RecordingBuilder::nextRuleIndex(const std::string& rulename) {
  auto it = maxIndex_.find(rulename);
  return it == maxIndex_.end() ? 0 : it->second + 1;
}

void RecordingBuilder::debugDirective() {
  protocol(!inRule_, "directive inside a rule");
  debug = !debug;
  line("debug");
}

void RecordingBuilder::openClass(const std::string& category) {
  protocol(!inRule_, "directive inside a rule");
  line("openclass " + category);
}

void RecordingBuilder::topNode(const std::string& category) {
  protocol(!inRule_, "directive inside a rule");
  line("topnode " + category);
}

void RecordingBuilder::beginRule(const RuleHeader& h) {
  protocol(!inRule_, "beginRule inside a rule");
  inRule_ = true;
  header_ = h;
  const char* kind = h.type == RuleKind::Phrase ? "PHRASE"
                     : h.type == RuleKind::Lex  ? "LEX"
                                                : "COMPOUND";
  line("rule " + h.ruleid + (h.idGiven ? " given " : " ") + kind + " " + h.srcLhs +
       "::" + h.tgtLhs + " [" + elements(h.src) + "] -> [" + elements(h.tgt) + "]");
}

void RecordingBuilder::alignment(unsigned src, unsigned tgt) {
  protocol(inRule_, "alignment outside a rule");
  line("align " + std::to_string(src) + " " + std::to_string(tgt));
}

void RecordingBuilder::score(double value) {
  protocol(inRule_, "score outside a rule");
  std::ostringstream s;
  s << value;
  line("score " + s.str());
}

void RecordingBuilder::equation(const RuleEquation& eq) {
  protocol(inRule_, "equation outside a rule");
  std::string right;
  switch (eq.right) {
    case RightSide::Path:
      right = path(eq.rightPath);
      break;
    case RightSide::Defined:
      right = "*DEFINED*";
      break;
    case RightSide::Undefined:
      right = "*UNDEFINED*";
      break;
    case RightSide::Remove:
      right = "*REMOVE*";
      break;
    case RightSide::Value:
      if (eq.value.kind == RuleValue::Kind::Atom) {
        right = eq.value.atoms.empty() ? "?" : eq.value.atoms.front();
      } else {
        right = eq.value.kind == RuleValue::Kind::Or ? "(*OR*" : "(*NOT*";
        for (const std::string& a : eq.value.atoms) right += " " + a;
        right += ")";
      }
      break;
  }
  line(std::string(groupName(eq.group)) + " " + path(eq.left) + " " + opName(eq.op) + " " + right);
}

void RecordingBuilder::beginBlock(BlockKind kind) {
  protocol(inRule_ && (open_.empty() || open_.back() == 'A'), "block outside an alternative");
  open_ += 'B';
  line(kind == BlockKind::Or ? "begin OR" : "begin EOR");
}

void RecordingBuilder::beginAlternative() {
  protocol(!open_.empty() && open_.back() == 'B', "alternative outside a block");
  open_ += 'A';
  line("alt");
}

void RecordingBuilder::endAlternative() {
  protocol(!open_.empty() && open_.back() == 'A', "unbalanced endAlternative");
  if (!open_.empty()) open_.pop_back();
  line("end alt");
}

void RecordingBuilder::endBlock() {
  protocol(!open_.empty() && open_.back() == 'B', "unbalanced endBlock");
  if (!open_.empty()) open_.pop_back();
  line("end block");
}

void RecordingBuilder::endRule(RuleEnd end, float specificity) {
  protocol(inRule_ && open_.empty(), "unbalanced endRule");
  inRule_ = false;
  open_.clear();
  if (end == RuleEnd::Complete) {
    ++rulesAccepted;
    int& m = maxIndex_.try_emplace(header_.rulename, header_.ruleindex).first->second;
    if (header_.ruleindex > m) m = header_.ruleindex;
  }
  const char* how = end == RuleEnd::Complete    ? "complete"
                    : end == RuleEnd::Malformed ? "malformed"
                                                : "abandoned";
  std::ostringstream s;
  s << "end " << how << " " << specificity;
  line(s.str());
}

void RecordingBuilder::diagnostic(const std::string& text) {
  protocol(!text.empty() && text.back() == '\n', "diagnostic without line end");
  // Syntax errors come in the parsing library's own wording; only their
  // position is recorded.
  static const std::regex syntax("^line (\\d+):(\\d+): [^\\n]*\\n$");
  std::smatch m;
  if (std::regex_match(text, m, syntax))
    log += "! syntax " + m[1].str() + ":" + m[2].str() + "\n";
  else
    log += "! " + text;
}
