// rules/KalRuleUtils.cpp
#include "rules/KalRuleUtils.h"

#include <climits>
#include <cstring>

namespace {

long long ReadLeadingNumber(const std::string& text, long long lo, long long hi) {
  size_t i = 0;
  while (i < text.size() && KalRuleUtils::IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulated as a negative number, whose range is the larger one.
  long long value = 0;
  bool saturated = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    int digit = text[i] - '0';
    if (value < (LLONG_MIN + digit) / 10) saturated = true;
    if (!saturated) value = value * 10 - digit;
  }
  if (saturated) return negative ? lo : hi;
  if (!negative) return value < -hi ? hi : -value;
  return value < lo ? lo : value;
}

// A single quote opens a literal only where a token may begin.
bool StartsToken(const std::string& text, size_t pos) {
  if (pos == 0) return true;
  char p = text[pos - 1];
  return KalRuleUtils::IsSpace(p) || p == '(' || p == ')' || p == '[' || p == ']' || p == '{' ||
         p == '}' || p == '=' || p == '<' || p == '>' || p == '"' || p == ',' || p == '#';
}

}  // namespace

bool KalRuleUtils::IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

int KalRuleUtils::GetShiftedPos(int from, int to, int p) {
  if (p == from) return to;
  if (to <= p && p < from) return p + 1;
  if (from < p && p <= to) return p - 1;
  return p;
}

bool KalRuleUtils::IsTokenText(const std::string& text) {
  // A leading apostrophe opens a single-quoted literal instead.
  if (text.empty() || text[0] == '\'') return false;
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c >= 128 || std::strchr("%'*+-.?_", c) != nullptr;
    if (!ok || c == 0) return false;
  }
  return true;
}

int KalRuleUtils::Atoi(const std::string& text) {
  return static_cast<int>(ReadLeadingNumber(text, INT_MIN, INT_MAX));
}

long KalRuleUtils::AtoL(const std::string& text) {
  return static_cast<long>(ReadLeadingNumber(text, LONG_MIN, LONG_MAX));
}

size_t KalRuleUtils::SkipOpaque(const std::string& text, size_t pos) {
  if (pos >= text.size()) return pos;
  char c = text[pos];
  if (c == '"') {
    size_t i = pos + 1;
    while (i < text.size() && text[i] != '"') i += (text[i] == '\\' && i + 1 < text.size()) ? 2 : 1;
    return i < text.size() ? i + 1 : text.size();
  }
  if (c == '\'' && StartsToken(text, pos)) {
    size_t end = text.find('\'', pos + 1);
    return end == std::string::npos ? text.size() : end + 1;
  }
  if (c == ';') {
    size_t end = text.find_first_of("\r\n", pos);
    return end == std::string::npos ? text.size() : end;
  }
  if (c == '#' && pos + 1 < text.size() && text[pos + 1] == '|') {
    size_t end = text.find("|#", pos + 2);
    return end == std::string::npos ? text.size() : end + 2;
  }
  return pos;
}

bool KalRuleUtils::FindGroup(const std::string& text, size_t start, char open, char close,
                             size_t* openPos, size_t* closePos) {
  size_t i = start;
  while (i < text.size()) {
    size_t next = SkipOpaque(text, i);
    if (next != i) {
      i = next;
      continue;
    }
    if (text[i] == open) break;
    ++i;
  }
  if (i >= text.size()) return false;
  size_t first = i;
  int depth = 0;
  while (i < text.size()) {
    size_t next = SkipOpaque(text, i);
    if (next != i) {
      i = next;
      continue;
    }
    if (text[i] == open) {
      ++depth;
    } else if (text[i] == close && --depth == 0) {
      *openPos = first;
      *closePos = i;
      return true;
    }
    ++i;
  }
  return false;
}

std::string KalRuleUtils::StripComments(const std::string& text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    size_t next = SkipOpaque(text, i);
    if (next == i) {
      out += text[i++];
      continue;
    }
    if (text[i] == '"' || text[i] == '\'') out.append(text, i, next - i);
    else out += ' ';  // a comment still separates the tokens around it
    i = next;
  }
  return out;
}

std::vector<std::string> KalRuleUtils::SplitWords(const std::string& text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    size_t begin = i;
    while (i < text.size() && !IsSpace(text[i])) ++i;
    if (i > begin) words.push_back(text.substr(begin, i - begin));
  }
  return words;
}

std::string KalRuleUtils::Trim(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string KalRuleUtils::Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::vector<std::string> KalRuleUtils::EquationTokens(const std::string& text) {
  std::vector<std::string> tokens;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (IsSpace(c)) {
      ++i;
      continue;
    }
    if (c == '(' || c == ')') {
      tokens.emplace_back(1, c);
      ++i;
      continue;
    }
    size_t next = SkipOpaque(text, i);
    if (next != i) {
      if (c == '"' || c == '\'') tokens.push_back(text.substr(i, next - i));
      i = next;
      continue;
    }
    // A word ends where quoted text or a comment begins.
    size_t begin = i;
    while (i < text.size() && !IsSpace(text[i]) && text[i] != '(' && text[i] != ')' &&
           SkipOpaque(text, i) == i)
      ++i;
    std::string word = text.substr(begin, i - begin);
    bool isRegister = word.size() >= 2 && (word[0] == 'x' || word[0] == 'X' || word[0] == 'y' ||
                                           word[0] == 'Y');
    for (size_t k = 1; isRegister && k < word.size(); ++k)
      isRegister = word[k] >= '0' && word[k] <= '9';
    if (isRegister) {
      size_t digits = word.find_first_not_of('0', 1);
      word = std::string(1, static_cast<char>(word[0] | 0x20)) +
             (digits == std::string::npos ? "0" : word.substr(digits));
    }
    tokens.push_back(word);
  }
  return tokens;
}

std::vector<std::string> KalRuleUtils::SplitSideWords(const std::string& text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i >= text.size()) break;
    size_t begin = i;
    if (text[i] == '"') {
      // Runs to the closing quote; an unterminated quote takes the rest.
      ++i;
      while (i < text.size() && text[i] != '"') i += (text[i] == '\\' && i + 1 < text.size()) ? 2 : 1;
      if (i < text.size()) ++i;
    }
    while (i < text.size() && !IsSpace(text[i])) ++i;
    words.push_back(text.substr(begin, i - begin));
  }
  return words;
}
