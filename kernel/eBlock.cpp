// kernel/eBlock.cpp
#include "kernel/eBlock.h"

#include <algorithm>
#include <cassert>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>

#include "kernel/fStruc.h"
#include "kernel/indent.h"

namespace UKernel {

namespace {

bool withoutFilter(SymCode code) {
  return code == OP_CONSTRAIN_NOFILTER || code == OP_TEST_NOFILTER || code == OP_ISO_NOFILTER;
}

}  // namespace

std::ostream& operator<<(std::ostream& os, const _EBlockBase& b) {
  b.print(os);
  return os;
}

// ---- common part ----

_EBlockBase::~_EBlockBase() = default;

void _EBlockBase::clearBlocks() {
  blocks.clear();
  maxFSIdx = 0;
}

void _EBlockBase::appendBlock(std::unique_ptr<_EBlockBase> block) {
  assert(block && "a sub-block must exist");
  if (!block) return;
  maxFSIdx = std::max(maxFSIdx, block->maxFSIdx);
  mIdxSet += block->mIdxSet;
  blocks.push_back(std::move(block));
}

void _EBlockBase::printBlocks(std::ostream& os) const {
  for (size_t i = 0; i < blocks.size(); ++i) {
    if (i) Toolbox::newline(os);
    blocks[i]->print(os);
  }
}

// ---- main block ----

EBlockMain::EBlockMain(unsigned lFSIdx, const Path& lPath, unsigned rFSIdx, const Path& rPath,
                       SymCode code)
    : equation(std::make_unique<_EquType1>(FSPath(lFSIdx, lPath), FSPath(rFSIdx, rPath), code)) {
  maxFSIdx = std::max(lFSIdx, rFSIdx);
  if (!withoutFilter(code)) mIdxSet.insert(lFSIdx);
  // These two take something off the right-hand structure.
  if (code == OP_REMOVE_ASSIGN || code == OP_POP) mIdxSet.insert(rFSIdx);
}

EBlockMain::EBlockMain(unsigned lFSIdx, const Path& lPath, const Value& value, SymCode code)
    : equation(std::make_unique<_EquType2>(FSPath(lFSIdx, lPath), value, code)) {
  maxFSIdx = lFSIdx;
  if (!withoutFilter(code)) mIdxSet.insert(lFSIdx);
}

EBlockMain::EBlockMain(unsigned lFSIdx, const Path& lPath, SymCode code)
    : equation(std::make_unique<_EquType3>(FSPath(lFSIdx, lPath), code)) {
  maxFSIdx = lFSIdx;
  mIdxSet.insert(lFSIdx);
}

void EBlockMain::addBlock(std::unique_ptr<_EBlockBase> block) {
  if (equation) {
    equation.reset();
    maxFSIdx = 0;
    mIdxSet.clear();
  }
  appendBlock(std::move(block));
}

bool EBlockMain::run(FSRegisters& regs) const {
  if (equation) return equation->run(regs);
  for (const auto& b : blocks)
    if (!b->run(regs)) return false;
  return true;
}

void EBlockMain::print(std::ostream& os) const {
  os << '(';
  {
    Toolbox::IndentGuard guard(os, 1);
    if (equation) {
      equation->print(os);
    } else {
      printBlocks(os);
    }
  }
  os << ')';
}

// ---- *OR* ----

// Each alternative that may change registers runs on its own view of the
// registers, which copies only the registers the alternative writes. The
// views of the alternatives that held are merged at the end: a register
// becomes the disjunction of what the alternatives left in it.
bool EBlockOr::run(FSRegisters& regs) const {
  if (blocks.empty()) return true;
  bool ok = false;
  std::vector<FSRegisters> kept;
  FSIdxSet changed;
  for (const auto& alt : blocks) {
    if (alt->readMIdxSet().empty()) {
      if (alt->run(regs)) ok = true;
      continue;
    }
    FSRegisters work = FSRegisters::viewOf(regs);
    if (alt->run(work)) {
      ok = true;
      changed += alt->readMIdxSet();
      kept.push_back(std::move(work));
    }
  }
  if (kept.empty()) return ok;

  // Registers that some kept alternative wrote. A register no alternative
  // wrote would merge with itself and stays as it is.
  std::vector<unsigned> merge;
  for (unsigned i : changed) {
    if (i >= regs.size()) continue;
    if (std::any_of(kept.begin(), kept.end(), [i](const FSRegisters& k) { return k.owns(i); }))
      merge.push_back(i);
  }
  // An atomic result cannot be merged with a complex one: the block fails
  // before anything is changed.
  for (unsigned i : merge) {
    bool atomic = false, complex = false;
    for (const FSRegisters& k : kept) {
      const FStruc& fs = k[i];
      atomic = atomic || fs.isValue();
      complex = complex || fs.isComplex();
    }
    if (atomic && complex) return false;
  }
  // All results are built before any register is replaced, since the views
  // still read the registers they did not write.
  std::vector<FStruc> results;
  results.reserve(merge.size());
  for (unsigned i : merge) {
    FSRegisters& first = kept.front();
    results.push_back(first.owns(i) ? std::move(first[i]) : FStruc(std::as_const(first)[i]));
    for (size_t k = 1; k < kept.size(); ++k) results.back().mergeOr(std::as_const(kept[k])[i]);
  }
  for (size_t j = 0; j < merge.size(); ++j) regs.put(merge[j], std::move(results[j]));
  return true;
}

void EBlockOr::print(std::ostream& os) const {
  os << "(*OR* ";
  {
    Toolbox::IndentGuard guard(os, 6);
    printBlocks(os);
  }
  os << ')';
}

// ---- *EOR* ----

bool EBlockEor::run(FSRegisters& regs) const {
  if (blocks.empty()) return true;
  for (const auto& alt : blocks) {
    const FSIdxSet& touched = alt->readMIdxSet();
    if (touched.empty()) {
      if (alt->run(regs)) return true;
      continue;
    }
    FSRegisters work = FSRegisters::viewOf(regs);
    if (!alt->run(work)) continue;
    for (unsigned i : touched)
      if (i < regs.size() && work.owns(i)) regs.put(i, std::move(work[i]));
    return true;
  }
  return false;
}

void EBlockEor::print(std::ostream& os) const {
  os << "(*EOR* ";
  {
    Toolbox::IndentGuard guard(os, 7);
    printBlocks(os);
  }
  os << ')';
}

// ---- *CASE* ----

EBlockCase::EBlockCase(unsigned fsIdx, const Path& path) : casePath(fsIdx, path) {
  maxFSIdx = fsIdx;
}

void EBlockCase::addCaseBlock(const Value& value, std::unique_ptr<_EBlockBase> block) {
  if (!block) return;
  appendBlock(std::move(block));
  entries.push_back(_CaseEntry{value, blocks.size() - 1});
}

void EBlockCase::clearBlocks() {
  entries.clear();
  _EBlockBase::clearBlocks();
}

bool EBlockCase::run(FSRegisters& regs) const {
  if (casePath.fsIdx >= regs.size()) return false;
  const FStruc& fs = std::as_const(regs)[casePath.fsIdx];
  for (const _CaseEntry& e : entries)
    if (fs.constrainNoFilter(casePath.path, e.v)) return blocks[e.bi]->run(regs);
  return false;
}

void EBlockCase::print(std::ostream& os) const {
  os << "(*CASE* " << casePath;
  for (const _CaseEntry& e : entries) {
    std::ostringstream text;
    text << e.v;
    const std::string v = text.str();
    Toolbox::newline(os);
    os << "  (" << v << ' ';
    {
      // The branch lines up under its first line: two blanks, "(", the
      // value and a blank.
      Toolbox::IndentGuard guard(os, static_cast<long>(v.size()) + 4);
      blocks[e.bi]->print(os);
    }
    os << ')';
  }
  os << ')';
}

}  // namespace UKernel
