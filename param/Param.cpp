// param/Param.cpp
#include "param/Param.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>

namespace {

const char* OrEmpty(const char* s) { return s ? s : ""; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Splits a parameter-file line into keyword and value: the keyword runs up to
// a blank or '=', then blanks and '=' are skipped, and the value is the next
// blank-delimited word. Anything after the value is ignored.
void SplitFileLine(const std::string& line, std::string& keyword, std::string& value) {
  size_t i = 0, n = line.size();
  while (i < n && IsBlank(line[i])) ++i;
  size_t k = i;
  while (i < n && !IsBlank(line[i]) && line[i] != '=') ++i;
  keyword = line.substr(k, i - k);
  while (i < n && (IsBlank(line[i]) || line[i] == '=')) ++i;
  size_t v = i;
  while (i < n && !IsBlank(line[i])) ++i;
  value = line.substr(v, i - v);
}

}  // namespace

int CParam::AddParamDef(CParamDef* def) {
  std::unique_ptr<CParamDef> owned(def);
  const char flag = def->getFlag();
  const std::string keyword = def->getKeyword();
  bool flagClash = flag == 'h' || flag == 'f';
  bool keywordClash = keyword == "help" || keyword == "ParameterFile";
  for (const auto& d : ParamList) {
    if (flag != 0 && d->understands(flag)) flagClash = true;
    if (d->understands(keyword.c_str())) keywordClash = true;
  }
  if (flagClash || keywordClash) {
    std::cerr << "CParam.AddParamDef :\n";
    if (flagClash)
      std::cerr << " Internal warning: the flag '" << flag;
    else
      std::cerr << " Internal warning: the keyword '" << keyword;
    std::cerr << "' is reserved for special purposes or has\n"
              << " been used for another parameter.\n"
              << " It should not be redefined.\n"
              << "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!\n\n";
    return 0;
  }
  ParamList.push_back(std::move(owned));
  return 1;
}

#define REFINE_TYPED_ADD(T, Def)                                                             \
  int CParam::AddParamDef(const char* keywordInit, char flagInit, T* varInit, T defltInit,   \
                          const char* descriptionInit, bool optInit,                         \
                          const char* partypenameInit, int acceptWithoutKeywordOrder) {      \
    return AddParamDef(new Def(keywordInit, flagInit, varInit, defltInit, descriptionInit,   \
                               optInit, partypenameInit, acceptWithoutKeywordOrder));        \
  }

REFINE_TYPED_ADD(char, CCharParamDef)
REFINE_TYPED_ADD(const char*, CStringParamDef)
REFINE_TYPED_ADD(int, CIntParamDef)
REFINE_TYPED_ADD(unsigned int, CUnsignedintParamDef)
REFINE_TYPED_ADD(short, CShortintParamDef)
REFINE_TYPED_ADD(unsigned short, CUnsignedshortParamDef)
REFINE_TYPED_ADD(long, CLongintParamDef)
REFINE_TYPED_ADD(unsigned long, CUnsignedlongParamDef)
REFINE_TYPED_ADD(double, CDoubleParamDef)
REFINE_TYPED_ADD(float, CFloatParamDef)
REFINE_TYPED_ADD(bool, CBoolParamDef)

#undef REFINE_TYPED_ADD

int CParam::AddParamDef(const char* keywordInit, char flagInit, types partypeInit,
                        const char* descriptionInit, const char* errordescInit, bool optInit,
                        const char* partypenameInit, int acceptWithoutKeywordOrder) {
  return AddParamDef(new CParamDef(keywordInit, flagInit, partypeInit, descriptionInit,
                                   errordescInit, optInit, partypenameInit,
                                   acceptWithoutKeywordOrder));
}

CParamDef* CParam::findByKeyword(const std::string& key) {
  for (const auto& d : ParamList)
    if (d->understands(key.c_str())) return d.get();
  return nullptr;
}

bool CParam::fileAlreadyRead(const std::string& name) const {
  return std::find(ParamFileList.begin(), ParamFileList.end(), name) != ParamFileList.end();
}

int CParam::Interpret_returnError(char** argv, int argc) {
  CheckParameters();
  argv0 = argc > 0 && argv[0] ? argv[0] : "";

  int kwless = 0;
  bool noMoreFlags = false;
  int i = 1;
  while (i < argc) {
    const std::string arg = OrEmpty(argv[i]);
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;

    if (arg.empty() || arg[0] != '-' || noMoreFlags) {
      ++kwless;
      CParamDef* def = nullptr;
      for (const auto& d : ParamList)
        if (d->myKWless_param(kwless)) {
          def = d.get();
          break;
        }
      if (!def) return showError(PROBLEM_MISSING_HYPHEN, arg.c_str(), nullptr);
      def->dealWith(arg.c_str(), nullptr);
      ++i;
      continue;
    }

    if (arg.compare(0, 2, "--") == 0) {
      const size_t eq = arg.find('=', 2);
      const bool hasEq = eq != std::string::npos;
      const std::string keyword = arg.substr(2, hasEq ? eq - 2 : std::string::npos);
      const std::string inlineValue = hasEq ? arg.substr(eq + 1) : std::string();
      const char* value = hasEq ? inlineValue.c_str() : next;

      bool recognised = false, skip = false;
      for (const auto& d : ParamList) {
        if (d->understands(keyword.c_str()) && !d->no_keyword()) {
          d->dealWith(value, nullptr);
          recognised = true;
          skip = d->skipAfter();
        }
      }
      if (!recognised) {
        if (keyword == "help") {
          usageInfo(argv0.c_str());
        } else if (keyword == "ParameterFile") {
          int r = read_parameter_file(value);
          if (r < 0) return r;
          skip = true;
        } else if (keyword.empty()) {
          noMoreFlags = true;
          skip = false;
        } else {
          return showError(PROBLEM_UNKNOWN_KEYWORD, keyword.c_str(), nullptr);
        }
      }
      i += (!skip || hasEq) ? 1 : 2;
      continue;
    }

    // A single dash: a cluster of switches, optionally ending in one
    // value-taking flag whose value is the rest of the argument or the next one.
    if (arg == "-") return showError(PROBLEM_UNKNOWN_FLAG, "", nullptr);
    size_t k = 1;
    for (; k < arg.size(); ++k) {
      CParamDef* sw = nullptr;
      for (const auto& d : ParamList)
        if (d->understands(arg[k]) && !d->skipAfter()) {
          sw = d.get();
          break;
        }
      if (!sw) break;
      sw->dealWith("", nullptr);
    }
    if (k == arg.size()) {
      ++i;
      continue;
    }
    const char letter = arg[k];
    if (letter == 'h') usageInfo(argv0.c_str());
    const std::string rest = arg.substr(k + 1);
    const char* value;
    if (!rest.empty()) {
      value = rest.c_str();
      i += 1;
    } else {
      value = next;
      i += 2;
    }
    bool handled = false;
    for (const auto& d : ParamList) {
      if (d->understands(letter) && !d->no_keyword() && d->skipAfter()) {
        d->dealWith(value, nullptr);
        handled = true;
        break;
      }
    }
    if (letter == 'f') {
      int r = read_parameter_file(value);
      if (r < 0) return r;
      handled = true;
    }
    if (!handled) {
      const std::string name = std::string("-") + letter;
      return showError(PROBLEM_UNKNOWN_FLAG, name.c_str(), nullptr);
    }
  }

  for (const auto& d : ParamList) {
    if (!d->isSatisfied())
      return showError(PROBLEM_MISSING_PARAMETER,
                       d->no_keyword() ? d->getPartypeName() : d->getKeyword(), nullptr);
  }
  return OK;
}

int CParam::Interpret(char** argv, int argc) {
  return Interpret_returnError(argv, argc) > 0 ? 1 : 0;
}

int CParam::Interpret_exitOnError(char** argv, int argc) {
  if (Interpret_returnError(argv, argc) > 0) return 1;
  std::cerr << "...exiting.\n";
  std::exit(-1);
}

int CParam::read_parameter_file(const char* Filename) {
  const std::string name = OrEmpty(Filename);
  std::ifstream in(name);
  if (name.empty() || !in) return showError(PROBLEM_CANNOT_OPEN_FILE, name.c_str(), nullptr);
  ParamFileList.push_back(name);

  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '#') continue;
    std::string keyword, value;
    SplitFileLine(line, keyword, value);
    if (keyword.empty()) continue;

