// rules/KalRuleText.cpp
// Reading rules from rule text and writing them back.
#include "rules/KalRule.h"

#include "rules/KalRuleUtils.h"

#include <sstream>

namespace {

const char kDisabledMarker[] = ";D:";

// True when the byte at `i` ends a line as the engine sees it: LF, the LF of
// CR LF, or a CR on its own. A ';' comment ends there.
bool EndsLine(const std::string& text, size_t i) {
  return text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
}

// The text the rule is read from: a disabled rule loses its marker and, when
// every further line carries the ';' that makes it comment text for the
// engine (as written by KalRule::output), that ';' too.
std::string RuleText(const std::string& text, bool* disabled) {
  *disabled = text.compare(0, 3, kDisabledMarker) == 0;
  if (!*disabled) return text;
  // The lines after the marker, each with its line end.
  std::vector<std::string> lines;
  size_t start = 3;
  for (size_t i = start; i < text.size(); ++i) {
    if (!EndsLine(text, i)) continue;
    lines.push_back(text.substr(start, i + 1 - start));
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  bool commented = false;
  for (size_t i = 1; i < lines.size(); ++i) {
    if (KalRuleUtils::Trim(lines[i]).empty()) continue;
    if (lines[i][0] != ';') return text.substr(3);
    commented = true;
  }
  std::string out = lines[0];
  for (size_t i = 1; i < lines.size(); ++i)
    out += commented && !lines[i].empty() && lines[i][0] == ';' ? lines[i].substr(1) : lines[i];
  return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// (X1::Y2), white space allowed around the parts; the letters are not checked,
// as the engine does not check them either.
bool ReadAlignment(const std::string& content, Alignment* out) {
  const std::string s = KalRuleUtils::Trim(content);
  size_t i = 0;
  auto reg = [&](int* value) {
    if (i >= s.size() || (s[i] != 'x' && s[i] != 'X' && s[i] != 'y' && s[i] != 'Y')) return false;
    size_t begin = ++i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    // Longer numbers would not come back the same.
    if (i == begin || i - begin > 9) return false;
    *value = KalRuleUtils::Atoi(s.substr(begin, i - begin));
    return true;
  };
  auto blanks = [&] {
    while (i < s.size() && KalRuleUtils::IsSpace(s[i])) ++i;
  };
  if (!reg(&out->m_iSLWord)) return false;
  blanks();
  if (s.compare(i, 2, "::") != 0) return false;
  i += 2;
  blanks();
  return reg(&out->m_iTLWord) && i == s.size();
}

bool StartsWith(const std::string& s, const char* prefix) {
  return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// The two bracketed sides of a rule text.
struct Sides {
  bool haveSL = false, haveTL = false;
  size_t slOpen = 0, slClose = 0, tlOpen = 0, tlClose = 0;
};

// True when a '[' stands between `open` and `close` outside quoted words and
// comments. The engine reads no bracket inside a rule side, and a side that
// held one could not be written back as one side.
bool HoldsBracket(const std::string& t, size_t open, size_t close) {
  size_t i = open + 1;
  while (i < close) {
    size_t next = KalRuleUtils::SkipOpaque(t, i);
    if (next != i) {
      i = next;
    } else if (t[i] == '[') {
      return true;
    } else {
      ++i;
    }
  }
  return false;
}

// A rule has both sides only when neither holds a nested bracket.
Sides FindSides(const std::string& t) {
  Sides s;
  s.haveSL = KalRuleUtils::FindGroup(t, 0, '[', ']', &s.slOpen, &s.slClose) &&
             !HoldsBracket(t, s.slOpen, s.slClose);
  s.haveTL = s.haveSL &&
             KalRuleUtils::FindGroup(t, s.slClose + 1, '[', ']', &s.tlOpen, &s.tlClose) &&
             !HoldsBracket(t, s.tlOpen, s.tlClose);
  return s;
}

}  // namespace

bool KalRule::ReadConstituents(const std::string& text, bool splitWords, ConstituentList* out) {
  out->clear();
  bool writable = true;
  const std::string s = KalRuleUtils::StripComments(text);
  size_t i = 0;
  while (i < s.size()) {
    char c = s[i];
    if (KalRuleUtils::IsSpace(c)) {
      ++i;
    } else if (c == '"') {
      std::string word;
      for (++i; i < s.size() && s[i] != '"'; ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) ++i;
        word += s[i];
      }
      if (i < s.size()) ++i;
      if (splitWords) {
        for (const std::string& w : KalRuleUtils::SplitWords(word))
          out->emplace_back(new LiteralConstituent(w));
      } else if (!KalRuleUtils::Trim(word).empty()) {
        out->emplace_back(new LiteralConstituent(word));
      }
    } else if (c == '\'') {
      size_t end = KalRuleUtils::SkipOpaque(s, i);
      if (end == i) {
        // Right after another literal or a skip marker, as in 'a''b', the
        // engine begins a literal too, while the sides were found with the
        // quote taken as a plain character. Such a literal is read as one
        // only when nothing in it reads differently in the two views.
        size_t quote = s.find('\'', i + 1);
        if (quote == std::string::npos || s.find('"', i + 1) < quote ||
            KalRuleUtils::SkipOpaque(s, quote) != quote)
          writable = false;
        end = quote == std::string::npos ? s.size() : quote + 1;
      }
      size_t close = end - 1 > i && s[end - 1] == '\'' ? end - 1 : end;
      out->emplace_back(
          new LiteralConstituent(s.substr(i + 1, close - i - 1), LiteralConstituent::QUOTE_SINGLE));
      i = end;
    } else if (c == '#') {
      size_t end = i + 1;
      if (end < s.size() && s[end] == '#') {
        ++end;
      } else {
        while (end < s.size() && IsDigit(s[end])) ++end;
      }
      // A marker before the first element has no effect; a later one
      // replaces an earlier one.
      if (!out->empty()) out->back()->SetSkipMarker(s.substr(i, end - i));
      i = end;
    } else {
      size_t begin = i;
      // A word ends where a quoted word could begin, as the engine reads it.
      while (i < s.size() && !KalRuleUtils::IsSpace(s[i]) && s[i] != '#' &&
             (i == begin || KalRuleUtils::SkipOpaque(s, i) == i))
        ++i;
      std::string word = s.substr(begin, i - begin);
      POS_TYPE pos = GetPOSTypeFromString(word);
      if (pos != POS_TYPE_NONE) out->emplace_back(new POSConstituent(pos));
      else out->emplace_back(new LiteralConstituent(word, LiteralConstituent::QUOTE_NONE));
    }
  }
  return writable;
}

RULE_TYPE KalRule::GetRuleTypeFromString(const std::string& text) {
  if (text.empty()) return RULE_TYPE_INVALID;
  bool disabled;
  const std::string t = RuleText(text, &disabled);
  Sides sides = FindSides(t);
  if (!sides.haveTL) return RULE_TYPE_INVALID;
  // An unquoted word is a category for the engine even when the table does
  // not know it.
  bool writable = true;
  auto hasCategory = [&writable](const std::string& side) {
    ConstituentList list;
    writable = ReadConstituents(side, false, &list) && writable;
    for (const auto& c : list) {
      if (c->GetType() == CONSTITUENT_TYPE_POS) return true;
      auto* lit = static_cast<const LiteralConstituent*>(c.get());
      if (lit->GetQuoteStyle() == LiteralConstituent::QUOTE_NONE) return true;
    }
    return false;
  };
  bool slCategory = hasCategory(t.substr(sides.slOpen + 1, sides.slClose - sides.slOpen - 1));
  bool tlCategory = hasCategory(t.substr(sides.tlOpen + 1, sides.tlClose - sides.tlOpen - 1));
  // A side that cannot be written back as it was read makes no rule.
  if (!writable) return RULE_TYPE_INVALID;
  return slCategory || tlCategory ? RULE_TYPE_GRAMMAR : RULE_TYPE_LEXICAL;
}

bool KalRule::LoadFromString(const std::string& text) {
  Reset();
  m_TimeStamp = 0;
  m_viTranslationPairs.clear();
  m_fL = false;
  m_szIDLeadToChange.clear();

  bool disabled;
  const std::string t = RuleText(text, &disabled);
  m_fEnabled = !disabled;
  Sides sides = FindSides(t);
  size_t headerEnd = sides.haveSL ? sides.slOpen : t.size();

  // The ID line, when it comes before the rule's sides.
  size_t headerStart = 0;
  size_t idOpen, idClose;
  bool haveID = KalRuleUtils::FindGroup(t, 0, '{', '}', &idOpen, &idClose) && idClose < headerEnd;
  if (haveID) {
    m_RuleID.LoadFromString(t.substr(idOpen + 1, idClose - idOpen - 1));
    headerStart = idClose + 1;
  }

  // The categories of the header, as in NP::NP.
  const std::string header =
      KalRuleUtils::StripComments(t.substr(headerStart, headerEnd - headerStart));
  // The pair just before the rule's sides; names the syntax cannot hold as
  // categories are not taken.
  size_t colons = header.rfind("::");
  if (colons != std::string::npos) {
    std::vector<std::string> before = KalRuleUtils::SplitWords(header.substr(0, colons));
    size_t i = colons + 2;
    while (i < header.size() && KalRuleUtils::IsSpace(header[i])) ++i;
    size_t begin = i;
    while (i < header.size() && !KalRuleUtils::IsSpace(header[i]) && header[i] != ':' &&
           header[i] != '|')
      ++i;
    std::string target = header.substr(begin, i - begin);
    if (!before.empty() && KalRuleUtils::IsTokenText(before.back()) &&
        KalRuleUtils::IsTokenText(target)) {
      m_szSLCategory = before.back();
      m_szTLCategory = target;
      if (!haveID) m_RuleID.SetCategory(m_szSLCategory);
    }
  }

  bool lexical = m_RuleType == RULE_TYPE_LEXICAL;
  size_t bodyStart = headerStart;
  if (sides.haveSL) {
    ReadConstituents(t.substr(sides.slOpen + 1, sides.slClose - sides.slOpen - 1), lexical,
                     &m_vSLConstituents);
    bodyStart = sides.slClose + 1;
  }
  if (sides.haveTL) {
    ReadConstituents(t.substr(sides.tlOpen + 1, sides.tlClose - sides.tlOpen - 1), lexical,
                     &m_vTLConstituents);
    bodyStart = sides.tlClose + 1;
  }
  ReadBody(t, bodyStart);
  OnChangeConstituents();
  std::string copy = text;
  OnLoadFromString(copy);
  return true;
}

bool KalRule::ReadMetadata(const std::string& content) {
  if (StartsWith(content, "T:")) {
    LoadTimeStampFromString(content);
  } else if (StartsWith(content, "P:")) {
    m_DesiredParentID.LoadFromString(content.substr(2));
  } else if (StartsWith(content, "I:")) {
    m_szIDLeadToChange = content.substr(2);
    for (char& c : m_szIDLeadToChange)
      if (c == '\n' || c == '\r') c = ' ';
  } else if (StartsWith(content, "TR:")) {
    for (const std::string& w : KalRuleUtils::SplitWords(content.substr(3)))
      if (w.find_first_of("0123456789") != std::string::npos)
        m_viTranslationPairs.push_back(KalRuleUtils::Atoi(w));
  } else if (StartsWith(content, "L:")) {
    m_fL = KalRuleUtils::Trim(content.substr(2)) == "true";
  } else {
    return false;
  }
  return true;
}

// Reads the rule body that opens at the first '(' at or after `pos`: the
// metadata entries (comment lines such as ;(T:1234), read until the first
// equation), the alignments and the equations, up to the body's closing
// parenthesis.
void KalRule::ReadBody(const std::string& t, size_t pos) {
  size_t i = pos;
  while (i < t.size()) {
    size_t next = KalRuleUtils::SkipOpaque(t, i);
    if (next != i) {
      i = next;
    } else if (t[i] == '(') {
      break;
    } else {
      ++i;
    }
  }
  ++i;

  // Metadata is read only before the first equation.
  bool inConstraints = false;
  while (i < t.size()) {
    char c = t[i];
    if (KalRuleUtils::IsSpace(c)) {
      ++i;
    } else if (c == ';') {
      size_t end = KalRuleUtils::SkipOpaque(t, i);
      // A metadata entry fills its comment line: ;(I:text) holds any text.
      std::string comment = KalRuleUtils::Trim(t.substr(i + 1, end - i - 1));
      size_t close = comment.rfind(')');
      if (!inConstraints && !comment.empty() && comment[0] == '(' && close != std::string::npos)
        ReadMetadata(KalRuleUtils::Trim(comment.substr(1, close - 1)));
      i = end;
    } else if (c == ')') {
      break;
    } else if (c == '(') {
      size_t open, close;
      if (!KalRuleUtils::FindGroup(t, i, '(', ')', &open, &close)) break;
      std::string content = t.substr(open + 1, close - open - 1);
      i = close + 1;
      Alignment alignment;
      // Comments inside the group are white space to the engine.
      if (ReadAlignment(KalRuleUtils::StripComments(content), &alignment)) {
        m_vAlignments.push_back(alignment);
      } else {
        // Metadata lives in comment lines; a group outside a comment is an
        // equation to the engine and is kept as one.
        inConstraints = true;
        AddConstraint(content);
      }
    } else {
      size_t next = KalRuleUtils::SkipOpaque(t, i);
      i = next == i ? i + 1 : next;
    }
  }
}

void KalRule::WriteConstituents(std::ostream& os, const ConstituentList& list,
                                bool source) const {
  bool lexical = m_RuleType == RULE_TYPE_LEXICAL;
  if (lexical && !source) {
    // The translation of an entry is written as one quoted text, unless that
    // would lose how its elements were written.
    bool joinable = true;
    std::string words;
    for (const auto& c : list) {
      auto* lit = dynamic_cast<const LiteralConstituent*>(c.get());
      if (!c->GetSkipMarker().empty() ||
          (lit != nullptr && lit->GetQuoteStyle() != LiteralConstituent::QUOTE_DOUBLE)) {
        joinable = false;
        break;
      }
      words += (words.empty() ? "" : " ") +
               (lit != nullptr ? lit->GetLiteral()
                               : GetStringFromPOSType(static_cast<POSConstituent*>(c.get())->GetPOSType()));
    }
    if (joinable) {
      os << KalRuleUtils::Quote(words);
      return;
    }
  }
  for (size_t i = 0; i < list.size(); ++i) {
    const KalConstituent* c = list[i].get();
    if (i > 0) os << ' ';
    if (auto* lit = dynamic_cast<const LiteralConstituent*>(c)) {
      switch (lit->GetQuoteStyle()) {
        case LiteralConstituent::QUOTE_DOUBLE: os << KalRuleUtils::Quote(lit->GetLiteral()); break;
        case LiteralConstituent::QUOTE_SINGLE: os << '\'' << lit->GetLiteral() << '\''; break;
        case LiteralConstituent::QUOTE_NONE: os << lit->GetLiteral(); break;
      }
    } else {
      std::string name = GetStringFromPOSType(static_cast<const POSConstituent*>(c)->GetPOSType());
      os << (lexical ? KalRuleUtils::Quote(name) : name);
    }
    if (!c->GetSkipMarker().empty()) os << ' ' << c->GetSkipMarker();
  }
}

void KalRule::output(std::ostream& os) const {
  if (m_fEnabled) {
    WriteRule(os);
    OnOutput(os);
    return;
  }
  // A disabled rule is comment text for the engine, every line of it, also
  // the lines that a quoted word with a line end (LF, CR LF or CR) continues
  // on.
  std::ostringstream text;
  WriteRule(text);
  OnOutput(text);
  os << kDisabledMarker << '\n';
  const std::string lines = text.str();
  bool lineStart = true;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lineStart) os << ';';
    os << lines[i];
    lineStart = EndsLine(lines, i);
  }
}

