// kernel/tokDict.cpp
#include "kernel/tokDict.h"

namespace Toolbox {

int TokenDict::addToken(const std::string& text) {
  auto found = tMap.find(text);
  if (found != tMap.end()) return found->second;
  auto inserted = tMap.emplace(text, id).first;
  tVec.push_back(&inserted->first);
  rollbackID = id;
  return id++;
}

int TokenDict::lookup(const std::string& text) const {
  auto found = tMap.find(text);
  return found == tMap.end() ? -1 : found->second;
}

TokenDict& TokenID::dict() {
  static TokenDict theDict;
  return theDict;
}

}  // namespace Toolbox
