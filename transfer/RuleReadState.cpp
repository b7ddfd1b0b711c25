// transfer/RuleReadState.cpp
#include "transfer/RuleReadState.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <optional>

namespace {

// Register and index numbers are saturated here: anything this large is
// beyond every production and is rejected by the range checks, and m + 1 + i
// of the transfer numbering cannot overflow.
constexpr unsigned kNumberCap = 100000000u;

unsigned readDigits(const std::string& text, std::size_t from) {
  unsigned long long n = 0;
  for (std::size_t i = from; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
       ++i) {
    n = n * 10 + static_cast<unsigned>(text[i] - '0');
    if (n > kNumberCap) return kNumberCap;
  }
  return static_cast<unsigned>(n);
}

// The rule index of {NAME,INDEX}: an optional sign and the leading digits,
// as the C library's atoi reads it, but clamped instead of overflowing.
int readIndex(const std::string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long n = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    n = n * 10 + (text[i] - '0');
    if (n > INT_MAX) {
      n = INT_MAX;
      break;
    }
  }
  return static_cast<int>(negative ? -n : n);
}

const char* opText(RuleReadState::Op o) {
  switch (o) {
    case RuleReadState::Op::Unify:
      return "UNIFYing \n";
    case RuleReadState::Op::Overwrite:
      return "OVERWRITINGing \n";
    case RuleReadState::Op::AssignRemove:
      return "ASSIGNing \n";
    case RuleReadState::Op::RemoveOp:
      return "REMOVEing \n";
    case RuleReadState::Op::Append:
      return "APPENDing \n";
    case RuleReadState::Op::Pop:
      return "POPing \n";
    case RuleReadState::Op::Constrain:
      return "Constrain action\n";
    case RuleReadState::Op::Negate:
      return "NEGATEing \n";
  }
  return "";
}

const char* groupText(std::optional<EquationGroup> g) {
  if (!g) return " add to *ERROR*";
  switch (*g) {
    case EquationGroup::Parse:
      return " add to PARSE";
    case EquationGroup::Transfer:
      return " add to TRANSFER";
    case EquationGroup::Generation:
      return " add to GEN";
    case EquationGroup::Fill:
      return " add to FILL";
    case EquationGroup::Constraint:
      return " add to CONSTRAINTS";
  }
  return "";
}

// The group of a plain equation, from its operator, the kind of its right
// side, and the side (X or Y) and zero-ness of its registers. No group means
// the equation is dropped without a message.
std::optional<EquationGroup> classify(RuleReadState::Op op, RuleReadState::Rhs rhs, char lSide,
                                      bool l0, char rSide, bool r0) {
  using G = EquationGroup;
  using Op = RuleReadState::Op;
  using Rhs = RuleReadState::Rhs;
  const bool lx = lSide == 'X', ly = !lx, ly0 = ly && l0, lyi = ly && !l0;
  const bool rx = rSide == 'X', ry = !rx, ry0 = ry && r0, ryi = ry && !r0;
  const bool path = rhs == Rhs::Path;
  switch (op) {
    case Op::Unify:
      if (path) {
        if (lx && rx) return G::Parse;
        if (ly && rx) return G::Transfer;
        if (ly && ry0) return G::Generation;
        if (ly0 && ryi) return G::Fill;
        if (lyi && ryi) return G::Constraint;
        return std::nullopt;
      }
      if (rhs == Rhs::Value || rhs == Rhs::Remove)
        return lx ? G::Parse : ly0 ? G::Transfer : G::Generation;
      if (rhs == Rhs::Defined) return lx ? G::Parse : ly0 ? G::Generation : G::Constraint;
      if (rhs == Rhs::Undefined) return lx ? G::Parse : G::Constraint;
      return std::nullopt;
    case Op::Overwrite:
      if (path) {
        if (lx) return G::Parse;
        if (rx) return G::Transfer;
        if (ly0 && ryi) return G::Fill;
        if (lyi && ry0) return G::Generation;
        if (lyi && ryi) return G::Constraint;
        return std::nullopt;
      }
      if (rhs == Rhs::Value) return lx ? G::Parse : ly0 ? G::Transfer : G::Generation;
      return std::nullopt;
    case Op::AssignRemove:
      if (!path) return std::nullopt;
      if (lx && rx) return G::Parse;
      if (ly && rx) return G::Transfer;
      if (ly && ry) return G::Generation;
      return std::nullopt;
    case Op::Append:
    case Op::Pop:
      if (!path) return std::nullopt;
      return G::Parse;
    case Op::Constrain:
      if (path) {
        if (lx) return G::Parse;
        if (ry0) return G::Generation;
        if (ryi) return G::Constraint;
        return std::nullopt;
      }
      if (rhs == Rhs::Value) return lx ? G::Parse : ly0 ? G::Generation : G::Constraint;
      return std::nullopt;
    case Op::RemoveOp:
    case Op::Negate:
      return std::nullopt;
  }
  return std::nullopt;
}

