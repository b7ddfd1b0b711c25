// kernel/fsRegs.h
#ifndef KERNEL_FSREGS_H
#define KERNEL_FSREGS_H

#include <cassert>
#include <cstddef>
#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <vector>

#include "kernel/fStruc.h"

namespace UKernel {

// A set of register numbers, kept sorted.
class FSIdxSet {
 public:
  FSIdxSet() = default;
  FSIdxSet(std::initializer_list<unsigned> idx) {
    for (unsigned i : idx) insert(i);
  }

  void insert(unsigned i);
  bool contains(unsigned i) const;
  FSIdxSet& operator+=(const FSIdxSet& other);
  void clear() { idx.clear(); }
  bool empty() const { return idx.empty(); }
  size_t size() const { return idx.size(); }
  std::vector<unsigned>::const_iterator begin() const { return idx.begin(); }
  std::vector<unsigned>::const_iterator end() const { return idx.end(); }
  friend bool operator==(const FSIdxSet& a, const FSIdxSet& b) { return a.idx == b.idx; }

 private:
  std::vector<unsigned> idx;
};

// The registers an equation block runs on: register i is a feature structure,
// created empty and named "X" followed by i.
//
// A register file may also be a working copy of another one (view): its
// registers then designate the other file's structures until they are first
// written through the non-const operator[], which copies them. Equation
// blocks use views to try alternatives, so that an alternative copies only
// the registers it changes.
class FSRegisters {
 public:
  FSRegisters() = default;
  explicit FSRegisters(size_t n) { resize(n); }
  // Deep copies: every register of the copy is its own.
  FSRegisters(const FSRegisters& other);
  FSRegisters& operator=(const FSRegisters& other);
  FSRegisters(FSRegisters&&) noexcept = default;
  FSRegisters& operator=(FSRegisters&&) noexcept = default;
  ~FSRegisters();

  // Adds new empty registers up to n, or clears and drops those from n on.
  void resize(size_t n);
  // Makes sure register i exists.
  void add(size_t i) {
    if (i >= size()) resize(i + 1);
  }
  size_t size() const { return regs.size(); }

  // The structure of register i, to change it.
  FStruc& operator[](size_t i);
  const FStruc& operator[](size_t i) const {
    assert(i < regs.size() && "register beyond the register file");
    return *regs[i];
  }

  // Registers 0 to n-1 become copies of those of other (registers that other
  // lacks become empty); registers are added as needed.
  void copy(const FSRegisters& other, size_t n);

  // A view of base with the same number of registers, all still base's.
  // base must outlive the view and must not change while the view is used.
  static FSRegisters viewOf(const FSRegisters& base);
  // True when register i has been written in this view (or is an ordinary
  // register of its own).
  bool owns(size_t i) const { return fsList[i] != nullptr; }
  // Register i takes over fs; nothing is copied.
  void put(size_t i, FStruc&& fs);

 private:
  // regs[i] designates register i's structure: the one fsList[i] owns, or,
  // in a view, until it is written, the base file's.
  std::vector<const FStruc*> regs;
  std::vector<std::unique_ptr<FStruc>> fsList;
};

// The registers in order, separated by line breaks. In one-line mode each is
// preceded by its name and ": ", which the structure itself then omits.
std::ostream& operator<<(std::ostream& os, const FSRegisters& regs);

}  // namespace UKernel

#endif  // KERNEL_FSREGS_H
