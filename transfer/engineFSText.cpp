// transfer/engineFSText.cpp
// Feature structures given as text.
#include "transfer/transfer.h"

#include <antlr/ANTLRException.hpp>
#include <exception>
#include <iostream>
#include <sstream>

#include "FStructLexer.hpp"
#include "FStructParser.hpp"

std::vector<UKernel::FStruc> TransferEngine::stringToFS(const std::string& text) {
  std::vector<UKernel::FStruc> fss;
  if (text.empty() || text[0] == '\n') return fss;
  if (debug) std::cout << "Processing String to FS " << text << "\n";
  std::istringstream in(text);
  try {
    FStructLexer lexer(in);
    FStructParser parser(lexer);
    parser.setTransfer(this);
    parser.setFSS(&fss);
    parser.setDebug(debug != 0);
    parser.fstructs();
  } catch (const antlr::ANTLRException& e) {
    // A token that broke off (an unfinished comment, quoted word or
    // keyword) ends the reading; the parser recovers from everything else.
    std::cerr << e.toString() << std::endl;
  } catch (const std::exception& e) {
    std::cerr << "feature structure text: " << e.what() << std::endl;
  }
  return fss;
}
