// rules/KalConstraints.cpp
#include "rules/KalConstraints.h"

#include "rules/KalRuleUtils.h"

#include <sstream>

const std::vector<std::string> KalConstraint::m_vszETypes = {"=", "=c", "==", "<="};
const std::vector<std::string> KalConstraint::m_vszLOTypes = {"*OR*", "*NOT*", "*DEFINED*",
                                                              "*UNDEFINE*"};
const std::vector<std::string> KalConstraint::m_vszSTypes = {"x", "y"};

namespace {

int Lookup(const std::vector<std::string>& table, const std::string& text) {
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i] == text) return static_cast<int>(i);
  return -1;
}

bool IsPathWord(const std::string& w) {
  return w.size() >= 2 && (w[0] == 'x' || w[0] == 'X' || w[0] == 'y' || w[0] == 'Y') &&
         w[1] >= '0' && w[1] <= '9';
}

// Position of the first blank-delimited word at or after `pos`; sets *end to
// just after it. False when only white space is left.
bool NextWord(const std::string& text, size_t pos, size_t* begin, size_t* end) {
  while (pos < text.size() && KalRuleUtils::IsSpace(text[pos])) ++pos;
  if (pos >= text.size()) return false;
  *begin = pos;
  while (pos < text.size() && !KalRuleUtils::IsSpace(text[pos])) ++pos;
  *end = pos;
  return true;
}

// `text` up to its first ';' outside quoted words.
std::string CutComment(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ';') return text.substr(0, i);
    size_t next = KalRuleUtils::SkipOpaque(text, i);
    i = next == i ? i + 1 : next;
  }
  return text;
}

// Kept equation text on one line: comments removed and each run of white
// space outside quoted words made a single blank.
std::string OneLine(const std::string& text) {
  std::string stripped = KalRuleUtils::Trim(KalRuleUtils::StripComments(text));
  std::string out;
  size_t i = 0;
  while (i < stripped.size()) {
    size_t next = KalRuleUtils::SkipOpaque(stripped, i);
    if (next != i) {
      out.append(stripped, i, next - i);
      i = next;
    } else if (KalRuleUtils::IsSpace(stripped[i])) {
      while (i < stripped.size() && KalRuleUtils::IsSpace(stripped[i])) ++i;
      out += ' ';
    } else {
      out += stripped[i++];
    }
  }
  return out;
}

