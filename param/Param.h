// param/Param.h
#pragma once

#include "param/ParamDef.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// The command-line parameter manager: parameters are declared once with
// AddParamDef, then the command line (and any parameter files it names) is
// interpreted into the declared variables. Problems are reported on
// std::cerr with fixed messages and returned as negative result codes.
class CParam {
 public:
  static constexpr int OK = 1;
  static constexpr int NOT_OK = 0;
  static constexpr int PROBLEM_UNDEFINED_PROBLEM = 0;
  static constexpr int PROBLEM_MISSING_HYPHEN = -1;
  static constexpr int PROBLEM_UNKNOWN_KEYWORD = -2;
  static constexpr int PROBLEM_UNKNOWN_FLAG = -3;
  static constexpr int PROBLEM_INVALID_VALUE = -4;
  static constexpr int PROBLEM_MISSING_VALUE = -5;
  static constexpr int PROBLEM_MISSING_PARAMETER = -6;
  static constexpr int PROBLEM_CANNOT_OPEN_FILE = -7;
  static constexpr int PROBLEM_MISSING_VALUE_IN_FILE = -8;
  static constexpr int PROBLEM_UNKNOWN_KEYWORD_IN_FILE = -9;
  static constexpr int PROBLEM_GENERAL_PROBLEM_IN_FILE = -10;
  static constexpr int PROBLEM_PARAM_FILE_LOOP = -11;

  CParam() = default;
  virtual ~CParam() = default;
  CParam(const CParam&) = delete;
  CParam& operator=(const CParam&) = delete;

  // Takes ownership of `def`. Refuses (returns 0, writes a warning, destroys
  // the definition) a reserved or already used flag or keyword.
  int AddParamDef(CParamDef* def);

  int AddParamDef(const char* keywordInit, char flagInit, char* varInit, char defltInit,
                  const char* descriptionInit, bool optInit, const char* partypenameInit,
                  int acceptWithoutKeywordOrder);
  int AddParamDef(const char* keywordInit, char flagInit, const char** varInit,
                  const char* defltInit, const char* descriptionInit, bool optInit,
                  const char* partypenameInit, int acceptWithoutKeywordOrder);
  int AddParamDef(const char* keywordInit, char flagInit, int* varInit, int defltInit,
                  const char* descriptionInit, bool optInit, const char* partypenameInit,
                  int acceptWithoutKeywordOrder);
  int AddParamDef(const char* keywordInit, char flagInit, unsigned int* varInit,
                  unsigned int defltInit, const char* descriptionInit, bool optInit,
                  const char* partypenameInit, int acceptWithoutKeywordOrder);
  int AddParamDef(const char* keywordInit, char flagInit, short* varInit, short defltInit,
                  const char* descriptionInit, bool optInit, const char* partypenameInit,
                  int acceptWithoutKeywordOrder);
  int AddParamDef(const char* keywordInit, char flagInit, unsigned short* varInit,
                  unsigned short defltInit, const char* descriptionInit, bool optInit,
                  const char* partypenameInit, int acceptWithoutKeywordOrder);
  int AddParamDef(const char* keywordInit, char flagInit, long* varInit, long defltInit,
                  const char* descriptionInit, bool optInit, const char* partypenameInit,
                  int acceptWithoutKeywordOrder);
  int AddParamDef(const char* keywordInit, char flagInit, unsigned long* varInit,
                  unsigned long defltInit, const char* descriptionInit, bool optInit,
                  const char* partypenameInit, int acceptWithoutKeywordOrder);
  int AddParamDef(const char* keywordInit, char flagInit, double* varInit, double defltInit,
                  const char* descriptionInit, bool optInit, const char* partypenameInit,
                  int acceptWithoutKeywordOrder);
  int AddParamDef(const char* keywordInit, char flagInit, float* varInit, float defltInit,
                  const char* descriptionInit, bool optInit, const char* partypenameInit,
                  int acceptWithoutKeywordOrder);
  int AddParamDef(const char* keywordInit, char flagInit, bool* varInit, bool defltInit,
                  const char* descriptionInit, bool optInit, const char* partypenameInit,
                  int acceptWithoutKeywordOrder);
  // A definition that stores no value and accepts any non-empty token.
  int AddParamDef(const char* keywordInit, char flagInit, types partypeInit,
                  const char* descriptionInit, const char* errordescInit, bool optInit,
                  const char* partypenameInit, int acceptWithoutKeywordOrder);

  // Interprets argv[1..argc-1]; returns OK or the (negative) code of the
  // first problem, which has already been reported.
  int Interpret_returnError(char** argv, int argc);
  // 1 on success, 0 on any problem.
  int Interpret(char** argv, int argc);
  // 1 on success; otherwise ends the program with status -1.
  int Interpret_exitOnError(char** argv, int argc);

  int read_parameter_file(const char* Filename);

  // The variable of the parameter with keyword `key`, or null.
  const void* getValueFromKey(const char* key);
  // The parameter file that set parameter `key`, or null.
  const char* getSourceFromKey(const char* key);

  virtual void Display(std::ostream& os);

  // Writes the usage text to std::cerr and ends the program with status -1.
  [[noreturn]] void usageInfo(const char* myName);
  int showError(int errorNo, const char* FirstString, const char* SecondString);
  bool CheckParameters();

  unsigned NParamDef() const { return static_cast<unsigned>(ParamList.size()); }

 private:
  CParamDef* findByKeyword(const std::string& key);
  bool fileAlreadyRead(const std::string& name) const;

  std::vector<std::unique_ptr<CParamDef>> ParamList;  // in declaration order
  std::vector<std::string> ParamFileList;             // every file read, newest last
  std::string argv0;
  int no_of_kwdless_par = 0;
};
