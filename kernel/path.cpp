// kernel/path.cpp
#include "kernel/path.h"

#include <ostream>
#include <sstream>

namespace UKernel {

Path Path::fromText(const std::string& text) {
  Path p;
  std::istringstream in(text);
  std::string name;
  while (in >> name) p.add(Symbol(name));
  return p;
}

std::ostream& operator<<(std::ostream& os, const Path& p) {
  bool first = true;
  for (const Feature& f : p) {
    if (!first) os << ' ';
    os << f.name;
    first = false;
  }
  return os;
}

}  // namespace UKernel