EquationOp builderOp(RuleReadState::Op op) {
  switch (op) {
    case RuleReadState::Op::Overwrite:
      return EquationOp::Assign;
    case RuleReadState::Op::AssignRemove:
      return EquationOp::RemoveAssign;
    case RuleReadState::Op::Append:
      return EquationOp::Push;
    case RuleReadState::Op::Pop:
      return EquationOp::Pop;
    case RuleReadState::Op::Constrain:
      return EquationOp::Constrain;
    default:
      return EquationOp::PseudoUnify;
  }
}

}  // namespace

RuleReadState::RuleReadState(RuleFileBuilder& builder) : builder_(builder) {}

bool RuleReadState::tracing() const { return builder_.debugOn() && builder_.engineDebugOn(); }

void RuleReadState::trace(const std::string& text) {
  if (tracing()) builder_.trace(text);
}

// ---- directives ----------------------------------------------------------

void RuleReadState::debugDirective() { builder_.debugDirective(); }
void RuleReadState::openClass(const std::string& category) { builder_.openClass(category); }
void RuleReadState::topNode(const std::string& category) { builder_.topNode(category); }

// ---- rule header -----------------------------------------------------------

void RuleReadState::startRule() {
  if (inRule_) abandonRule();
  inRule_ = true;
  headerDone_ = false;
  malformed_ = false;
  specificity_ = 0;
  header_ = RuleHeader();
  inEquation_ = false;
  ++rulesStarted_;
}

void RuleReadState::ruleName(const std::string& name, const std::string& index) {
  header_.rulename = name;
  header_.ruleindex = readIndex(index);
  header_.ruleid = name + "," + std::to_string(header_.ruleindex);
  header_.idGiven = true;
  if (tracing()) builder_.diagnostic("Adding new rule " + std::to_string(rulesStarted_) + "\n");
}

void RuleReadState::sourceLhs(const std::string& category) { header_.srcLhs = category; }
void RuleReadState::targetLhs(const std::string& category) { header_.tgtLhs = category; }
void RuleReadState::lexical() { header_.type = RuleKind::Lex; }

void RuleReadState::sourceStart() { trace("Source nts"); }

void RuleReadState::sourceWord(const std::string& word) {
  RuleElement e;
  if (header_.type == RuleKind::Phrase) {
    e.kind = RuleElement::Kind::Literal;
    e.text = "LIT-" + word;
    trace("String literal in source production rule");
  } else {
    e.kind = RuleElement::Kind::Word;
    e.text = word;
  }
  header_.src.push_back(e);
  trace(" word:" + word);
}

void RuleReadState::sourceCategory(const std::string& category) {
  RuleElement e;
  e.text = category;
  header_.src.push_back(e);
  trace(" " + category);
}

