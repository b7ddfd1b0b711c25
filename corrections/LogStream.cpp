// corrections/LogStream.cpp
#include "corrections/LogStream.h"

#include <cctype>

namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

bool Contains(const std::string& s, const std::string& part) {
  return s.find(part) != std::string::npos;
}

bool Qualifies(const std::string& token, const std::vector<std::string>& including,
               const std::vector<std::string>& excluding) {
  for (const std::string& s : including)
    if (!Contains(token, s)) return false;
  for (const std::string& s : excluding)
    if (Contains(token, s)) return false;
  return true;
}

}  // namespace

bool LogStream::ReadLine(std::string& line) {
  if (AtEnd()) return false;
  size_t end = m_text.find('\n', m_pos);
  if (end == std::string::npos) end = m_text.size();
  line = m_text.substr(m_pos, end - m_pos);
  m_pos = end < m_text.size() ? end + 1 : end;
  return true;
}

bool LogStream::ReadToken(std::string& token) {
  while (m_pos < m_text.size() && IsSpace(m_text[m_pos])) ++m_pos;
  if (AtEnd()) return false;
  const size_t start = m_pos;
  while (m_pos < m_text.size() && !IsSpace(m_text[m_pos])) ++m_pos;
  token = m_text.substr(start, m_pos - start);
  return true;
}

int SeekToStringInStream(LogStream& in, const std::string& s, std::string& line) {
  for (std::string l; in.ReadLine(l);) {
    const size_t at = l.find(s);
    if (at != std::string::npos) {
      line = l;
      return static_cast<int>(at);
    }
  }
  return -1;
}

bool ExtractValueFromEquation(LogStream& in, const std::string& lhs, std::string& rhs) {
  const std::string equation = lhs + " = ";
  std::string line;
  const int at = SeekToStringInStream(in, equation, line);
  if (at < 0) return false;
  rhs = line.substr(static_cast<size_t>(at) + equation.size());
  return true;
}

bool ExtractStringIncludingExcluding(LogStream& in, const std::vector<std::string>& including,
                                     const std::vector<std::string>& excluding, std::string& s,
                                     bool fKeyOfEquation) {
  for (std::string line; in.ReadLine(line);) {
    LogStream tokens(line);
    for (std::string token; tokens.ReadToken(token);) {
      if (Qualifies(token, including, excluding)) {
        if (!fKeyOfEquation || line.compare(tokens.Tell(), 3, " = ") == 0) {
          s = token;
          return true;
        }
      }
      if (fKeyOfEquation) break;
    }
  }
  return false;
}

bool FindTLNum(LogStream& in, std::string& key) {
  in.Rewind();
  return ExtractStringIncludingExcluding(in, {"tl"}, {"sl", "-al"}, key, true);
}

bool ExtractNextInQuotes(LogStream& in, std::string& s) {
  s.clear();
  std::string token;
  do {
    if (!in.ReadToken(token)) return false;
  } while (!Contains(token, "\""));
  std::string rest = token.substr(token.find('"') + 1);
  size_t close = rest.find('"');
  if (close != std::string::npos) {
    s = rest.substr(0, close);
    return true;
  }
  s = rest;
  while (in.ReadToken(token)) {
    close = token.find('"');
    s += " " + token.substr(0, close);
    if (close != std::string::npos) break;
  }
  return true;
}

bool ExtractNextAfterColon(LogStream& in, std::string& s) {
  s.clear();
  std::string token;
  do {
    if (!in.ReadToken(token)) return false;
  } while (!Contains(token, ":"));
  while (in.ReadToken(token) && !Contains(token, "*")) s += token + " ";
  return true;
}

bool ExtractLineWithUntilBefore(LogStream& in, const std::string& szWith,
                                const std::string& szUntil, const std::string& szBefore,
                                std::string& s, bool fRewindOnFailure) {
  const size_t start = in.Tell();
  for (std::string line; in.ReadLine(line);) {
    if (Contains(line, szBefore)) break;
    if (!Contains(line, szWith)) continue;
    s = line;
    for (std::string token;;) {
      const size_t at = in.Tell();
      if (!in.ReadToken(token)) break;
      if (Contains(token, szUntil) || Contains(token, szBefore)) {
        in.Seek(at);
        break;
      }
      s += token;
    }
    return true;
  }
  if (fRewindOnFailure) in.Seek(start);
  return false;
}
