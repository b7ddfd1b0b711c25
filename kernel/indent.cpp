// kernel/indent.cpp
#include "kernel/indent.h"

namespace Toolbox {

long& indent(std::ostream& os) {
  static const int slot = std::ios_base::xalloc();
  return os.iword(slot);
}

std::ostream& newline(std::ostream& os) {
  os << '\n';
  for (long i = indent(os); i > 0; --i) os << ' ';
  return os;
}

}  // namespace Toolbox