void RuleReadState::skipMark(const std::string& text) {
  trace(" skip:" + text);
  if (header_.src.empty()) return;
  int skip = 1;
  if (text == "#")
    skip = 1000;
  else if (!text.empty())
    skip = static_cast<int>(readDigits(text, 0));
  header_.src.back().skip = skip;
}

void RuleReadState::sourceEnd() { trace("\n"); }
void RuleReadState::targetStart() { trace("Target nts"); }

void RuleReadState::targetWord(const std::string& word, bool literal) {
  RuleElement e;
  e.kind = RuleElement::Kind::Word;
  e.text = word;
  header_.tgt.push_back(e);
  trace((literal ? " literal word:" : " word:") + word);
}

void RuleReadState::targetCategory(const std::string& category) {
  RuleElement e;
  e.text = category;
  header_.tgt.push_back(e);
  trace(" nt:" + category);
}

void RuleReadState::targetEnd() { trace("\n"); }

void RuleReadState::headerDone() {
  if (header_.type == RuleKind::Lex && header_.src.size() > 1) header_.type = RuleKind::Compound;
  if (!header_.idGiven) {
    header_.rulename = header_.srcLhs;
    header_.ruleindex = builder_.nextRuleIndex(header_.rulename);
    header_.ruleid = header_.rulename + "," + std::to_string(header_.ruleindex);
    if (builder_.debugOn()) {
      builder_.diagnostic(" Creating id for id-less rule\n");
      builder_.diagnostic("  Rule name " + header_.rulename + "\n");
    }
  }
  headerDone_ = true;
  builder_.beginRule(header_);
}

// ---- checks ----------------------------------------------------------------

void RuleReadState::malformed(const std::string& message) {
  malformed_ = true;
  builder_.diagnostic(message);
}

// "SRC::TGT first -> first", the line that locates a rule in messages.
std::string RuleReadState::productionLine() const {
  std::string line = header_.srcLhs + "::" + header_.tgtLhs + " ";
  if (!header_.src.empty()) line += header_.src.front().text;
  line += " -> ";
  if (!header_.tgt.empty()) line += header_.tgt.front().text;
  return line;
}

RuleReadState::Register RuleReadState::readRegister(const std::string& constituent) {
  Register r;
  if (!constituent.empty())
    r.side = static_cast<char>(std::toupper(static_cast<unsigned char>(constituent[0])));
  r.number = readDigits(constituent, 1);
  return r;
}

bool RuleReadState::checkY(unsigned k) {
  const std::size_t t = header_.tgt.size();
  if (k <= t) return true;
  malformed("Y index " + std::to_string(k) + " above limit " + std::to_string(t) + "\n" +
            "Please check rule " + header_.ruleid + "\n" + productionLine() + "\n" +
            ".  Skipping rule...\n");
  return false;
}

// Every register of a stored equation must exist in its group's register
// file: the parse group has X0..Xs, the other groups Y0..Yt, and the
// transfer group the source registers X0..Xs after them.
bool RuleReadState::checkRegisters(EquationGroup group) {
  const std::size_t s = header_.src.size();
  const bool hasRight = rhs_ == Rhs::Path;
  switch (group) {
    case EquationGroup::Parse:
      if (left_.reg.number > s || (hasRight && right_.reg.number > s)) {
        malformed("X index above limit " + std::to_string(s) + "\n" + "Please check rule " +
                  header_.ruleid + ".  Skipping rule...\n");
        return false;
      }
      return true;
    case EquationGroup::Transfer:
      if (!checkY(left_.reg.number)) return false;
      if (hasRight && right_.reg.number > s) {
        malformed("X index " + std::to_string(right_.reg.number) + " above limit " +
                  std::to_string(s) + "\n" + "Please check rule \n" + productionLine() + "\n" +
                  header_.ruleid + ".  Skipping rule...\n");
        return false;
      }
      return true;
    case EquationGroup::Constraint: {
      const bool leftOk = checkY(left_.reg.number);
      const bool rightOk = !hasRight || checkY(right_.reg.number);
      return leftOk && rightOk;
    }
    case EquationGroup::Generation:
    case EquationGroup::Fill:
      return checkY(left_.reg.number) && (!hasRight || checkY(right_.reg.number));
  }
  return true;
}

