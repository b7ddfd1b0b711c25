// transfer/UnicodeTools.cpp
#include "transfer/UnicodeTools.h"

#include "transfer/UnicodeTables.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

// Length of the character led by `lead`, or 0 for a byte that cannot start
// one (0xF8-0xFF).
size_t leadLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  if (lead <= 0xF7) return 4;
  return 0;
}

// Calls visit(ch) for each character of `text` in order, where ch is a view
// of its bytes: a character cut at the end of the text is clamped to the bytes
// left, and a stray 0xF8-0xFF byte is passed on alone.
template <typename Visit>
void forEachChar(std::string_view text, Visit visit) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t len = leadLength(static_cast<unsigned char>(text[pos]));
    if (len == 0) len = 1;
    len = std::min(len, text.size() - pos);
    visit(text.substr(pos, len));
    pos += len;
  }
}

bool holdsChar(const UnicodeTools::CharSet& set, const std::string& ch) {
  return set.count(ch) != 0;
}

}  // namespace

UnicodeTools::UnicodeTools() {
  initlCase();
  initLetter();
  initNumber();
  initPunct();
  initWS();
}

UnicodeTools::~UnicodeTools() = default;

void UnicodeTools::initlCase() { addMap(lcase, unicode_tables::kLowerUpperPairs); }
void UnicodeTools::initLetter() { addSet(letters, unicode_tables::kLetters); }
void UnicodeTools::initNumber() { addSet(numbers, unicode_tables::kNumbers); }
void UnicodeTools::initPunct() { addSet(punctuation, unicode_tables::kPunctuation); }
void UnicodeTools::initWS() { addSet(ws, unicode_tables::kSpaces); }

void UnicodeTools::addSet(CharSet& set, const std::string& text) {
  forEachChar(text, [&set](std::string_view ch) { set.emplace(ch); });
}

void UnicodeTools::addMap(CharMap& map, const std::string& text) {
  std::string_view key;
  bool haveKey = false;
  forEachChar(text, [&](std::string_view ch) {
    if (haveKey)
      map.emplace(key, ch);
    else
      key = ch;
    haveKey = !haveKey;
  });
}

std::string UnicodeTools::upcase(const std::string& text) const {
  std::string result;
  result.reserve(text.size());
  forEachChar(text, [&](std::string_view ch) {
    auto it = lcase.find(ch);
    result.append(it != lcase.end() ? std::string_view(it->second) : ch);
  });
  return result;
}

std::string UnicodeTools::lowercase(const std::string& text) const {
  std::string result;
  result.reserve(text.size());
  forEachChar(text, [&](std::string_view ch) {
    // A lone byte of 0x80 or above is a cut character or a stray byte, not
    // a character the locale should convert.
    unsigned char byte = static_cast<unsigned char>(ch[0]);
    if (ch.size() == 1 && byte < 0x80)
      result.push_back(static_cast<char>(std::tolower(byte)));
    else
      result.append(ch);
  });
  return result;
}

bool UnicodeTools::isLetter(const std::string& ch) const { return holdsChar(letters, ch); }
bool UnicodeTools::isNumber(const std::string& ch) const { return holdsChar(numbers, ch); }
bool UnicodeTools::isPunct(const std::string& ch) const { return holdsChar(punctuation, ch); }
bool UnicodeTools::isWS(const std::string& ch) const { return holdsChar(ws, ch); }
