// kernel/fsRegs.cpp
#include "kernel/fsRegs.h"

#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>

#include "kernel/indent.h"

namespace UKernel {

// ---- FSIdxSet ----

void FSIdxSet::insert(unsigned i) {
  auto at = std::lower_bound(idx.begin(), idx.end(), i);
  if (at == idx.end() || *at != i) idx.insert(at, i);
}

bool FSIdxSet::contains(unsigned i) const { return std::binary_search(idx.begin(), idx.end(), i); }

FSIdxSet& FSIdxSet::operator+=(const FSIdxSet& other) {
  if (other.idx.empty()) return *this;
  std::vector<unsigned> both;
  both.reserve(idx.size() + other.idx.size());
  std::set_union(idx.begin(), idx.end(), other.idx.begin(), other.idx.end(),
                 std::back_inserter(both));
  idx.swap(both);
  return *this;
}

// ---- FSRegisters ----

namespace {

std::unique_ptr<FStruc> newRegister(size_t i) {
  return std::make_unique<FStruc>(Symbol("X" + std::to_string(i)));
}

}  // namespace

FSRegisters::FSRegisters(const FSRegisters& other) { copy(other, other.size()); }

FSRegisters& FSRegisters::operator=(const FSRegisters& other) {
  if (this != &other) {
    FSRegisters tmp(other);
    *this = std::move(tmp);
  }
  return *this;
}

FSRegisters::~FSRegisters() = default;

void FSRegisters::resize(size_t n) {
  size_t old = size();
  if (n < old) {
    regs.resize(n);
    fsList.resize(n);
    return;
  }
  regs.reserve(n);
  fsList.reserve(n);
  for (size_t i = old; i < n; ++i) {
    fsList.push_back(newRegister(i));
    regs.push_back(fsList.back().get());
  }
}

FStruc& FSRegisters::operator[](size_t i) {
  assert(i < regs.size() && "register beyond the register file");
  if (!fsList[i]) {
    // First write to a register of the base file: take a copy of it.
    fsList[i] = std::make_unique<FStruc>(*regs[i]);
    regs[i] = fsList[i].get();
  }
  return *fsList[i];
}

void FSRegisters::copy(const FSRegisters& other, size_t n) {
  if (n > size()) resize(n);
  if (&other == this) return;
  for (size_t i = 0; i < n; ++i) {
    if (i < other.size()) {
      put(i, FStruc(other[i]));
    } else {
      put(i, FStruc(Symbol("X" + std::to_string(i))));
    }
  }
}

FSRegisters FSRegisters::viewOf(const FSRegisters& base) {
  FSRegisters view;
  view.regs = base.regs;
  view.fsList.resize(base.size());
  return view;
}

void FSRegisters::put(size_t i, FStruc&& fs) {
  if (fsList[i]) {
    *fsList[i] = std::move(fs);
  } else {
    fsList[i] = std::make_unique<FStruc>(std::move(fs));
    regs[i] = fsList[i].get();
  }
}

std::ostream& operator<<(std::ostream& os, const FSRegisters& regs) {
  for (size_t i = 0; i < regs.size(); ++i) {
    if (i) Toolbox::newline(os);
    if (!FStruc::indentPrint) os << regs[i].readName() << ": ";
    os << regs[i];
  }
  return os;
}

}  // namespace UKernel