// ---- equations -------------------------------------------------------------

void RuleReadState::alignment(const std::string& src, const std::string& tgt) {
  const unsigned i = readDigits(src, 1);
  const unsigned j = readDigits(tgt, 1);
  const std::size_t s = header_.src.size();
  const std::size_t t = header_.tgt.size();
  if (i == 0 || j == 0) {
    malformed("0 not allowed in alignments\n");
    return;
  }
  if (i > s) {
    malformed("X index " + std::to_string(i) + " is larger than allowed number " +
              std::to_string(s) + ".  \n" + "Please check rule " + header_.ruleid + " \n" +
              productionLine() + "\n" + ". Skipping rule.\n");
    return;
  }
  if (j > t) {
    malformed("Y index " + std::to_string(j) + " is larger than allowed number " +
              std::to_string(t) + ".  \n" + "Please check rule " + header_.ruleid + "\n" +
              productionLine() + "\n" + ".  Skipping rule.\n");
    return;
  }
  if (header_.type == RuleKind::Phrase) {
    if (header_.src[i - 1].kind != RuleElement::Kind::Category) {
      malformed("No alignments allowed for source literal X" + std::to_string(i) +
                " in grammar rule " + header_.ruleid + "\n" + productionLine() + "\n" +
                ".  Skipping rule.\n");
      return;
    }
    if (header_.tgt[j - 1].kind != RuleElement::Kind::Category) {
      malformed("No alignments allowed for inserted word Y" + std::to_string(j) +
                " in grammar rule " + header_.ruleid + "\n" + productionLine() + "\n" +
                ".  Skipping rule.\n");
      return;
    }
  }
  builder_.alignment(i, j);
}

void RuleReadState::score(const std::string& number) {
  builder_.score(std::strtod(number.c_str(), nullptr));
}

void RuleReadState::beginEquation() {
  inEquation_ = true;
  damaged_ = false;
  left_ = PathRead();
  right_ = PathRead();
  path_ = nullptr;
  op_ = Op::Unify;
  rhs_ = Rhs::None;
  value_ = RuleValue();
  trace("clearing paths\n");
}

void RuleReadState::leftPath(const std::string& constituent) {
  left_.reg = readRegister(constituent);
  path_ = &left_;
  trace("Setting register\n");
}

void RuleReadState::rightPath(const std::string& constituent) {
  right_.reg = readRegister(constituent);
  path_ = &right_;
  rhs_ = Rhs::Path;
  trace("Setting register\n");
  trace(" rpath");
}

void RuleReadState::pathFeature(const std::string& feature) {
  if (path_) path_->features.push_back(feature);
  trace("Push back path val " + feature);
}

void RuleReadState::op(Op o) {
  op_ = o;
  if (o == Op::Unify) specificity_ += 1;
  if (o == Op::Constrain) specificity_ += 3;
  trace(opText(o));
}

void RuleReadState::rhs(Rhs r) {
  rhs_ = r;
  switch (r) {
    case Rhs::Defined:
      trace(" DEFINED");
      break;
    case Rhs::Undefined:
      trace(" UNDEFINED");
      break;
    case Rhs::Remove:
      trace(" REMOVE");
      break;
    case Rhs::Value:
    case Rhs::Multiple:
      if (op_ == Op::Unify) specificity_ += 1;
      trace(" value");
      break;
    case Rhs::Path:
      trace(" rpath");
      break;
    case Rhs::None:
      break;
  }
}

void RuleReadState::valueAtom(const std::string& atom) {
  value_.kind = RuleValue::Kind::Atom;
  value_.atoms.assign(1, atom);
}

