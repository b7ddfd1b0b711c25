// tests/transfer/TransferGrammarLexerTest.cpp
#include "tests/transfer/RecordingBuilder.h"

#include "TransferGrammarLexer.hpp"
#include "TransferGrammarTokenTypes.hpp"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace {

// The tokens of `text` as "NAME" or "NAME:text", separated by blanks, with
// the upper-case policy.
std::string Scan(const std::string& text) {
  static const std::map<int, std::string> kNames = {
      {TransferGrammarTokenTypes::LPAREN, "LPAREN"},
      {TransferGrammarTokenTypes::RPAREN, "RPAREN"},
      {TransferGrammarTokenTypes::LBRACKET, "LBRACKET"},
      {TransferGrammarTokenTypes::RBRACKET, "RBRACKET"},
      {TransferGrammarTokenTypes::LBRACE, "LBRACE"},
      {TransferGrammarTokenTypes::RBRACE, "RBRACE"},
      {TransferGrammarTokenTypes::COMMA, "COMMA"},
      {TransferGrammarTokenTypes::GRAMRULE, "GRAMRULE"},
      {TransferGrammarTokenTypes::LEXRULE, "LEXRULE"},
      {TransferGrammarTokenTypes::ALIGN, "ALIGN"},
      {TransferGrammarTokenTypes::TRANSDIR, "TRANSDIR"},
      {TransferGrammarTokenTypes::UNIFY, "UNIFY"},
      {TransferGrammarTokenTypes::OVERWRITE, "OVERWRITE"},
      {TransferGrammarTokenTypes::ASSIGNREMOVE, "ASSIGNREMOVE"},
      {TransferGrammarTokenTypes::APPEND, "APPEND"},
      {TransferGrammarTokenTypes::POP, "POP"},
      {TransferGrammarTokenTypes::CONSTRAIN, "CONSTRAIN"},
      {TransferGrammarTokenTypes::NEGATE, "NEGATE"},
      {TransferGrammarTokenTypes::TOPNODE, "TOPNODE"},
      {TransferGrammarTokenTypes::OPENCLASS, "OPENCLASS"},
      {TransferGrammarTokenTypes::DEBUG, "DEBUG"},
      {TransferGrammarTokenTypes::DEFINED, "DEFINED"},
      {TransferGrammarTokenTypes::UNDEFINED, "UNDEFINED"},
      {TransferGrammarTokenTypes::REMOVE, "REMOVE"},
      {TransferGrammarTokenTypes::OR, "OR"},
      {TransferGrammarTokenTypes::EOR, "EOR"},
      {TransferGrammarTokenTypes::NOT, "NOT"},
      {TransferGrammarTokenTypes::MULTIPLE, "MULTIPLE"},
      {TransferGrammarTokenTypes::SCORE, "SCORE"},
      {TransferGrammarTokenTypes::ESC, "ESC"},
  };
  RecordingBuilder builder;
  std::istringstream in(text);
  TransferGrammarLexer lexer(in);
  lexer.setBuilder(&builder);
  std::string out;
  for (;;) {
    antlr::RefToken t = lexer.nextToken();
    if (t->getType() == antlr::Token::EOF_TYPE) break;
    if (!out.empty()) out += ' ';
    auto it = kNames.find(t->getType());
    if (it != kNames.end()) {
      out += it->second;
    } else {
      switch (t->getType()) {
        case TransferGrammarTokenTypes::TOKEN:
          out += "TOKEN:";
          break;
        case TransferGrammarTokenTypes::WORD:
          out += "WORD:";
          break;
        case TransferGrammarTokenTypes::LITERAL:
          out += "LITERAL:";
          break;
        case TransferGrammarTokenTypes::SKIP:
          out += "SKIP:";
          break;
        case TransferGrammarTokenTypes::CONSTITUENT:
          out += "CONSTITUENT:";
          break;
        default:
          out += "?" + std::to_string(t->getType()) + ":";
          break;
      }
      out += t->getText();
    }
  }
  return out;
}

