// tests/kernel/KernelText.h
// Builds values and structures from a compact text for tests, independent of
// the kernel's operations. Values: an atom, "quoted text", [] for a box, or
// (*OR* ...), (*NOT* ...), (*MULTIPLE* ...). Structures: the one-line printed
// form, e.g. ((cat n) (agr (*OR* ((num sg)) ((num pl))))), with [] as a box
// member of a group.
#ifndef TESTS_KERNEL_KERNELTEXT_H
#define TESTS_KERNEL_KERNELTEXT_H

#include <string>

#include "kernel/fStruc.h"
#include "kernel/value.h"

namespace kt {

UKernel::Value V(const std::string& text);
UKernel::FStruc FS(const std::string& text);
// Text forms: the value's output, the one-line and the indented structure form.
std::string Str(const UKernel::Value& v);
std::string Line(const UKernel::FStruc& fs);
std::string Indented(const UKernel::FStruc& fs);

}  // namespace kt

#endif  // TESTS_KERNEL_KERNELTEXT_H
