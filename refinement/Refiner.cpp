// refinement/Refiner.cpp
#include "refinement/Refiner.h"

#include "refinement/RuleFileNames.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

namespace {

const char* const kStars = "***************************************************************";

}  // namespace

bool Refiner::InterpretCommandLine(int argc, char** argv) {
  const char* lex = nullptr;
  const char* gram = nullptr;
  const char* init = nullptr;
  m_Params.AddParamDef("DebugLevel", 'd', &DebugLevel, 2,
                       "Debug level: 0 = no, 1 = minimal, 2 = full debugging output", true, "n",
                       -1);
  m_Params.AddParamDef("LexFileName", 'l', &lex, kDefaultLexFileName,
                       "name of parameter file with lexicon", true, "s", -1);
  m_Params.AddParamDef("GramFileName", 'g', &gram, kDefaultGramFileName,
                       "name of file with grammar", true, "s", -1);
  m_Params.AddParamDef("InitFileName", 'i', &init, kDefaultInitFileName,
                       "name of the engine initialisation file", true, "s", -1);
  const bool ok = m_Params.Interpret(argv, argc) != 0;
  sLexFileName = lex ? lex : "";
  sGramFileName = gram ? gram : "";
  sInitFileName = init ? init : "";
  return ok;
}

void Refiner::PrintBanner(std::ostream& out) const {
  out << "Compiled on " << __DATE__ << " " << __TIME__ << " with GNU C++ " << __VERSION__
      << " in debug mode\n";
}

void Refiner::PrintParameters(std::ostream& out) const {
  out << kStars << "\n"
      << "Parameters are:\n"
      << "Debug Level     = " << DebugLevel << "\n"
      << "Lexicon File    = " << sLexFileName << "\n"
      << "Grammar File    = " << sGramFileName << "\n"
      << kStars << "\n"
      << kStars << "\n";
}

int Refiner::Run(int argc, char** argv) {
  PrintBanner(std::cout);
  if (!InterpretCommandLine(argc, argv)) {
    std::cerr << "\n\n ... exiting, the paramaters given could not be interpreted!!\n";
    return -1;
  }
  PrintParameters(std::cout);
  std::cout.flush();
  if (!RunRuleFilePhase()) return 1;
  std::cout.flush();
  return 0;
}

bool Refiner::RunRuleFilePhase() {
  sGivenLexFileName = sLexFileName;
  sGivenGramFileName = sGramFileName;
  FileVersionCounter = 0;
  std::cout << "Creating Rule Collection to store G and L...\n";
  std::cout << "Adding Gra to Rule Collection\n";
  RC.AddFromFile(sGivenGramFileName);
  std::cout << "Adding Lex to Rule Collection\n";
  RC.AddFromFile(sGivenLexFileName);
  std::cout << "done!\n";
  RC.AssignIDsToNonIDRules();

  sLexFileName = NumberedRuleFileName(sGivenLexFileName);
  if (!WriteRuleFile(sLexFileName, true)) return false;
  sGramFileName = NumberedRuleFileName(sGivenGramFileName);
  return WriteRuleFile(sGramFileName, false);
}

bool Refiner::WriteRuleFile(const std::string& fileName, bool lexicon) const {
  errno = 0;
  std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
  if (file) {
    if (lexicon)
      RC.OutputLexicon(file);
    else
      RC.OutputGrammar(file);
    file.close();
  }
  if (!file) {
    const int error = errno;
    std::cout.flush();
    std::cerr << "Cannot write rule file \"" << fileName
              << "\": " << (error != 0 ? std::strerror(error) : "write error") << "\n";
    return false;
  }
  return true;
}
