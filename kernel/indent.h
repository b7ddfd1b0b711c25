// kernel/indent.h
#ifndef KERNEL_INDENT_H
#define KERNEL_INDENT_H

#include <ostream>

namespace Toolbox {

// Indentation of an output stream, in blanks; every stream starts at 0.
long& indent(std::ostream& os);

// Writes an end of line followed by the stream's indentation.
std::ostream& newline(std::ostream& os);

// Raises the indentation of a stream for its lifetime.
class IndentGuard {
 public:
  IndentGuard(std::ostream& os, long by) : os_(os), by_(by) { indent(os_) += by_; }
  ~IndentGuard() { indent(os_) -= by_; }
  IndentGuard(const IndentGuard&) = delete;
  IndentGuard& operator=(const IndentGuard&) = delete;

 private:
  std::ostream& os_;
  long by_;
};

}  // namespace Toolbox

#endif  // KERNEL_INDENT_H
