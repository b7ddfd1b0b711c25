// param/ParamDef.h
#pragma once

#include <optional>
#include <ostream>
#include <string>

// Type tag of a declared parameter.
enum types {
  Char = 0,
  String = 1,
  Int = 2,
  Unsignedint = 3,
  Shortint = 4,
  Unsignedshort = 5,
  Longint = 6,
  Unsignedlong = 7,
  Double = 8,
  Float = 9,
  Bool = 10
};

// One declared command-line parameter. The plain definition stores no value
// and accepts any non-empty token; the typed subclasses convert the token and
// store it in the caller's variable. Everything it prints goes to std::cerr.
//
// Tokens are C strings that may be null: a value-taking flag or keyword given
// as the last argument has no value at all, which is reported like an empty
// one.
class CParamDef {
 public:
  CParamDef(const char* keywordInit, char flagInit, types partypeInit,
            const char* descriptionInit, const char* errordescInit, bool optInit,
            const char* partypenameInit, int acceptWithoutKeywordOrder);
  virtual ~CParamDef() = default;
  CParamDef(const CParamDef&) = delete;
  CParamDef& operator=(const CParamDef&) = delete;

  // Takes a value. A token that cannot be converted ends the program with
  // status -1 after "'token' <errordesc>".
  virtual int dealWith(const char* token, const char* source);
  virtual void usageInfo();
  virtual void writeDesc();
  // True when the parameter consumes a value.
  virtual bool skipAfter();
  virtual void writeDataType();
  virtual const char* getKeyword();
  virtual const char* getPartypeName();
  // True when this parameter is the nr-th keyword-less argument.
  virtual bool myKWless_param(int nr);
  // True for a positional parameter.
  virtual bool no_keyword();
  // Address of the caller's variable, or null for the plain definition.
  virtual const void* getValue();
  virtual void display(std::ostream& os);
  virtual bool getVarFromToken(const char* token);
  virtual void writeDefault();

  bool optional() const { return opt; }
  bool isSatisfied() const { return satisfied; }
  // Name of the parameter file that set the value; null when it came from
  // the command line (or was never set).
  const char* getSource() const;
  void setSource(const char* source);
  char getFlag() const { return flag; }
  bool understands(char c) const { return flag != 0 && c == flag; }
  bool understands(const char* kw) const { return kw != nullptr && keyword == kw; }

 protected:
  bool satisfied;
  bool opt;
  std::string keyword;
  char flag;
  types partype;
  std::string partypename;
  std::string description;
  std::string errordesc;
  int acceptOrder;
  std::optional<std::string> paramFileName;
};

// A value-taking definition bound to a variable of type T. The default is
// assigned to the variable as soon as the definition is constructed.
template <typename T>
class CTypedParamDef : public CParamDef {
 public:
  CTypedParamDef(const char* keywordInit, char flagInit, types partypeInit, T* varInit,
                 T defltInit, const char* descriptionInit, const char* errordescInit,
                 bool optInit, const char* partypenameInit, int acceptWithoutKeywordOrder)
      : CParamDef(keywordInit, flagInit, partypeInit, descriptionInit, errordescInit, optInit,
                  partypenameInit, acceptWithoutKeywordOrder),
        var(varInit),
        deflt(defltInit) {
    *var = deflt;
  }
  const void* getValue() override { return var; }
  void display(std::ostream& os) override;
  bool getVarFromToken(const char* token) override;
  void writeDefault() override;

 protected:
  T* var;
  T deflt;
};

class CCharParamDef : public CTypedParamDef<char> {
 public:
  CCharParamDef(const char* kw, char fl, char* v, char d, const char* desc, bool o,
                const char* ptn, int order)
      : CTypedParamDef(kw, fl, Char, v, d, desc, "should be a character", o, ptn, order) {}
};

class CIntParamDef : public CTypedParamDef<int> {
 public:
  CIntParamDef(const char* kw, char fl, int* v, int d, const char* desc, bool o,
               const char* ptn, int order)
      : CTypedParamDef(kw, fl, Int, v, d, desc, "should be an integer", o, ptn, order) {}
};

