// tests/transfer/UnicodeToolsTest.cpp
#include "transfer/UnicodeTools.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// UTF-8 encoding of one code point of the Basic Multilingual Plane.
std::string U(unsigned cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

class UnicodeToolsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { tools_ = new UnicodeTools(); }
  static void TearDownTestSuite() {
    delete tools_;
    tools_ = nullptr;
  }
  static UnicodeTools* tools_;
};
UnicodeTools* UnicodeToolsTest::tools_ = nullptr;

// Walks the whole plane through the public queries, so the counts cover what
// callers see rather than how the tables are stored.
TEST_F(UnicodeToolsTest, TableSizesAndBounds) {
  int letters = 0, numbers = 0, punct = 0, spaces = 0, cased = 0;
  unsigned firstLetter = 0, lastLetter = 0, firstCased = 0, lastCased = 0;
  for (unsigned cp = 0; cp < 0x10000; ++cp) {
    const std::string ch = U(cp);
    if (tools_->isLetter(ch)) {
      if (letters++ == 0) firstLetter = cp;
      lastLetter = cp;
    }
    numbers += tools_->isNumber(ch);
    punct += tools_->isPunct(ch);
    spaces += tools_->isWS(ch);
    if (tools_->upcase(ch) != ch) {
      if (cased++ == 0) firstCased = cp;
      lastCased = cp;
    }
  }
  EXPECT_EQ(6795, letters);
  EXPECT_EQ(431, numbers);
  EXPECT_EQ(298, punct);
  EXPECT_EQ(19, spaces);
  EXPECT_EQ(660, cased);
  EXPECT_EQ(0x41u, firstLetter);   // A
  EXPECT_EQ(0xFFDCu, lastLetter);  // halfwidth Hangul letter i
  EXPECT_EQ(0x61u, firstCased);    // a
  EXPECT_EQ(0xFF5Au, lastCased);   // fullwidth small z
}

TEST_F(UnicodeToolsTest, Upcase) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case kCases[] = {
      {"", ""},
      {"straße", "STRAßE"},  // ß has no single uppercase letter
      {"é", "É"},
      {"ς", "Σ"},
      {"ı", "I"},
      {"ſ", "S"},
      {"µ", "Μ"},  // micro sign to Greek capital mu
      {"ϲ", "Σ"},  // lunate sigma to capital sigma, as 3.1 maps it
      {"ᾳ", "ᾼ"},  // ypogegrammeni to prosgegrammeni
      {"ǆ", "Ǆ"},
      {"ǅ", "ǅ"},  // titlecase letters are not mapped
      {"ａｚ", "ＡＺ"},
      {"ÀÉΣ ЖZ", "ÀÉΣ ЖZ"},
      {"ⅰⓐ", "ⅰⓐ"},  // small Roman numerals and circled letters are not Ll
      {"ƀა", "ƀა"},  // their uppercase letters came after 3.1
      {"𐐨x", "𐐨X"},  // four-byte characters pass unchanged
      {"mixed Ünïcödé 123!", "MIXED ÜNÏCÖDÉ 123!"},
  };
  for (const Case& c : kCases) EXPECT_EQ(c.out, tools_->upcase(c.in)) << c.in;
}

TEST_F(UnicodeToolsTest, LowercaseTouchesOnlyAscii) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case kCases[] = {
      {"", ""},
      {"HELLO World", "hello world"},
      {"ÉΣ", "ÉΣ"},
      {"ABCÉDEF ЖΣ", "abcÉdef ЖΣ"},
      {"ＡＺ𐐀Q", "ＡＺ𐐀q"},
  };
  for (const Case& c : kCases) EXPECT_EQ(c.out, tools_->lowercase(c.in)) << c.in;
}

