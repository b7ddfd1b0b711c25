// transfer/UnicodeTools.h
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>

// Case mapping and character classes for UTF-8 text, built from the Unicode
// 3.1 character data of the Basic Multilingual Plane.
//
// Text is cut into characters by lead byte alone: below 0x80 one byte, below
// 0xE0 two, below 0xF0 three, up to 0xF7 four; continuation bytes are not
// checked. A character cut off by the end of the text is as long as the bytes
// left, and a byte 0xF8-0xFF, which never starts a character, passes through
// unchanged on its own.
class UnicodeTools {
 public:
  using CharSet = std::set<std::string, std::less<>>;
  using CharMap = std::map<std::string, std::string, std::less<>>;

  UnicodeTools();
  ~UnicodeTools();

  // Each character that has a single uppercase letter is replaced by it;
  // everything else (uppercase, uncased, ß, four-byte characters) is kept.
  std::string upcase(const std::string& text) const;

  // Lowers one-byte characters with the current C locale's tolower; longer
  // characters are kept, so only ASCII letters change.
  std::string lowercase(const std::string& text) const;

  // Membership of one UTF-8 character; any other text is not a member.
  bool isLetter(const std::string& ch) const;
  bool isNumber(const std::string& ch) const;
  bool isPunct(const std::string& ch) const;
  bool isWS(const std::string& ch) const;

  // Adds every character of `text` to `set`.
  static void addSet(CharSet& set, const std::string& text);
  // Reads `text` as pairs of characters and maps the first of each pair to
  // the second. A last character without a partner is ignored.
  static void addMap(CharMap& map, const std::string& text);

 private:
  void initlCase();
  void initLetter();
  void initNumber();
  void initPunct();
  void initWS();

  CharSet letters;
  CharSet numbers;
  CharSet punctuation;
  CharSet ws;
  CharMap lcase;  // lowercase character -> its uppercase character
};
