// param/ParamDef.cpp
#include "param/ParamDef.h"

#include <cstdlib>
#include <iostream>
#include <sstream>

namespace {

const char* OrEmpty(const char* s) { return s ? s : ""; }

}  // namespace

CParamDef::CParamDef(const char* keywordInit, char flagInit, types partypeInit,
                     const char* descriptionInit, const char* errordescInit, bool optInit,
                     const char* partypenameInit, int acceptWithoutKeywordOrder)
    : satisfied(optInit),
      opt(optInit),
      keyword(OrEmpty(keywordInit)),
      flag(flagInit),
      partype(partypeInit),
      partypename(OrEmpty(partypenameInit)),
      description(OrEmpty(descriptionInit)),
      errordesc(OrEmpty(errordescInit)),
      acceptOrder(acceptWithoutKeywordOrder) {}

int CParamDef::dealWith(const char* token, const char* source) {
  if (getVarFromToken(token)) {
    satisfied = true;
    setSource(source);
    return 1;
  }
  std::cerr << "\n'" << OrEmpty(token) << "' " << errordesc << "\n";
  std::exit(-1);
}

void CParamDef::usageInfo() {
  if (flag) std::cerr << " -" << flag << " " << partypename;
}

void CParamDef::writeDesc() {
  std::cerr << "\n   ";
  if (!no_keyword()) {
    if (flag) std::cerr << "-" << flag << " " << partypename << ", ";
    std::cerr << "--" << keyword << "=";
  }
  std::cerr << partypename << ":\n\t\t" << description << "\n\t\t";
  if (opt) {
    std::cerr << "Default: ";
    writeDefault();
  } else {
    std::cerr << "!! This parameter MUST be given !!";
  }
  if (no_keyword()) std::cerr << "\n\t\tKeyword in parameter file: " << keyword;
}

bool CParamDef::skipAfter() { return true; }

void CParamDef::writeDataType() { std::cerr << partypename; }

const char* CParamDef::getKeyword() { return keyword.c_str(); }

const char* CParamDef::getPartypeName() { return partypename.c_str(); }

bool CParamDef::myKWless_param(int nr) { return nr == acceptOrder; }

bool CParamDef::no_keyword() { return acceptOrder != -1; }

const void* CParamDef::getValue() { return nullptr; }

void CParamDef::display(std::ostream& os) { os << keyword << "=\n"; }

bool CParamDef::getVarFromToken(const char* token) { return token != nullptr && token[0] != '\0'; }

void CParamDef::writeDefault() {}

const char* CParamDef::getSource() const {
  return paramFileName ? paramFileName->c_str() : nullptr;
}

void CParamDef::setSource(const char* source) {
  if (source)
    paramFileName = source;
  else
    paramFileName.reset();
}

template <typename T>
void CTypedParamDef<T>::display(std::ostream& os) {
  os << keyword << "=" << *var << "\n";
}

template <typename T>
bool CTypedParamDef<T>::getVarFromToken(const char* token) {
  if (!token) return false;
  std::istringstream in(token);
  T value{};
  if (!(in >> value)) return false;
  *var = value;
  return true;
}

template <typename T>
void CTypedParamDef<T>::writeDefault() {
  std::cerr << deflt;
}

// Strings are converted by CStringParamDef, which keeps its own copy.
template <>
bool CTypedParamDef<const char*>::getVarFromToken(const char*) {
  return false;
}

template class CTypedParamDef<char>;
template class CTypedParamDef<int>;
template class CTypedParamDef<unsigned int>;
template class CTypedParamDef<short>;
template class CTypedParamDef<unsigned short>;
template class CTypedParamDef<long>;
template class CTypedParamDef<unsigned long>;
template class CTypedParamDef<double>;
template class CTypedParamDef<float>;
template class CTypedParamDef<const char*>;
template class CTypedParamDef<bool>;

void CStringParamDef::display(std::ostream& os) {
  os << keyword << "=";
  if (*var) os << *var << "\n";
}

bool CStringParamDef::getVarFromToken(const char* token) {
  if (!token) return false;
  copy = token;
  *var = copy.c_str();
  return !copy.empty();
}

void CStringParamDef::writeDefault() { std::cerr << (deflt ? deflt : "No Default given"); }

int CBoolParamDef::dealWith(const char* /*token*/, const char* source) {
  *var = true;
  satisfied = true;
  setSource(source);
  return 1;
}

void CBoolParamDef::usageInfo() {
  if (flag) std::cerr << flag;
}

void CBoolParamDef::writeDesc() {
  if (flag)
    std::cerr << "\n   -" << flag << ", --" << keyword << ":\n\t\t" << description;
  else
    std::cerr << "\n   --" << keyword << ":\n\t\t" << description;
}

void CBoolParamDef::display(std::ostream& os) { os << keyword << "=" << (*var ? 1 : 0) << "\n"; }

void CBoolParamDef::writeDefault() { std::cerr << (deflt ? 1 : 0); }