TEST_F(UnicodeToolsTest, CharacterClasses) {
  struct Case {
    unsigned cp;
    bool letter, number, punct, space;
  };
  const Case kCases[] = {
      {'A', true, false, false, false},
      {'5', false, true, false, false},
      {'!', false, false, true, false},
      {'\t', false, false, false, false},
      {' ', false, false, false, true},
      {0x3000, false, false, false, true},   // ideographic space
      {0x0660, false, true, false, false},   // Arabic-Indic digit zero
      {0x0669, false, true, false, false},   // Arabic-Indic digit nine
      {0x216B, false, true, false, false},   // Roman numeral twelve
      {0x00AD, false, false, true, false},   // soft hyphen
      {0x166D, false, false, true, false},   // Canadian syllabics chi sign
      {0x17D7, false, false, true, false},   // Khmer sign lek too
      {0x17DC, false, false, true, false},   // Khmer sign avakrahasanya
      {0x1885, true, false, false, false},   // Mongolian ali gali baluda
      {0x1886, true, false, false, false},   // Mongolian ali gali three baluda
      {0x200B, false, false, false, true},   // zero width space
      {0x180E, false, false, false, false},  // Mongolian vowel separator
      {0x205F, false, false, false, false},  // medium mathematical space (3.2)
      {0x0B83, false, false, false, false},  // Tamil sign visarga (a mark in 3.1)
      {0x4E00, true, false, false, false},   // ideograph ranges: only the ends
      {0x4E01, false, false, false, false},
      {0x9FA5, true, false, false, false},
      {0xAC00, true, false, false, false},
      {0xAC01, false, false, false, false},
      {0xD7A3, true, false, false, false},
      {0xFFDC, true, false, false, false},
  };
  for (const Case& c : kCases) {
    const std::string ch = U(c.cp);
    EXPECT_EQ(c.letter, tools_->isLetter(ch)) << std::hex << c.cp;
    EXPECT_EQ(c.number, tools_->isNumber(ch)) << std::hex << c.cp;
    EXPECT_EQ(c.punct, tools_->isPunct(ch)) << std::hex << c.cp;
    EXPECT_EQ(c.space, tools_->isWS(ch)) << std::hex << c.cp;
  }
  for (const char* notOneChar : {"", "AB", "\xE3\x80", "\xF0\x90\x90\x80"}) {
    EXPECT_FALSE(tools_->isLetter(notOneChar)) << notOneChar;
    EXPECT_FALSE(tools_->isWS(notOneChar)) << notOneChar;
  }
}

// A character whose lead byte promises more bytes than the text has must not
// take bytes from beyond the end: the output is exactly the input's bytes.
TEST_F(UnicodeToolsTest, CharacterCutAtEnd) {
  struct Case {
    std::string in, up, low;
  };
  const Case kCases[] = {
      {"abc\xC3", "ABC\xC3", "abc\xC3"},
      {"ABC\xE4\xB8", "ABC\xE4\xB8", "abc\xE4\xB8"},
      {"x\xF0\x90\x90", "X\xF0\x90\x90", "x\xF0\x90\x90"},
      {"\xF7", "\xF7", "\xF7"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(c.up, tools_->upcase(c.in)) << c.in;
    EXPECT_EQ(c.low, tools_->lowercase(c.in)) << c.in;
  }
}

// 0xF8-0xFF can never lead a character: such a byte passes through alone and
// the character after it is converted as usual.
TEST_F(UnicodeToolsTest, InvalidLeadBytesPassAlone) {
  for (int b = 0xF8; b <= 0xFF; ++b) {
    const std::string bad(1, static_cast<char>(b));
    EXPECT_EQ("A" + bad + "É" + bad, tools_->upcase("a" + bad + "é" + bad)) << b;
    EXPECT_EQ("a" + bad + "bÉ" + bad, tools_->lowercase("A" + bad + "BÉ" + bad)) << b;
    EXPECT_FALSE(tools_->isLetter(bad)) << b;
  }
}

// Bytes with the high bit set are negative as plain char; a lone one must
// reach the output unchanged, never through the locale's conversion.
TEST_F(UnicodeToolsTest, HighBytesAloneAreNotConverted) {
  for (int b = 0x80; b <= 0xFF; ++b) {
    const std::string lone(1, static_cast<char>(b));
    EXPECT_EQ(lone, tools_->lowercase(lone)) << b;
    EXPECT_EQ(lone, tools_->upcase(lone)) << b;
    EXPECT_EQ("Z" + lone, tools_->upcase("z" + lone)) << b;
  }
}

TEST(UnicodeToolsBuilders, SplitTextIntoCharacters) {
  UnicodeTools::CharSet set;
  UnicodeTools::addSet(set, "aé€𐐀a");
  EXPECT_EQ((UnicodeTools::CharSet{"a", "é", "€", "𐐀"}), set);

  UnicodeTools::CharMap map;
  UnicodeTools::addMap(map, "aAéÉ€");  // the unpaired € is dropped
  EXPECT_EQ((UnicodeTools::CharMap{{"a", "A"}, {"é", "É"}}), map);
}

}  // namespace