TEST(TransferGrammarLexer, TokensOfEveryKind) {
  struct Case {
    const char* text;
    const char* tokens;
  };
  const Case kCases[] = {
      {"( ) [ ] { } , : |: :: -> <-> = <= == > < =c =C =n =N",
       "LPAREN RPAREN LBRACKET RBRACKET LBRACE RBRACE COMMA GRAMRULE LEXRULE ALIGN TRANSDIR "
       "TRANSDIR UNIFY OVERWRITE ASSIGNREMOVE APPEND POP CONSTRAIN CONSTRAIN NEGATE NEGATE"},
      {"TOPNODE topnode OPENCLASS openclass DEBUG debug",
       "TOPNODE TOPNODE OPENCLASS OPENCLASS DEBUG DEBUG"},
      {"*defined* *UNDEFINED* *remove* *OR* *eor* *NOT* *multiple* *SCORE*",
       "DEFINED UNDEFINED REMOVE OR EOR NOT MULTIPLE SCORE"},
      // Keywords need no separator after them; constituents are cut after
      // their digits.
      {"debugging y2k x12a X0",
       "DEBUG TOKEN:GING CONSTITUENT:Y2 TOKEN:K CONSTITUENT:X12 TOKEN:A CONSTITUENT:X0"},
      {"x y xy noun-phrase 0.25 -1e-05 100% a'b *x ?_+",
       "TOKEN:X TOKEN:Y TOKEN:XY TOKEN:NOUN-PHRASE TOKEN:0.25 "
       "TOKEN:-1E-05 TOKEN:100% TOKEN:A'B TOKEN:*X TOKEN:?_+"},
      {"\"the house\" \"a\\\"b\\\\c\" \"\"", "WORD:THE HOUSE WORD:A\"B\\C WORD:"},
      {"'De' 'it''s' ''", "LITERAL:De LITERAL:it LITERAL:s LITERAL:"},
      {"## #12 # N", "SKIP:# SKIP:12 SKIP: TOKEN:N"},
      {"a ; comment ( [\nb #| block\n ( |# c", "TOKEN:A TOKEN:B TOKEN:C"},
      {"; comment on the last line", ""},
      // Bytes 128-255 are letters and pass the byte-wise case policy as they are.
      {"caf\xc3\xa9 \xe9t\xe9", "TOKEN:CAF\xc3\xa9 TOKEN:\xe9T\xe9"},
      // Characters that begin no token vanish.
      {"a/b&c!d$e^f~g", "TOKEN:A TOKEN:B TOKEN:C TOKEN:D TOKEN:E TOKEN:F TOKEN:G"},
      {"\\\" \\\\", "ESC ESC"},
  };
  for (const Case& c : kCases) EXPECT_EQ(c.tokens, Scan(c.text)) << c.text;
}

TEST(TransferGrammarLexer, UnfinishedTokensAreDroppedWithTheFailingCharacter) {
  struct Case {
    const char* text;
    const char* tokens;
  };
  const Case kCases[] = {
      // Mixed-case keywords: the letters up to the mismatch go.
      {"Topnode S", "TOKEN:PNODE TOKEN:S"},
      {"*Or* x", "TOKEN:* TOKEN:X"},
      {"DeBUG", "TOKEN:BUG"},
      // A stray bar and a bad escape.
      {"a |b c", "TOKEN:A TOKEN:C"},
      {"\\q r", "TOKEN:R"},
      {"\"ab\\xcd\" e", "TOKEN:CD"},
      // Unterminated strings and comments consume the rest of the input.
      {"a \"never closed ) ]", "TOKEN:A"},
      {"a 'never closed ) ]", "TOKEN:A"},
      {"a #| never closed", "TOKEN:A"},
      {"a '", "TOKEN:A TOKEN:'"},
  };
  for (const Case& c : kCases) EXPECT_EQ(c.tokens, Scan(c.text)) << c.text;
}

}  // namespace
