// Feature-structure text: one or more structures, each a parenthesised list
// of (feature value) pairs. A value is a word, a quoted word, a nested list
// of pairs, an (*or* ...) group of words or a (*multiple* ...) group of
// structures. Feature names and words are upper-cased.
//
// The parser builds each structure in place: the names of the open pairs
// form the path of every value stored. A syntax error is reported in the
// runtime's usual form; the structure or pair in which it occurs puts back
// the stacks it found on entry and skips to its own closing parenthesis, so
// reading goes on with what follows it. A structure in which an error
// occurred is not handed out.

header "pre_include_hpp" {
#include "kernel/fStruc.h"

#include <cctype>
#include <set>
#include <string>
#include <vector>

class TransferEngine;
}

options {
  language = "Cpp";
}

class FStructParser extends Parser;
options {
  k = 2;
  exportVocab = FStruct;
  buildAST = false;
  // Every rule has its own handler below.
  defaultErrorHandler = false;
}

tokens {
  LPAREN; RPAREN; TOKEN; WORD; OR; MULTIPLE; SL_COMMENT; ML_COMMENT; WS; ESC;
}

{
 public:
  // Keeps count of the parentheses open at the current token.
  void consume() override {
    const int t = LA(1);
    if (t == LPAREN)
      ++depth;
    else if (t == RPAREN)
      --depth;
    LLkParser::consume();
  }

  void setTransfer(TransferEngine* engine) { te = engine; }
  void setFSS(ANTLR_USE_NAMESPACE(std)vector<UKernel::FStruc>* out) { lexfss = out; }
  void setDebug(bool on) { debug = on; }

  // Pairs open at once, counted across multiple groups; deeper text is
  // refused rather than followed down the stack.
  static constexpr size_t kMaxDepth = 500;

  void reportError(const ANTLR_USE_NAMESPACE(antlr)RecognitionException& ex) override {
    broken = true;
    Parser::reportError(ex);
  }

 private:
  // What a rule restores when it meets an error.
  struct Marks {
    size_t path = 0, ignores = 0, structs = 0;
    int multiple = 0;
    int depth = 0;
  };
  Marks marks() const {
    return {featurepath.size(), ignore.size(), fstructstack.size(), inmultiple, depth};
  }
  void restore(const Marks& m) {
    if (featurepath.size() > m.path) featurepath.resize(m.path);
    if (ignore.size() > m.ignores) ignore.resize(m.ignores);
    if (fstructstack.size() > m.structs)
      fstructstack.erase(fstructstack.begin() + static_cast<std::ptrdiff_t>(m.structs),
                         fstructstack.end());
    inmultiple = m.multiple;
  }
  // Skips up to and including the parenthesis that closes the one opened
  // at nesting depth d, or to the end of the input.
  void skipToDepth(int d) {
    while (LA(1) != ANTLR_USE_NAMESPACE(antlr)Token::EOF_TYPE && depth > d) consume();
  }

  void beginStruct();
  void endStruct();
  void stackFeature(const ANTLR_USE_NAMESPACE(std)string& name);
  void checkPath();
  void endPair();
  void storeValue(const UKernel::Value& v);
  void beginMultiple(ANTLR_USE_NAMESPACE(std)vector<ANTLR_USE_NAMESPACE(std)string>& saved);
  void endMember(ANTLR_USE_NAMESPACE(std)vector<UKernel::FStruc>& members);
  void endMultiple(const ANTLR_USE_NAMESPACE(std)vector<ANTLR_USE_NAMESPACE(std)string>& saved,
                   const ANTLR_USE_NAMESPACE(std)vector<UKernel::FStruc>& members);
  void checkDepth();
  bool ignored() const;

  ANTLR_USE_NAMESPACE(std)vector<ANTLR_USE_NAMESPACE(std)string> featurepath;
  ANTLR_USE_NAMESPACE(std)vector<bool> ignore;  // one per open pair: its path is a duplicate
  ANTLR_USE_NAMESPACE(std)set<ANTLR_USE_NAMESPACE(std)string> currentpaths;
  int inmultiple = 0;
  ANTLR_USE_NAMESPACE(std)vector<UKernel::FStruc> fstructstack;
  ANTLR_USE_NAMESPACE(std)vector<UKernel::FStruc>* lexfss = nullptr;
  bool debug = false;
  bool broken = false;  // an error occurred in the structure being read
  int depth = 0;        // parentheses open
  TransferEngine* te = nullptr;
}

fstructs
  : ( fstruct )+ EOF
  ;
  exception
  catch [ANTLR_USE_NAMESPACE(antlr)RecognitionException& ex] {
    reportError(ex);
    restore(Marks{});
    while (LA(1) != ANTLR_USE_NAMESPACE(antlr)Token::EOF_TYPE) consume();
  }

fstruct
{ const Marks m = marks(); }
  : LPAREN { beginStruct(); } fvpairs RPAREN { endStruct(); }
  ;
  exception
  catch [ANTLR_USE_NAMESPACE(antlr)RecognitionException& ex] {
    reportError(ex);
    restore(m);
    skipToDepth(m.depth);
  }