class CUnsignedintParamDef : public CTypedParamDef<unsigned int> {
 public:
  CUnsignedintParamDef(const char* kw, char fl, unsigned int* v, unsigned int d,
                       const char* desc, bool o, const char* ptn, int order)
      : CTypedParamDef(kw, fl, Unsignedint, v, d, desc, "should be an unsigned integer", o, ptn,
                       order) {}
};

class CShortintParamDef : public CTypedParamDef<short> {
 public:
  CShortintParamDef(const char* kw, char fl, short* v, short d, const char* desc, bool o,
                    const char* ptn, int order)
      : CTypedParamDef(kw, fl, Shortint, v, d, desc, "should be a (short) integer", o, ptn,
                       order) {}
};

class CUnsignedshortParamDef : public CTypedParamDef<unsigned short> {
 public:
  CUnsignedshortParamDef(const char* kw, char fl, unsigned short* v, unsigned short d,
                         const char* desc, bool o, const char* ptn, int order)
      : CTypedParamDef(kw, fl, Unsignedshort, v, d, desc, "should be an unsigned integer", o,
                       ptn, order) {}
};

class CLongintParamDef : public CTypedParamDef<long> {
 public:
  CLongintParamDef(const char* kw, char fl, long* v, long d, const char* desc, bool o,
                   const char* ptn, int order)
      : CTypedParamDef(kw, fl, Longint, v, d, desc, "should be an integer", o, ptn, order) {}
};

class CUnsignedlongParamDef : public CTypedParamDef<unsigned long> {
 public:
  CUnsignedlongParamDef(const char* kw, char fl, unsigned long* v, unsigned long d,
                        const char* desc, bool o, const char* ptn, int order)
      : CTypedParamDef(kw, fl, Unsignedlong, v, d, desc, "should be an unsigned integer", o, ptn,
                       order) {}
};

class CDoubleParamDef : public CTypedParamDef<double> {
 public:
  CDoubleParamDef(const char* kw, char fl, double* v, double d, const char* desc, bool o,
                  const char* ptn, int order)
      : CTypedParamDef(kw, fl, Double, v, d, desc, "should be a double", o, ptn, order) {}
};

class CFloatParamDef : public CTypedParamDef<float> {
 public:
  CFloatParamDef(const char* kw, char fl, float* v, float d, const char* desc, bool o,
                 const char* ptn, int order)
      : CTypedParamDef(kw, fl, Float, v, d, desc, "should be a float", o, ptn, order) {}
};

// A string parameter. The caller's variable is a `const char*`; once a value
// is given it points to a copy owned by this definition, valid as long as the
// definition lives. Before that it holds the default (which may be null).
class CStringParamDef : public CTypedParamDef<const char*> {
 public:
  CStringParamDef(const char* kw, char fl, const char** v, const char* d, const char* desc,
                  bool o, const char* ptn, int order)
      : CTypedParamDef(kw, fl, String, v, d, desc, "should be a non null string", o, ptn,
                       order) {}
  void display(std::ostream& os) override;
  bool getVarFromToken(const char* token) override;
  void writeDefault() override;

 private:
  std::string copy;  // the given value; *var points into it once one was given
};

// A switch: giving it sets the variable to true; it never takes a value and
// is never positional.
class CBoolParamDef : public CTypedParamDef<bool> {
 public:
  CBoolParamDef(const char* kw, char fl, bool* v, bool d, const char* desc, bool o,
                const char* ptn, int order)
      : CTypedParamDef(kw, fl, Bool, v, d, desc, "", o, ptn, order) {}
  int dealWith(const char* token, const char* source) override;
  void usageInfo() override;
  void writeDesc() override;
  bool skipAfter() override { return false; }
  bool myKWless_param(int nr) override { return nr == -1; }
  bool no_keyword() override { return false; }
  void display(std::ostream& os) override;
  void writeDefault() override;
};