    if (CParamDef* def = findByKeyword(keyword)) {
      if (def->skipAfter() && value.empty())
        return showError(PROBLEM_MISSING_VALUE_IN_FILE, name.c_str(), line.c_str());
      def->dealWith(value.c_str(), name.c_str());
    } else if (keyword == "ParameterFile") {
      if (fileAlreadyRead(value)) {
        showError(PROBLEM_PARAM_FILE_LOOP, name.c_str(), line.c_str());
        continue;
      }
      int r = read_parameter_file(value.c_str());
      if (r <= 0) return r;
    } else {
      return showError(PROBLEM_UNKNOWN_KEYWORD_IN_FILE, name.c_str(), line.c_str());
    }
  }
  return OK;
}

const void* CParam::getValueFromKey(const char* key) {
  CParamDef* d = key ? findByKeyword(key) : nullptr;
  return d ? d->getValue() : nullptr;
}

const char* CParam::getSourceFromKey(const char* key) {
  CParamDef* d = key ? findByKeyword(key) : nullptr;
  return d ? d->getSource() : nullptr;
}

void CParam::Display(std::ostream& os) {
  for (const auto& d : ParamList) d->display(os);
}

void CParam::usageInfo(const char* myName) {
  std::ostream& e = std::cerr;
  e << "\nusage: " << OrEmpty(myName);
  for (const auto& d : ParamList)
    if (!d->optional() && !d->no_keyword()) d->usageInfo();

  bool anyOptionalBool = false;
  for (const auto& d : ParamList)
    if (d->optional() && !d->skipAfter()) anyOptionalBool = true;
  if (anyOptionalBool) {
    e << " [-";
    for (const auto& d : ParamList)
      if (d->optional() && !d->skipAfter()) d->usageInfo();
    e << "]";
  }

  for (const auto& d : ParamList)
    if (d->optional() && d->skipAfter() && !d->no_keyword() && d->getFlag())
      e << " [-" << d->getFlag() << " " << d->getPartypeName() << "]";

  e << " [-h] [-f file] [--]";

  for (int pos = 1; pos <= no_of_kwdless_par; ++pos)
    for (const auto& d : ParamList)
      if (d->no_keyword() && d->myKWless_param(pos)) {
        if (d->optional())
          e << " [" << d->getPartypeName() << "]";
        else
          e << " " << d->getPartypeName();
      }

  e << "\n";
  for (const auto& d : ParamList)
    if (!d->optional()) d->writeDesc();
  for (const auto& d : ParamList)
    if (d->optional()) d->writeDesc();

  e << "\n   -h, --help:\n\t\tPrint this help information"
    << "\n   -f file, --ParameterFile=file:\n\t\tUse the parameters given in file"
    << "\n   --:\n\t\tDelimiter: '-' won't be interpreted as flag/\n"
    << "\t\tkeyword trigger behind this.\n";
  std::exit(-1);
}