void RuleReadState::valueList(RuleValue::Kind kind) {
  value_.kind = kind;
  value_.atoms.clear();
}

void RuleReadState::valueItem(const std::string& atom) { value_.atoms.push_back(atom); }

void RuleReadState::endEquation() {
  if (!inEquation_) return;
  inEquation_ = false;
  if (damaged_ || !inRule_ || rhs_ == Rhs::None) return;
  if (header_.type != RuleKind::Phrase && left_.reg.number != 0) {
    malformed("Only X/Y0 allowed in lex rule paths\n");
    return;
  }
  const bool hasRight = rhs_ == Rhs::Path;
  // A *MULTIPLE* value builds no kernel value; such an equation is dropped.
  const std::optional<EquationGroup> group =
      rhs_ == Rhs::Multiple
          ? std::nullopt
          : classify(op_, rhs_, left_.reg.side, left_.reg.number == 0,
                     hasRight ? right_.reg.side : 'X', hasRight && right_.reg.number == 0);
  trace(groupText(group));
  if (!group || !checkRegisters(*group)) return;

  RuleEquation eq;
  eq.group = *group;
  eq.op = builderOp(op_);
  eq.left.reg = left_.reg.number;
  eq.left.features = left_.features;
  switch (rhs_) {
    case Rhs::Path:
      eq.right = RightSide::Path;
      eq.rightPath.reg = right_.reg.number;
      if (*group == EquationGroup::Transfer && right_.reg.side == 'X')
        eq.rightPath.reg += static_cast<unsigned>(header_.tgt.size()) + 1;
      eq.rightPath.features = right_.features;
      break;
    case Rhs::Value:
      eq.right = RightSide::Value;
      eq.value = value_;
      break;
    case Rhs::Defined:
      eq.right = RightSide::Defined;
      break;
    case Rhs::Undefined:
      eq.right = RightSide::Undefined;
      break;
    default:
      eq.right = RightSide::Remove;
      break;
  }
  builder_.equation(eq);
}

// ---- blocks ----------------------------------------------------------------

void RuleReadState::beginBlock(BlockKind kind) {
  open_.push_back(Open::Block);
  trace(kind == BlockKind::Or ? "Adding OR block\n" : "Adding EOR block\n");
  builder_.beginBlock(kind);
}

void RuleReadState::beginAlternative() {
  open_.push_back(Open::Alternative);
  builder_.beginAlternative();
}

void RuleReadState::endAlternative() {
  if (open_.empty() || open_.back() != Open::Alternative) return;
  open_.pop_back();
  builder_.endAlternative();
}

void RuleReadState::endBlock() {
  if (open_.empty() || open_.back() != Open::Block) return;
  open_.pop_back();
  builder_.endBlock();
}

void RuleReadState::unwindTo(std::size_t depth) {
  while (open_.size() > depth) {
    if (open_.back() == Open::Alternative)
      endAlternative();
    else
      endBlock();
  }
}

// ---- rule end --------------------------------------------------------------

void RuleReadState::endRule() {
  if (!inRule_) return;
  unwindTo(0);
  inRule_ = false;
  inEquation_ = false;
  if (malformed_) {
    builder_.diagnostic("**ERROR** ENTRY " + header_.ruleid + " WAS MALFORMED\n");
    builder_.endRule(RuleEnd::Malformed, specificity_);
    return;
  }
  builder_.endRule(RuleEnd::Complete, specificity_);
}

void RuleReadState::abandonRule() {
  if (!inRule_) return;
  unwindTo(0);
  inRule_ = false;
  inEquation_ = false;
  if (headerDone_) builder_.endRule(RuleEnd::Abandoned, specificity_);
}

void RuleReadState::finish() { abandonRule(); }

void RuleReadState::syntaxError(const std::string& text) {
  if (inEquation_) damaged_ = true;
  builder_.diagnostic(text + "\n");
}
