// Transfer rule files: grammar and lexicon files share this syntax.
//
// The parser reads with up to three tokens of look-ahead and hands
// everything it reads to a RuleReadState, which checks rules, sorts the
// equations into their groups and passes them on to a RuleFileBuilder.
// Syntax errors are reported in the runtime's usual form and recovered by
// skipping to a token that may follow the production; the skip sets of
// `rule`, `equation` and `equationsgroup` are spelled out below because those
// productions also close what the error cut short.

header "post_include_hpp" {
#include "transfer/RuleReadState.h"
#include <antlr/BitSet.hpp>
}

options {
  language = "Cpp";
}

class TransferGrammarParser extends Parser;
options {
  k = 3;
  exportVocab = TransferGrammar;
  defaultErrorHandler = true;
  buildAST = false;
}

tokens {
  LPAREN; TOPNODE; TOKEN; RPAREN; OPENCLASS; DEBUG; GRAMRULE; LEXRULE;
  TRANSDIR; LBRACE; COMMA; RBRACE; ALIGN; LBRACKET; WORD; SKIP; RBRACKET;
  LITERAL; CONSTITUENT; SCORE; UNIFY; OVERWRITE; ASSIGNREMOVE; REMOVE;
  APPEND; POP; CONSTRAIN; NEGATE; OR; EOR; CASE; LAPREN; TEST; DEFINED;
  UNDEFINED; NUMBER; INTEGER; POSITIVE; NOT; MULTIPLE;
}

{
 public:
  void setState(RuleReadState* state) { r = state; }

  void reportError(const ANTLR_USE_NAMESPACE(antlr)RecognitionException& ex) override {
    r->syntaxError(ex.toString());
  }
  void reportError(const ANTLR_USE_NAMESPACE(std)string& s) override {
    r->syntaxError(getFilename() + ": error: " + s);
  }
  void reportWarning(const ANTLR_USE_NAMESPACE(std)string& s) override {
    r->syntaxError(getFilename() + ": warning: " + s);
  }

 private:
  RuleReadState* r = nullptr;

  static bool isOperator(int t) {
    return t == UNIFY || t == OVERWRITE || t == ASSIGNREMOVE || t == REMOVE || t == APPEND ||
           t == POP || t == CONSTRAIN || t == NEGATE;
  }

  // Whether another equation follows in a list of equations.
  bool equationFollows() {
    const int t2 = LA(2), t3 = LA(3);
    return LA(1) == LPAREN &&
           (t2 == LPAREN || t2 == CONSTITUENT || t2 == SCORE || t2 == OR || t2 == EOR) &&
           (t3 == LPAREN || t3 == TOKEN || t3 == ALIGN || t3 == CONSTITUENT || isOperator(t3));
  }

  // Whether an alternative of a block is a parenthesised list of equations
  // rather than a single equation.
  bool listFollows() {
    const int t2 = LA(2), t3 = LA(3);
    return LA(1) == LPAREN && (t2 == LPAREN || t2 == RPAREN) &&
           (t3 == LPAREN || t3 == RPAREN || t3 == CONSTITUENT || t3 == SCORE || t3 == OR ||
            t3 == EOR);
  }

  // Error recovery for the productions with their own handler: skip at
  // least one token, then up to one of `stops`.
  void resync(std::initializer_list<int> stops) {
    consume();
    for (;;) {
      const int t = LA(1);
      if (t == EOF_) return;
      for (int s : stops)
        if (t == s) return;
      consume();
    }
  }
  static constexpr int EOF_ = ANTLR_USE_NAMESPACE(antlr)Token::EOF_TYPE;
}

rules
  : ( rule | debugrule | openclasslist | topnoderule )+ EOF
  ;

debugrule
  : LPAREN DEBUG { r->debugDirective(); } RPAREN
  ;

openclasslist
  : LPAREN OPENCLASS ( t:TOKEN { r->openClass(t->getText()); } )+ RPAREN
  ;

topnoderule
  : LPAREN TOPNODE ( t:TOKEN { r->topNode(t->getText()); } )+ RPAREN
  ;