// Renumbers every Y register that starts a token outside quoted words.
std::string RenumberYRegisters(const std::string& text, const std::function<int(int)>& map) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    size_t next = KalRuleUtils::SkipOpaque(text, i);
    if (next != i) {
      out.append(text, i, next - i);
      i = next;
      continue;
    }
    char c = text[i];
    bool tokenStart = i == 0 || KalRuleUtils::IsSpace(text[i - 1]) || text[i - 1] == '(' ||
                      text[i - 1] == ')' || text[i - 1] == ':';
    if (tokenStart && (c == 'y' || c == 'Y') && i + 1 < text.size() && text[i + 1] >= '0' &&
        text[i + 1] <= '9') {
      size_t end = i + 1;
      while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
      out += c;
      out += std::to_string(map(KalRuleUtils::Atoi(text.substr(i + 1, end - i - 1))));
      i = end;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace

void KalConstraint::Reset() {
  m_CType = CTYPE_NONE;
  m_EType = ETYPE_NONE;
  m_STypeLHS = SENTENCE_TYPE_NONE;
  m_STypeRHS = SENTENCE_TYPE_NONE;
  m_szFeatureLHS.clear();
  m_szFeatureRHS.clear();
  m_vszValues.clear();
  m_LOType = LO_TYPE_NONE;
  m_iPosLHS = -1;
  m_iPosRHS = -1;
  m_fVerbatim = false;
  m_szVerbatim.clear();
}

std::string KalConstraint::GetValue(int i) const {
  if (i < 0 || i >= NumValues()) return "";
  return m_vszValues[i];
}

void KalConstraint::SetConstraintType(CONSTRAINT_TYPE t) { m_CType = t, Edited(); }
void KalConstraint::SetEquationType(EQUATION_TYPE t) { m_EType = t, Edited(); }
void KalConstraint::SetSentenceTypeLHS(SENTENCE_TYPE t) { m_STypeLHS = t, Edited(); }
void KalConstraint::SetSentenceTypeRHS(SENTENCE_TYPE t) { m_STypeRHS = t, Edited(); }
void KalConstraint::SetFeatureLHS(const std::string& f) { m_szFeatureLHS = f, Edited(); }
void KalConstraint::SetFeatureRHS(const std::string& f) { m_szFeatureRHS = f, Edited(); }
void KalConstraint::AddValue(const std::string& v) { m_vszValues.push_back(v), Edited(); }
void KalConstraint::SetLogicalOperator(LOGICAL_OPERATOR_TYPE t) { m_LOType = t, Edited(); }
void KalConstraint::SetPosLHS(int pos) { m_iPosLHS = pos, Edited(); }
void KalConstraint::SetPosRHS(int pos) { m_iPosRHS = pos, Edited(); }

void KalConstraint::SetAgrConstraint(EQUATION_TYPE eq, const std::string& featureLHS,
                                     const std::string& featureRHS, int posLHS, int posRHS) {
  Edited();
  m_CType = CTYPE_AGR;
  m_EType = eq;
  m_STypeLHS = SENTENCE_TYPE_TL;
  m_STypeRHS = SENTENCE_TYPE_TL;
  m_szFeatureLHS = featureLHS;
  m_szFeatureRHS = featureRHS;
  m_iPosLHS = posLHS;
  m_iPosRHS = posRHS;
}

void KalConstraint::SetValueConstraint(EQUATION_TYPE eq, const std::string& featureLHS,
                                       int posLHS, const std::string& value) {
  Edited();
  m_CType = CTYPE_VALUE;
  m_EType = eq;
  m_STypeLHS = SENTENCE_TYPE_TL;
  m_szFeatureLHS = featureLHS;
  m_iPosLHS = posLHS;
  m_vszValues.push_back(value);
}

void KalConstraint::RenumberTLPositions(const std::function<int(int)>& map) {
  if (m_STypeLHS == SENTENCE_TYPE_TL) m_iPosLHS = map(m_iPosLHS);
  if (m_STypeRHS == SENTENCE_TYPE_TL) m_iPosRHS = map(m_iPosRHS);
  if (m_fVerbatim) m_szVerbatim = RenumberYRegisters(m_szVerbatim, map);
}

bool KalConstraint::operator==(const KalConstraint& o) const {
  return m_CType == o.m_CType && m_EType == o.m_EType && m_STypeLHS == o.m_STypeLHS &&
         m_STypeRHS == o.m_STypeRHS && m_szFeatureLHS == o.m_szFeatureLHS &&
         m_szFeatureRHS == o.m_szFeatureRHS && m_LOType == o.m_LOType &&
         m_iPosLHS == o.m_iPosLHS && m_iPosRHS == o.m_iPosRHS &&
         m_fVerbatim == o.m_fVerbatim && m_szVerbatim == o.m_szVerbatim;
}

bool KalConstraint::HaveSameFeature(const KalConstraint* other) const {
  return other != nullptr && m_szFeatureLHS == other->m_szFeatureLHS;
}

bool KalConstraint::HaveSameValues(const KalConstraint* other) const {
  return other != nullptr && m_CType == other->m_CType && m_LOType == other->m_LOType &&
         m_vszValues == other->m_vszValues;
}

void KalConstraint::Copy(const KalConstraint* other) {
  if (other == nullptr || other == this) return;
  m_CType = other->m_CType;
  m_EType = other->m_EType;
  m_STypeLHS = other->m_STypeLHS;
  m_STypeRHS = other->m_STypeRHS;
  m_szFeatureLHS = other->m_szFeatureLHS;
  m_szFeatureRHS = other->m_szFeatureRHS;
  m_vszValues = other->m_vszValues;
  m_LOType = other->m_LOType;
  m_iPosLHS = other->m_iPosLHS;
  m_iPosRHS = other->m_iPosRHS;
  m_fVerbatim = other->m_fVerbatim;
  m_szVerbatim = other->m_szVerbatim;
}

KalConstraint* KalConstraint::Clone() const {
  KalConstraint* copy = new KalConstraint();
  copy->Copy(this);
  return copy;
}

void KalConstraint::ParseConstraintSide(const std::string& item, bool left) {
  std::string& feature = left ? m_szFeatureLHS : m_szFeatureRHS;
  feature.clear();
  std::vector<std::string> words = KalRuleUtils::SplitSideWords(item);
  if (words.empty()) return;
  const std::string& w = words[0];
  m_LOType = static_cast<LOGICAL_OPERATOR_TYPE>(Lookup(m_vszLOTypes, w));
  if (IsPathWord(w)) {
    bool source = w[0] == 'x' || w[0] == 'X';
    (left ? m_STypeLHS : m_STypeRHS) = source ? SENTENCE_TYPE_SL : SENTENCE_TYPE_TL;
    (left ? m_iPosLHS : m_iPosRHS) = KalRuleUtils::Atoi(w.substr(1));
    for (size_t i = 1; i < words.size(); ++i) feature += (i > 1 ? " " : "") + words[i];
    return;
  }
  m_CType = CTYPE_VALUE;
  size_t first = m_LOType != LO_TYPE_NONE ? 1 : 0;
  for (size_t i = first; i < words.size(); ++i) m_vszValues.push_back(words[i]);
}

bool KalConstraint::LoadFromString(const std::string& text) {
  Reset();
  // Comments and the kind and amount of white space are no part of the
  // equation; reading the one-line form makes the text that is kept read
  // back exactly as it was read the first time.
  const std::string c = OneLine(text);
  if (c.empty()) {
    m_fVerbatim = true;
    return true;
  }
  bool complete = ReadFields(c);

  // Keep the text whenever writing the fields would not give it back.
  std::ostringstream written;
  WriteFields(written);
  if (!complete || !FieldsReadBack(c, written.str())) {
    m_fVerbatim = true;
    m_szVerbatim = c;
  }
  return complete;
}

bool KalConstraint::FieldsReadBack(const std::string& text, const std::string& written) {
  // Written between parentheses, the text must close the group right there:
  // a value may hold a quote that opens a literal or a ';' that opens a
  // comment running past it.
  const std::string group = "(" + written + ")";
  size_t open, close;
  if (!KalRuleUtils::FindGroup(group, 0, '(', ')', &open, &close) || close + 1 != group.size())
    return false;
  const std::vector<std::string> tokens = KalRuleUtils::EquationTokens(written);
  if (tokens != KalRuleUtils::EquationTokens(text)) return false;
  if (written == text) return true;
  // The written text, read again, must give the same fields: odd words (a
  // quote or a comment character inside a value) may not.
  const std::string again = OneLine(written);
  KalConstraint* other = new KalConstraint();
  bool same = other->ReadFields(again);
  std::ostringstream rewritten;
  other->WriteFields(rewritten);
  other->Release();
  return same && rewritten.str() == written && KalRuleUtils::EquationTokens(again) == tokens;
}

bool KalConstraint::ReadFields(const std::string& c) {
  // Left item: a parenthesised group or the first word.
  std::string leftItem;
  size_t pos = 0;
  if (c[0] == '(') {
    size_t open, close;
    if (!KalRuleUtils::FindGroup(c, 0, '(', ')', &open, &close)) return false;
    leftItem = c.substr(open + 1, close - open - 1);
    pos = close + 1;
  } else {
    size_t begin = 0, end = 0;
    NextWord(c, 0, &begin, &end);
    leftItem = c.substr(begin, end - begin);
    pos = end;
  }
  ParseConstraintSide(leftItem, true);

  size_t begin, end;
  if (!NextWord(c, pos, &begin, &end)) return false;
  m_EType = static_cast<EQUATION_TYPE>(Lookup(m_vszETypes, c.substr(begin, end - begin)));
  pos = end;

  while (pos < c.size() && KalRuleUtils::IsSpace(c[pos])) ++pos;
  if (pos >= c.size()) return false;
  std::string rightItem;
  if (c[pos] == '(') {
    size_t open, close;
    if (!KalRuleUtils::FindGroup(c, pos, '(', ')', &open, &close)) return false;
    rightItem = c.substr(open + 1, close - open - 1);
  } else if (c.find('"', pos) != std::string::npos) {
    rightItem = c.substr(pos);
  } else {
    NextWord(c, pos, &begin, &end);
    rightItem = c.substr(begin, end - begin);
  }
  rightItem = KalRuleUtils::Trim(CutComment(rightItem));
  if (rightItem.empty()) return false;
  m_CType = CTYPE_AGR;
  ParseConstraintSide(rightItem, false);
  return true;
}

std::string KalConstraint::PathText(SENTENCE_TYPE type, int pos) const {
  if (type < 0 || type >= NUM_SENTENCE_TYPE) return "";
  return m_vszSTypes[type] + std::to_string(pos);
}

void KalConstraint::WriteFields(std::ostream& os) const {
  bool leftParen = !m_szFeatureLHS.empty();
  if (leftParen) os << '(';
  os << PathText(m_STypeLHS, m_iPosLHS);
  if (leftParen) os << ' ' << m_szFeatureLHS << ')';

  os << ' ' << (m_EType >= 0 && m_EType < NUM_ETYPE ? m_vszETypes[m_EType] : "") << ' ';

  bool hasOperator = m_LOType >= 0 && m_LOType < NUM_LO_TYPE;
  bool rightParen = !m_szFeatureRHS.empty() || hasOperator;
  if (rightParen) os << '(';
  bool wrote = false;
  if (hasOperator) os << m_vszLOTypes[m_LOType] << ' ';
  std::string path = PathText(m_STypeRHS, m_iPosRHS);
  if (!path.empty()) {
    os << path;
    if (!m_szFeatureRHS.empty()) os << ' ' << m_szFeatureRHS;
    wrote = true;
  }
  for (const std::string& v : m_vszValues) {
    if (wrote) os << ' ';
    os << v;
    wrote = true;
  }
  if (rightParen) os << ')';
}

void KalConstraint::output(std::ostream& os) const {
  if (m_fVerbatim) os << m_szVerbatim;
  else WriteFields(os);
}
