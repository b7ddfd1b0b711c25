// tests/kernel/RegsText.h
// Register files from and to text for tests: one structure text per register
// (the one-line form of KernelText), the registers joined by " | ".
#ifndef TESTS_KERNEL_REGSTEXT_H
#define TESTS_KERNEL_REGSTEXT_H

#include <string>
#include <vector>

#include "kernel/fsRegs.h"
#include "tests/kernel/KernelText.h"

namespace kt {

inline UKernel::FSRegisters Regs(const std::vector<std::string>& texts) {
  UKernel::FSRegisters regs(texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    UKernel::FStruc fs = FS(texts[i]);
    fs.setName(regs[i].readName());
    regs[i] = fs;
  }
  return regs;
}

inline std::string Dump(const UKernel::FSRegisters& regs) {
  std::string out;
  for (size_t i = 0; i < regs.size(); ++i) {
    if (i) out += " | ";
    out += Line(regs[i]);
  }
  return out;
}

}  // namespace kt

#endif  // TESTS_KERNEL_REGSTEXT_H
