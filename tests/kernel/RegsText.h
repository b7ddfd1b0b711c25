// tests/kernel/RegsText.h
// Register files from and to text for tests: the registers' structures in the
// one-line form of KernelText, joined by " | ".
#ifndef TESTS_KERNEL_REGSTEXT_H
#define TESTS_KERNEL_REGSTEXT_H

#include <string>
#include <vector>

#include "kernel/fsRegs.h"
#include "tests/kernel/KernelText.h"

namespace kt {

inline UKernel::FSRegisters RegsOf(const std::vector<std::string>& texts) {
  UKernel::FSRegisters regs(texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    UKernel::FStruc fs = FS(texts[i]);
    fs.setName(regs[i].readName());
    regs[i] = fs;
  }
  return regs;
}

// "((a 1)) | ()": two registers.
inline UKernel::FSRegisters Regs(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0, bar;
  while ((bar = text.find(" | ", start)) != std::string::npos) {
    parts.push_back(text.substr(start, bar - start));
    start = bar + 3;
  }
  parts.push_back(text.substr(start));
  return RegsOf(parts);
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