fvpairs
  : ( fvpair )*
  ;

// Errors in the name or the value of a pair are recovered here: the pair is
// dropped up to its closing parenthesis.
fvpair
{ const Marks m = marks(); }
  : LPAREN { checkDepth(); } feature { checkPath(); } value RPAREN { endPair(); }
  ;
  exception
  catch [ANTLR_USE_NAMESPACE(antlr)RecognitionException& ex] {
    reportError(ex);
    restore(m);
    skipToDepth(m.depth);
  }

feature
  : t:TOKEN { stackFeature(t->getText()); }
  ;

value
  : t:TOKEN { storeValue(UKernel::Value(UKernel::Symbol(t->getText()))); }
  | w:WORD { storeValue(UKernel::Value(UKernel::Symbol(w->getText()))); }
  | LPAREN ( fvpair )+ RPAREN
  | orgroup
  | multiplegroup
  ;

orgroup
{ UKernel::Value v{UKernel::Symbol(UKernel::OR)}; }
  : LPAREN OR
    ( t:TOKEN { v.insert(v.root(), v.root()->size(), UKernel::Symbol(t->getText())); }
    | w:WORD { v.insert(v.root(), v.root()->size(), UKernel::Symbol(w->getText())); }
    )+
    RPAREN { v.compact(); storeValue(v); }
  ;

multiplegroup
{
  ANTLR_USE_NAMESPACE(std)vector<ANTLR_USE_NAMESPACE(std)string> saved;
  ANTLR_USE_NAMESPACE(std)vector<UKernel::FStruc> members;
  bool open = false;
}
  : LPAREN MULTIPLE { beginMultiple(saved); open = true; }
    ( LPAREN { fstructstack.emplace_back(); } ( fvpair )+ RPAREN { endMember(members); } )+
    RPAREN { open = false; endMultiple(saved, members); }
  ;
  exception
  catch [ANTLR_USE_NAMESPACE(antlr)RecognitionException& ex] {
    // The enclosing pair recovers; it needs its own path back first.
    if (open) {
      featurepath = saved;
      --inmultiple;
    }
    throw;
  }

// ---------------------------------------------------------------------------

// Characters that begin no token are dropped without a word (filter mode).
// Once a comment, a quoted word or a keyword has begun, it must be finished:
// such a token that breaks off is an error that ends the reading.
class FStructLexer extends Lexer;
options {
  k = 2;
  importVocab = FStruct;
  charVocabulary = '\u0000'..'\u00FF';
  testLiterals = false;
  filter = true;
}

{
 private:
  // Upper-cases the text of the token being built, byte by byte.
  void upcaseText(ANTLR_USE_NAMESPACE(std)string::size_type begin) {
    for (ANTLR_USE_NAMESPACE(std)string::size_type i = begin; i < text.length(); ++i)
      text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
  }
}

WS
  : ( ' ' | '\t' | '\f'
    | '\r' ( options { greedy = true; } : '\n' )? { newline(); }
    | '\n' { newline(); }
    )
    { $setType(ANTLR_USE_NAMESPACE(antlr)Token::SKIP); }
  ;

SL_COMMENT
  : ';' ( ~('\n' | '\r') )*
    { $setType(ANTLR_USE_NAMESPACE(antlr)Token::SKIP); }
  ;

// A "#" that does not open a comment begins no token and is dropped.
ML_COMMENT
  : '#'
    ( options { greedy = true; }
    : '|' { setCommitToPath(true); }
      ( options { greedy = false; }
      : '\r' ( options { greedy = true; } : '\n' )? { newline(); }
      | '\n' { newline(); }
      | ~('\r' | '\n')
      )*
      "|#"
    )?
    { $setType(ANTLR_USE_NAMESPACE(antlr)Token::SKIP); }
  ;

LPAREN : '(' ;

RPAREN : ')' ;

OR
  : '*' 'o' { setCommitToPath(true); } "r*"
  ;

MULTIPLE
  : '*' 'm' { setCommitToPath(true); } "ultiple*"
  ;

protected ESC
  : '\\'! ( '"' | '\\' )
  ;

WORD
  : '"'! { setCommitToPath(true); }
    ( ESC
    | '\r' ( options { greedy = true; } : '\n' )? { newline(); }
    | '\n' { newline(); }
    | ~('"' | '\\' | '\r' | '\n')
    )*
    '"'!
    { upcaseText(_begin); }
  ;

TOKEN
  : ~('\u0000' | '\u0001' | '\u0002' | '\t' | '\n' | '\f' | '\r' | ' ' | '"' | '#' | '%'
     | '(' | ')' | '*' | ';' | '|')
    ( ~('\u0000' | '\u0001' | '\u0002' | '\t' | '\n' | '\f' | '\r' | ' ' | '"' | '#' | '%'
       | '(' | ')' | ';' | '=' | '|')
    )*
    { upcaseText(_begin); }
  ;
