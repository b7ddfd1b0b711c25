// kernel/equation.h
#ifndef KERNEL_EQUATION_H
#define KERNEL_EQUATION_H

#include <iosfwd>

#include "kernel/path.h"
#include "kernel/symbol.h"
#include "kernel/value.h"

namespace UKernel {

class FSRegisters;

// A register number and a path into that register's structure.
struct FSPath {
  unsigned fsIdx = 0;
  Path path;

  FSPath() = default;
  FSPath(unsigned idx, const Path& p) : fsIdx(idx), path(p) {}
};

// "X1" for the empty path, "(X1 agr num)" otherwise.
std::ostream& operator<<(std::ostream& os, const FSPath& p);

// One feature-structure equation of a rule. Running it applies one operation
// to the structure of its left register; failure is an ordinary result. An
// equation that names a register the file does not have fails.
class _Equation {
 public:
  explicit _Equation(const FSPath& l) : lFSPath(l) {}
  virtual ~_Equation() = default;
  virtual bool run(FSRegisters& regs) const = 0;
  virtual void print(std::ostream& os) const = 0;

  const FSPath& readLFSPath() const { return lFSPath; }

 protected:
  FSPath lFSPath;
};

// Path to path: (X1 agr) = (X2 agr).
class _EquType1 : public _Equation {
 public:
  // code must be one for which isValidCode holds.
  _EquType1(const FSPath& l, const FSPath& r, SymCode code);
  static bool isValidCode(SymCode code);

  bool run(FSRegisters& regs) const override;
  void print(std::ostream& os) const override;

  const FSPath& readRFSPath() const { return rFSPath; }
  SymCode readCode() const { return code; }

 private:
  FSPath rFSPath;
  SymCode code;
};

// Path to value: (X1 agr num) = sg.
class _EquType2 : public _Equation {
 public:
  _EquType2(const FSPath& l, const Value& v, SymCode code);
  static bool isValidCode(SymCode code);

  bool run(FSRegisters& regs) const override;
  void print(std::ostream& os) const override;

  const Value& readValue() const { return value; }
  SymCode readCode() const { return code; }

 private:
  Value value;
  SymCode code;
};

// Path with a test or removal code: (X1 agr) = *DEFINED*.
class _EquType3 : public _Equation {
 public:
  _EquType3(const FSPath& l, SymCode code);
  static bool isValidCode(SymCode code);

  bool run(FSRegisters& regs) const override;
  void print(std::ostream& os) const override;

  SymCode readCode() const { return code; }

 private:
  SymCode code;
};

std::ostream& operator<<(std::ostream& os, const _Equation& e);

}  // namespace UKernel

#endif  // KERNEL_EQUATION_H