rule
  : { r->startRule(); }
    ( rulename )?
    topMatch
    ( LEXRULE { r->lexical(); } | GRAMRULE )?
    srcConstituents
    TRANSDIR
    tgtConstituents { r->headerDone(); }
    LPAREN equations RPAREN { r->endRule(); }
  ;
  exception
  catch [ANTLR_USE_NAMESPACE(antlr)RecognitionException& ex] {
    reportError(ex);
    r->abandonRule();
    resync({LPAREN, TOKEN, LBRACE});
  }

rulename
  : LBRACE n:TOKEN COMMA i:TOKEN { r->ruleName(n->getText(), i->getText()); } RBRACE
  ;

topMatch
  : s:TOKEN { r->sourceLhs(s->getText()); } ALIGN t:TOKEN { r->targetLhs(t->getText()); }
  ;

srcConstituents
  : LBRACKET { r->sourceStart(); }
    ( w:WORD { r->sourceWord(w->getText()); }
    | t:TOKEN { r->sourceCategory(t->getText()); }
    | s:SKIP { r->skipMark(s->getText()); }
    )+
    RBRACKET { r->sourceEnd(); }
  ;

tgtConstituents
  : LBRACKET { r->targetStart(); }
    ( w:WORD { r->targetWord(w->getText(), false); }
    | l:LITERAL { r->targetWord(l->getText(), true); }
    | t:TOKEN { r->targetCategory(t->getText()); }
    )*
    RBRACKET { r->targetEnd(); }
  ;

equations
  : ( { equationFollows() }? equation )*
  ;

equation
{ const std::size_t depth = r->depth(); }
  : LPAREN a:CONSTITUENT ALIGN b:CONSTITUENT RPAREN { r->alignment(a->getText(), b->getText()); }
  | LPAREN SCORE s:TOKEN RPAREN { r->score(s->getText()); }
  | LPAREN { r->beginEquation(); }
    lpath
    ( UNIFY { r->op(RuleReadState::Op::Unify); }
    | OVERWRITE { r->op(RuleReadState::Op::Overwrite); }
    | ASSIGNREMOVE { r->op(RuleReadState::Op::AssignRemove); }
    | REMOVE { r->op(RuleReadState::Op::RemoveOp); }
    | APPEND { r->op(RuleReadState::Op::Append); }
    | POP { r->op(RuleReadState::Op::Pop); }
    | CONSTRAIN { r->op(RuleReadState::Op::Constrain); }
    | NEGATE { r->op(RuleReadState::Op::Negate); }
    )
    eqrightside
    RPAREN { r->endEquation(); }
  | LPAREN OR { r->beginBlock(BlockKind::Or); } ( equationsgroup )+ RPAREN { r->endBlock(); }
  | LPAREN EOR { r->beginBlock(BlockKind::Eor); } ( equationsgroup )+ RPAREN { r->endBlock(); }
  ;
  exception
  catch [ANTLR_USE_NAMESPACE(antlr)RecognitionException& ex] {
    reportError(ex);
    r->unwindTo(depth);
    resync({LPAREN, RPAREN});
  }

equationsgroup
{ const std::size_t depth = r->depth(); }
  : { listFollows() }? LPAREN { r->beginAlternative(); } equations RPAREN { r->endAlternative(); }
  | { r->beginAlternative(); } equation { r->endAlternative(); }
  ;
  exception
  catch [ANTLR_USE_NAMESPACE(antlr)RecognitionException& ex] {
    reportError(ex);
    r->unwindTo(depth);
    resync({LPAREN, RPAREN});
  }

lpath
  : c:CONSTITUENT { r->leftPath(c->getText()); }
  | LPAREN c2:CONSTITUENT { r->leftPath(c2->getText()); } pathvals RPAREN
  ;

rpath
  : c:CONSTITUENT { r->rightPath(c->getText()); }
  | LPAREN c2:CONSTITUENT { r->rightPath(c2->getText()); } pathvals RPAREN
  ;

pathvals
  : ( t:TOKEN { r->pathFeature(t->getText()); } )+
  ;

