// transfer/RuleFileReader.cpp
#include "transfer/RuleFileReader.h"

#include "transfer/RuleFileBuilder.h"
#include "transfer/RuleReadState.h"

#include "TransferGrammarLexer.hpp"
#include "TransferGrammarParser.hpp"

#include <antlr/ANTLRException.hpp>

#include <exception>
#include <istream>
#include <sstream>

void readRuleFile(std::istream& in, RuleFileBuilder& builder, const std::string& name) {
  RuleReadState state(builder);
  try {
    TransferGrammarLexer lexer(in);
    lexer.setBuilder(&builder);
    lexer.setFilename(name);
    TransferGrammarParser parser(lexer);
    parser.setFilename(name);
    parser.setState(&state);
    parser.rules();
  } catch (const antlr::ANTLRException& e) {
    // Only stream failures get here; recognition errors are recovered inside.
    state.syntaxError(e.toString());
  } catch (const std::exception& e) {
    state.syntaxError(name + ": " + e.what());
  }
  state.finish();
}

void readRuleText(const std::string& text, RuleFileBuilder& builder) {
  std::istringstream in(text);
  readRuleFile(in, builder);
}
