// kernel/path.h
#ifndef KERNEL_PATH_H
#define KERNEL_PATH_H

#include <initializer_list>
#include <iosfwd>
#include <string>
#include <vector>

#include "kernel/symbol.h"

namespace UKernel {

// The datum of a feature-structure node. A node with vFlag set holds a value:
// vi is the position of that value in the owning structure's value list.
// Features are ordered and compared by the id of their name alone.
struct Feature {
  static constexpr unsigned vFlag = 1u;

  unsigned flags = 0;
  Symbol name;
  int vi = -1;

  Feature() = default;
  explicit Feature(const Symbol& n) : name(n) {}
  Feature(const Symbol& n, int valuePos) : flags(vFlag), name(n), vi(valuePos) {}

  void setValue(bool on) { flags = on ? (flags | vFlag) : (flags & ~vFlag); }
  bool isValue() const { return (flags & vFlag) != 0; }

  friend bool operator<(const Feature& a, const Feature& b) { return a.name < b.name; }
  friend bool operator==(const Feature& a, const Feature& b) { return a.name == b.name; }
};

// Feature names from a structure's root down to a node; the empty path is the
// root. Only the names of the features matter.
class Path {
 public:
  enum CmpResult { isPrefix, hasPrefix, equal, none };

  Path() = default;
  Path(std::initializer_list<Symbol> names) {
    for (const Symbol& s : names) features.emplace_back(s);
  }
  // Path of blank-separated names, for example "agr num".
  static Path fromText(const std::string& text);

  void add(const Symbol& name) { features.emplace_back(name); }
  void push_back(const Feature& f) { features.push_back(f); }
  void pop_back() { features.pop_back(); }
  size_t size() const { return features.size(); }
  bool empty() const { return features.empty(); }
  const Feature& operator[](size_t i) const { return features[i]; }
  std::vector<Feature>::const_iterator begin() const { return features.begin(); }
  std::vector<Feature>::const_iterator end() const { return features.end(); }
  void clear() { features.clear(); }

 private:
  std::vector<Feature> features;
};

// The names separated by single blanks, each written as a symbol is.
std::ostream& operator<<(std::ostream& os, const Path& p);

}  // namespace UKernel

#endif  // KERNEL_PATH_H