int CParam::showError(int errorNo, const char* FirstString, const char* SecondString) {
  const char* a = OrEmpty(FirstString);
  const char* b = OrEmpty(SecondString);
  std::ostream& e = std::cerr;
  switch (errorNo) {
    case OK:
      break;
    case PROBLEM_UNDEFINED_PROBLEM:
      e << "Undefined error (0), please check program source code";
      break;
    case PROBLEM_MISSING_HYPHEN:
      e << "Invalid argument '" << a << "'.\nEach parameter must start with '-' or '--' resp.!";
      break;
    case PROBLEM_UNKNOWN_KEYWORD:
      e << "Unknown keyword '" << a << "'.";
      break;
    case PROBLEM_UNKNOWN_FLAG:
      e << "Unknown flag '" << a << "'.";
      break;
    case PROBLEM_INVALID_VALUE:
      e << "Invalid value '" << b << "' at parameter '" << a << "'.";
      break;
    case PROBLEM_MISSING_VALUE:
      e << "Missing value at keyword '" << a << "'.";
      break;
    case PROBLEM_MISSING_PARAMETER:
      e << "Parameter '" << a << "' required.";
      break;
    case PROBLEM_CANNOT_OPEN_FILE:
      e << "Cannot open file '" << a << "'.";
      break;
    case PROBLEM_MISSING_VALUE_IN_FILE:
      e << "Missing value in file '" << a << "' at line:\n'" << b << "'.";
      break;
    case PROBLEM_UNKNOWN_KEYWORD_IN_FILE:
      e << "Unknown keyword in file '" << a << "' at line:\n'" << b << "'.";
      break;
    case PROBLEM_GENERAL_PROBLEM_IN_FILE:
      e << "General problem in file '" << a << "' at line:\n'" << b << "'.";
      break;
    case PROBLEM_PARAM_FILE_LOOP:
      e << "Loop detected in nested parameter file call in file '" << a << "' at line:\n'" << b
        << "'.\nSkipping parameter file call.";
      break;
    default:
      e << "Unknown error (" << errorNo << "), please check program source code";
      break;
  }
  e << "\nGet help with '" << argv0 << " --help'\n\n";
  return errorNo;
}

bool CParam::CheckParameters() {
  no_of_kwdless_par = 0;
  for (const auto& d : ParamList)
    if (d->no_keyword()) ++no_of_kwdless_par;

  std::ostream& e = std::cerr;
  const char* beware = "          BEWARE OF UNPREDICTIBLE BEHAVIOUR!\n\n";
  bool ok = true;
  bool optionalSeen = false;
  for (int pos = 1; pos <= no_of_kwdless_par; ++pos) {
    int count = 0;
    for (const auto& d : ParamList) {
      if (!d->no_keyword() || !d->myKWless_param(pos)) continue;
      ++count;
      if (!d->optional() && optionalSeen) {
        e << "\nCParam::CheckParameters():\nInternal warning: An obligatory kwdless parameter ("
          << d->getPartypeName() << ") is located  \nbehind an optional one.\n"
          << beware;
        ok = false;
      }
      if (d->optional()) optionalSeen = true;
    }
    if (count != 1) {
      e << "\nCParam::CheckParameters():\nInternal Warning: Position nr. " << pos
        << " for keyword-less parameters\n";
      if (count == 0)
        e << "is not used by any parameter.\n";
      else
        e << "is used by " << count << " parameters.\n";
      e << beware;
      ok = false;
    }
  }
  return ok;
}