eqrightside
  : REMOVE { r->rhs(RuleReadState::Rhs::Remove); }
  | DEFINED { r->rhs(RuleReadState::Rhs::Defined); }
  | UNDEFINED { r->rhs(RuleReadState::Rhs::Undefined); }
  | value
  | rpath
  ;

value
  : t:TOKEN { r->valueAtom(t->getText()); r->rhs(RuleReadState::Rhs::Value); }
  | w:WORD { r->valueAtom(w->getText()); r->rhs(RuleReadState::Rhs::Value); }
  | l:LITERAL { r->valueAtom(l->getText()); r->rhs(RuleReadState::Rhs::Value); }
  | disjunctivevalue
  | negativevalue
  | multiplevalue
  ;

disjunctivevalue
  : LPAREN OR { r->valueList(RuleValue::Kind::Or); }
    ( t:TOKEN { r->valueItem(t->getText()); }
    | w:WORD { r->valueItem(w->getText()); }
    | l:LITERAL { r->valueItem(l->getText()); }
    )+
    RPAREN { r->rhs(RuleReadState::Rhs::Value); }
  ;

negativevalue
  : LPAREN NOT { r->valueList(RuleValue::Kind::Not); }
    ( t:TOKEN { r->valueItem(t->getText()); }
    | w:WORD { r->valueItem(w->getText()); }
    | l:LITERAL { r->valueItem(l->getText()); }
    )+
    RPAREN { r->rhs(RuleReadState::Rhs::Value); }
  ;

multiplevalue
  : LPAREN MULTIPLE ( TOKEN )+ RPAREN { r->rhs(RuleReadState::Rhs::Multiple); }
  ;

// ---------------------------------------------------------------------------

class TransferGrammarLexer extends Lexer;
options {
  k = 5;
  exportVocab = TransferGrammar;
  charVocabulary = '\u0000'..'\u00FF';
  testLiterals = false;
  // nextToken drops a character that begins no token. A token that cannot
  // be completed must not be produced, so the rules themselves have no
  // handler (NOERR below): their failure goes to nextToken too, which drops
  // the failing character and scans on.
  defaultErrorHandler = true;
}

{
 public:
  void setBuilder(RuleFileBuilder* b) { builder = b; }

  // A character that begins no token, or at which a started token fails,
  // is dropped silently; the parser reports what then goes missing.
  void reportError(const ANTLR_USE_NAMESPACE(antlr)RecognitionException&) override {}
  void reportError(const ANTLR_USE_NAMESPACE(std)string&) override {}
  void reportWarning(const ANTLR_USE_NAMESPACE(std)string&) override {}

 private:
  RuleFileBuilder* builder = nullptr;

  // The body of a block comment up to and including "|#", or to the end of
  // the input: a comment left open swallows the rest of the text.
  void skipCommentBody() {
    for (;;) {
      const int c = LA(1);
      if (c == EOF_CHAR) return;
      if (c == '|' && LA(2) == '#') {
        match("|#");
        return;
      }
      consume();
      if (c == '\n' || (c == '\r' && LA(1) != '\n')) newline();
    }
  }

  ANTLR_USE_NAMESPACE(std)string normalized(const ANTLR_USE_NAMESPACE(std)string& s) {
    return builder ? builder->normalizeCase(s) : s;
  }
}

SL_COMMENT options { defaultErrorHandler = false; }
  : ';' ( ~('\n' | '\r') )* ( '\n' | '\r' ( options { greedy = true; } : '\n' )? )?
    { newline(); $setType(ANTLR_USE_NAMESPACE(antlr)Token::SKIP); }
  ;

ML_COMMENT options { defaultErrorHandler = false; }
  : "#|" { skipCommentBody(); }
    { $setType(ANTLR_USE_NAMESPACE(antlr)Token::SKIP); }
  ;

WS options { defaultErrorHandler = false; }
  : ( ' ' | '\t' | '\f'
    | '\r' ( options { greedy = true; } : '\n' )? { newline(); }
    | '\n' { newline(); }
    )
    { $setType(ANTLR_USE_NAMESPACE(antlr)Token::SKIP); }
  ;

