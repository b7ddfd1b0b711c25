// kernel/tokDict.h
#ifndef KERNEL_TOKDICT_H
#define KERNEL_TOKDICT_H

#include <string>
#include <unordered_map>
#include <vector>

namespace Toolbox {

// Interns strings as dense integer ids, handed out in order of first use from
// 0 and never reused. Id to text is constant time: tVec points at the keys of
// tMap, whose nodes never move.
class TokenDict {
 public:
  int addToken(const std::string& text);
  // The id of text, or -1 when it was never interned.
  int lookup(const std::string& text) const;
  const std::string& readToken(int i) const { return *tVec[static_cast<size_t>(i)]; }
  int size() const { return id; }

 private:
  std::unordered_map<std::string, int> tMap;
  std::vector<const std::string*> tVec;
  int id = 0;
  int rollbackID = 0;
};

// An id in the one process-wide dictionary. Comparisons look at the integers
// only, never at the strings.
class TokenID {
 public:
  TokenID() = default;
  explicit TokenID(int i) : id(i) {}
  explicit TokenID(const std::string& text) : id(dict().addToken(text)) {}

  // Created on first use, shared by every subsystem, never cleared.
  static TokenDict& dict();

  friend bool operator<(const TokenID& a, const TokenID& b) { return a.id < b.id; }
  friend bool operator>(const TokenID& a, const TokenID& b) { return a.id > b.id; }
  friend bool operator<=(const TokenID& a, const TokenID& b) { return a.id <= b.id; }
  friend bool operator>=(const TokenID& a, const TokenID& b) { return a.id >= b.id; }
  friend bool operator==(const TokenID& a, const TokenID& b) { return a.id == b.id; }
  friend bool operator!=(const TokenID& a, const TokenID& b) { return a.id != b.id; }

 protected:
  int id = -1;
};

}  // namespace Toolbox

#endif  // KERNEL_TOKDICT_H