void KalRule::WriteRule(std::ostream& os) const {
  if (m_RuleID.m_RuleNum != -1) os << m_RuleID.ToString() << '\n';

  std::string source = m_szSLCategory.empty() ? m_RuleID.GetCategoryName() : m_szSLCategory;
  std::string target = m_szTLCategory.empty() ? source : m_szTLCategory;
  // A name the rule syntax cannot hold as a category is left out.
  if (KalRuleUtils::IsTokenText(source) && KalRuleUtils::IsTokenText(target))
    os << source << "::" << target << (m_RuleType == RULE_TYPE_LEXICAL ? " |" : " ") << ": ";
  os << '[';
  WriteConstituents(os, m_vSLConstituents, true);
  os << "] -> [";
  WriteConstituents(os, m_vTLConstituents, false);
  os << "]\n";

  os << "(\n";
  if (IsSet()) os << ";(" << TimeStampToString() << ")\n";
  if (m_DesiredParentID.HasCategory() && m_DesiredParentID.m_RuleNum != -1)
    os << ";(P:" << m_DesiredParentID.ToString() << ")\n";
  if (!m_szIDLeadToChange.empty()) {
    std::string text = m_szIDLeadToChange;
    for (char& c : text)
      if (c == '\n' || c == '\r') c = ' ';
    os << ";(I:" << text << ")\n";
  }
  if (!m_viTranslationPairs.empty()) {
    os << ";(TR:";
    for (size_t i = 0; i < m_viTranslationPairs.size(); ++i)
      os << (i ? " " : "") << m_viTranslationPairs[i];
    os << ")\n";
  }
  if (m_fL) os << ";(L:true)\n";
  if (!m_vAlignments.empty()) {
    for (const Alignment& a : m_vAlignments)
      os << "  (X" << a.m_iSLWord << "::Y" << a.m_iTLWord << ')';
    os << '\n';
  }
  for (const KalConstraint* c : m_vConstraints) {
    os << "  (";
    c->output(os);
    os << ")\n";
  }
  os << ")\n";
}
