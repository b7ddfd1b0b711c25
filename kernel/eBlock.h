// kernel/eBlock.h
#ifndef KERNEL_EBLOCK_H
#define KERNEL_EBLOCK_H

#include <iosfwd>
#include <memory>
#include <vector>

#include "kernel/equation.h"
#include "kernel/fsRegs.h"
#include "kernel/path.h"
#include "kernel/value.h"

namespace UKernel {

// A tree of equations. Every block knows the highest register it uses
// (maxFSIdx) and the registers it may change (mIdxSet); blocks that change
// nothing can be tried on the registers themselves, the others are tried on
// working copies.
class _EBlockBase {
 public:
  _EBlockBase() = default;
  _EBlockBase(const _EBlockBase&) = delete;
  _EBlockBase& operator=(const _EBlockBase&) = delete;
  virtual ~_EBlockBase();

  // Success or failure; the results are left in the registers.
  virtual bool run(FSRegisters& regs) const = 0;
  virtual void print(std::ostream& os) const = 0;

  unsigned readMaxFSIdx() const { return maxFSIdx; }
  const FSIdxSet& readMIdxSet() const { return mIdxSet; }
  size_t numBlocks() const { return blocks.size(); }
  const _EBlockBase& block(size_t i) const { return *blocks[i]; }

  // Destroys the sub-blocks; maxFSIdx becomes 0.
  virtual void clearBlocks();

 protected:
  // Appends a sub-block and takes over its registers.
  void appendBlock(std::unique_ptr<_EBlockBase> block);
  // Writes the sub-blocks separated by line breaks.
  void printBlocks(std::ostream& os) const;

  unsigned maxFSIdx = 0;
  FSIdxSet mIdxSet;
  std::vector<std::unique_ptr<_EBlockBase>> blocks;
};

// Either one equation, or sub-blocks that must all hold (run in order, up to
// the first that fails; the changes of those that ran stay).
class EBlockMain : public _EBlockBase {
 public:
  EBlockMain() = default;
  // Path to path. code must satisfy _EquType1::isValidCode.
  EBlockMain(unsigned lFSIdx, const Path& lPath, unsigned rFSIdx, const Path& rPath, SymCode code);
  // Path to value. code must satisfy _EquType2::isValidCode.
  EBlockMain(unsigned lFSIdx, const Path& lPath, const Value& value, SymCode code);
  // Path with a code. code must satisfy _EquType3::isValidCode.
  EBlockMain(unsigned lFSIdx, const Path& lPath, SymCode code);

  // Appends a sub-block; an equation this block held is dropped first.
  void addBlock(std::unique_ptr<_EBlockBase> block);

  const _Equation* readEquation() const { return equation.get(); }

  bool run(FSRegisters& regs) const override;
  void print(std::ostream& os) const override;

 private:
  std::unique_ptr<_Equation> equation;
};

// *OR*: every alternative is tried; the registers become the disjunction of
// the results of the alternatives that held.
class EBlockOr : public EBlockMain {
 public:
  EBlockOr() = default;
  bool run(FSRegisters& regs) const override;
  void print(std::ostream& os) const override;
};

// *EOR*: the alternatives are tried in order; the first that holds wins.
class EBlockEor : public EBlockMain {
 public:
  EBlockEor() = default;
  bool run(FSRegisters& regs) const override;
  void print(std::ostream& os) const override;
};

struct _CaseEntry {
  Value v;
  size_t bi = 0;  // position of the branch in the sub-block list
};

// *CASE*: the value at a path of one register selects a branch.
class EBlockCase : public _EBlockBase {
 public:
  EBlockCase(unsigned fsIdx, const Path& path);

  void addCaseBlock(const Value& value, std::unique_ptr<_EBlockBase> block);
  // The entries go with their branches.
  void clearBlocks() override;

  bool run(FSRegisters& regs) const override;
  void print(std::ostream& os) const override;

 private:
  FSPath casePath;
  std::vector<_CaseEntry> entries;
};

std::ostream& operator<<(std::ostream& os, const _EBlockBase& b);

}  // namespace UKernel

#endif  // KERNEL_EBLOCK_H
