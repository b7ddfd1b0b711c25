// refinement/RuleFileNames.cpp
#include "refinement/RuleFileNames.h"

namespace {

const char kFileExtension[] = ".trf";
const char kDash[] = "-";

std::string Stem(const std::string& given) {
  const std::string ext = kFileExtension;
  if (given.size() >= ext.size() && given.compare(given.size() - ext.size(), ext.size(), ext) == 0)
    return given.substr(0, given.size() - ext.size());
  return given;
}

}  // namespace

std::string NumberedRuleFileName(const std::string& given) {
  return Stem(given) + kDash + "ID" + kFileExtension;
}

std::string RefinedRuleFileName(const std::string& given, int version) {
  return Stem(given) + kDash + "REFINED" + kDash + std::to_string(version) + kFileExtension;
}
