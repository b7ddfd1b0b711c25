// corrections/LogStream.h
#pragma once

#include <string>
#include <vector>

// A correction log held in memory with a reading position, read line by line
// and token by token (tokens are separated by blanks, tabs and line ends).
// A line read from the middle of a line is the rest of that line, so a token
// can be put back by returning to where it began. Nothing here ever waits
// for more input than the text holds.
class LogStream {
 public:
  explicit LogStream(std::string text) : m_text(std::move(text)) {}

  // The text up to the next '\n' (not included; a '\r' before it stays).
  bool ReadLine(std::string& line);
  bool ReadToken(std::string& token);
  size_t Tell() const { return m_pos; }
  void Seek(size_t pos) { m_pos = pos < m_text.size() ? pos : m_text.size(); }
  void Rewind() { m_pos = 0; }
  bool AtEnd() const { return m_pos >= m_text.size(); }

 private:
  std::string m_text;
  size_t m_pos = 0;
};

// The reading steps of the log format. Each starts at the stream's position.

// Reads lines until one contains `s`; stores that line and returns the
// offset of `s` in it, or -1 at the end of the text.
int SeekToStringInStream(LogStream& in, const std::string& s, std::string& line);
// Reads lines until one contains `lhs` followed by " = "; `rhs` becomes the
// rest of the line after the first such occurrence.
bool ExtractValueFromEquation(LogStream& in, const std::string& lhs, std::string& rhs);
// Reads tokens until one contains every string of `including` and none of
// `excluding`. With fKeyOfEquation, only a token that begins its line and is
// directly followed by " = " qualifies, so words of a sentence are never
// taken for a key. The position is left after the line of the token.
bool ExtractStringIncludingExcluding(LogStream& in, const std::vector<std::string>& including,
                                     const std::vector<std::string>& excluding, std::string& s,
                                     bool fKeyOfEquation = false);
// From the start of the text, finds the key of the translation line (a line
// such as "tl1 = ..."): the first key containing "tl" and neither "sl" nor
// "-al". Leaves the position after its line.
bool FindTLNum(LogStream& in, std::string& key);
// The next double-quoted string; one that runs over several tokens is read
// as the tokens joined by single blanks. False when no quote is left.
bool ExtractNextInQuotes(LogStream& in, std::string& s);
// Skips to the next token containing ':', then appends each following token
// and one blank to `s` up to (and consuming) a token that contains '*'.
bool ExtractNextAfterColon(LogStream& in, std::string& s);
// Reads lines until one contains `szWith`, giving up at a line containing
// `szBefore`. `s` becomes that line followed by the next tokens, with no
// separator, up to a token containing `szUntil` or `szBefore`, which is put
// back. When no line is found and fRewindOnFailure is set, the position
// returns to where the search began.
bool ExtractLineWithUntilBefore(LogStream& in, const std::string& szWith,
                                const std::string& szUntil, const std::string& szBefore,
                                std::string& s, bool fRewindOnFailure);
