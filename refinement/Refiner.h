// refinement/Refiner.h
#pragma once

#include "param/Param.h"
#include "rules/KalRuleCollection.h"

#include <ostream>
#include <string>

// One run of the refinement program: the command line, then the phases in
// order. The phases live in this library so that tests can drive them
// without the process entry point.
class Refiner {
 public:
  static constexpr const char* kDefaultLexFileName = "/usr0/ulbe/rur2uvo/lexicons/lexicon-test.trf";
  static constexpr const char* kDefaultGramFileName =
      "/usr0/ulbe/rur2uvo/grammars/grammar-test.trf";
  static constexpr const char* kDefaultInitFileName = "/usr0/ulbe/rur2uvo/auto-init.txt";

  Refiner() = default;
  Refiner(const Refiner&) = delete;
  Refiner& operator=(const Refiner&) = delete;

  // The whole run; returns the process exit status.
  int Run(int argc, char** argv);

  // Declares the parameters and interprets the command line. False when it
  // could not be interpreted (the parameter library has said why). Help
  // requests end the process inside the library.
  bool InterpretCommandLine(int argc, char** argv);

  // The rule-file phase: reads the grammar and then the lexicon into RC,
  // numbers the rules read without number, and writes the numbered lexicon
  // and grammar beside the given files (see RuleFileNames.h); afterwards
  // sLexFileName and sGramFileName name those copies. False, after a
  // message on the error stream, when a copy cannot be written.
  bool RunRuleFilePhase();

  int DebugLevel = 2;
  std::string sLexFileName;
  std::string sGramFileName;
  std::string sInitFileName;
  // The file names as given on the command line; refined files are named
  // after them.
  std::string sGivenLexFileName;
  std::string sGivenGramFileName;
  int FileVersionCounter = 0;
  KalRuleCollection RC;

 private:
  void PrintBanner(std::ostream& out) const;
  void PrintParameters(std::ostream& out) const;
  // Writes the lexicon or the grammar of RC to `fileName`.
  bool WriteRuleFile(const std::string& fileName, bool lexicon) const;

  CParam m_Params;
};
