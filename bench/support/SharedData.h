// bench/support/SharedData.h
#pragma once

#include <cstdlib>
#include <string>

namespace benchsupport {

// The real-size lexicon under the shared data folder. The environment
// variable REFINE_SHARED_DATA overrides the folder compiled in, for checkouts
// that do not sit beside the shared data.
inline std::string SharedLexicon() {
  const char* dir = std::getenv("REFINE_SHARED_DATA");
  return std::string(dir ? dir : REFINE_SHARED_DATA) + "/en-es-lexicon.trf";
}

}  // namespace benchsupport