ESC options { defaultErrorHandler = false; }
  : '\\'! ( '"' | '\\' )
  ;

LPAREN options { paraphrase = "'('"; defaultErrorHandler = false; } : '(' ;
RPAREN options { paraphrase = "')'"; defaultErrorHandler = false; } : ')' ;
LBRACKET options { defaultErrorHandler = false; } : '[' ;
RBRACKET options { defaultErrorHandler = false; } : ']' ;
LBRACE options { defaultErrorHandler = false; } : '{' ;
RBRACE options { defaultErrorHandler = false; } : '}' ;
COMMA options { defaultErrorHandler = false; } : ',' ;
GRAMRULE options { defaultErrorHandler = false; } : ':' ;
LEXRULE options { defaultErrorHandler = false; } : "|:" ;
ALIGN options { defaultErrorHandler = false; } : "::" ;
TRANSDIR options { defaultErrorHandler = false; } : "->" | "<->" ;
UNIFY options { defaultErrorHandler = false; } : '=' ;
OVERWRITE options { defaultErrorHandler = false; } : "<=" ;
ASSIGNREMOVE options { defaultErrorHandler = false; } : "==" ;
APPEND options { defaultErrorHandler = false; } : '>' ;
POP options { defaultErrorHandler = false; } : '<' ;
CONSTRAIN options { defaultErrorHandler = false; } : "=c" | "=C" ;
NEGATE options { defaultErrorHandler = false; } : "=n" | "=N" ;

TOPNODE options { defaultErrorHandler = false; } : "TOPNODE" | "topnode" ;
OPENCLASS options { defaultErrorHandler = false; } : "OPENCLASS" | "openclass" ;
DEBUG options { defaultErrorHandler = false; } : "DEBUG" | "debug" ;

DEFINED options { defaultErrorHandler = false; } : "*DEFINED*" | "*defined*" ;
UNDEFINED options { defaultErrorHandler = false; } : "*UNDEFINED*" | "*undefined*" ;
REMOVE options { defaultErrorHandler = false; } : "*REMOVE*" | "*remove*" ;
OR options { defaultErrorHandler = false; } : "*OR*" | "*or*" ;
EOR options { defaultErrorHandler = false; } : "*EOR*" | "*eor*" ;
NOT options { defaultErrorHandler = false; } : "*NOT*" | "*not*" ;
MULTIPLE options { defaultErrorHandler = false; } : "*MULTIPLE*" | "*multiple*" ;
SCORE options { defaultErrorHandler = false; } : "*SCORE*" | "*score*" ;

CONSTITUENT options { paraphrase = "x/y + number"; defaultErrorHandler = false; }
  : ( 'X' | 'x' | 'Y' | 'y' ) ( '0'..'9' )+
    { ANTLR_USE_NAMESPACE(std)string s = $getText; s[0] = static_cast<char>(s[0] == 'x' || s[0] == 'X' ? 'X' : 'Y'); $setText(s); }
  ;

SKIP options { defaultErrorHandler = false; }
  : '#'! ( '#' | ( '0'..'9' )+ )?
  ;

WORD options { defaultErrorHandler = false; }
  : '"'!
    ( ESC
    | '\r' ( options { greedy = true; } : '\n' )? { newline(); }
    | '\n' { newline(); }
    | ~('"' | '\\' | '\r' | '\n')
    )*
    '"'!
    { ANTLR_USE_NAMESPACE(std)string s = normalized($getText); $setText(s); }
  ;

LITERAL options { defaultErrorHandler = false; }
  : '\''!
    ( '\r' ( options { greedy = true; } : '\n' )? { newline(); }
    | '\n' { newline(); }
    | ~('\'' | '\r' | '\n')
    )*
    '\''!
  ;

TOKEN options { paraphrase = "a non-quoted token"; defaultErrorHandler = false; }
  : ( 'A'..'Z' | 'a'..'z' | '0'..'9' | '%' | '\'' | '*' | '+' | '-' | '.' | '?' | '_' | '\u0080'..'\u00FF' )+
    { ANTLR_USE_NAMESPACE(std)string s = normalized($getText); $setText(s); }
  ;
