// rules/KalRuleUtils.h
#pragma once

#include <string>
#include <vector>

// Text helpers shared by the readers of the rule model. All scanning follows
// the rule-file tokens where it matters for finding structure: a double-quoted
// word (with \" and \\ escapes) and a single-quoted literal are opaque, and
// ';' comments and #| |# comments outside them are not rule text.
class KalRuleUtils {
 public:
  // The decimal number at the start of `text` as the C library's atoi reads
  // it (white space, sign, digits; no digits gives 0), but saturating at the
  // ends of the range instead of overflowing.
  static int Atoi(const std::string& text);
  static long AtoL(const std::string& text);

  // Finds the next group between `open` and `close` at or after `start`,
  // counting nesting of the pair. Quoted text and comments are skipped both
  // while looking for the opening character and inside the group. On success
  // sets *openPos and *closePos to the positions of the two characters.
  static bool FindGroup(const std::string& text, size_t start, char open, char close,
                        size_t* openPos, size_t* closePos);

  // Position just after the quoted text or comment that begins at `pos`, or
  // `pos` itself when none begins there. An unterminated one runs to the end.
  static size_t SkipOpaque(const std::string& text, size_t pos);

  // `text` without its ';' and #| |# comments (line ends are kept).
  static std::string StripComments(const std::string& text);

  // Words of `text` split at white space.
  static std::vector<std::string> SplitWords(const std::string& text);

  // `text` without white space at either end.
  static std::string Trim(const std::string& text);

  // `text` inside double quotes, with '"' and '\' escaped by a backslash.
  static std::string Quote(const std::string& text);

  static bool IsSpace(char c);

  // Where position `p` ends up when the element at `from` moves to `to` and
  // the elements between slide towards `from`.
  static int GetShiftedPos(int from, int to, int p);

  // True when `text` is one non-quoted word of the rule syntax (letters,
  // digits, % ' * + - . ? _ and bytes 128 to 255, but not beginning with '),
  // as category names are.
  static bool IsTokenText(const std::string& text);

  // Tokens of equation text for comparing two texts as the engine reads
  // them: parentheses, quoted words and other words are tokens, white space
  // between them does not count, and a register is its lower-case letter and
  // number (X01 is x1).
  static std::vector<std::string> EquationTokens(const std::string& text);

  // Words of one side of an equation: split at white space, but a word that
  // begins with a double quote runs on to its closing quote, so "A Coruña" is
  // one word.
  static std::vector<std::string> SplitSideWords(const std::string& text);
};
