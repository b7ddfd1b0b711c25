// corrections/PreProcess.cpp
#include "corrections/PreProcess.h"

#include <pstreams/pstream.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <vector>

namespace {
const char* const kDefaultScript = "/usr0/ulbe/Movarin/bin/PreProcessLogFiles.pl";
}  // namespace

std::string PreProcessScriptPath() {
  const char* env = std::getenv("REFINE_PREPROCESS_SCRIPT");
  return env && *env ? env : kDefaultScript;
}

bool PreProcessLogFile(const std::string& szLogFileName) {
  static bool s_fReported = false;
  const std::string script = PreProcessScriptPath();
  const std::vector<std::string> argv{script, szLogFileName};
  redi::ipstream proc(script, argv, redi::pstreams::pstdout);
  if (!proc.is_open()) {
    if (!s_fReported) {
      s_fReported = true;
      std::cerr << "cannot run the log pre-processing script " << script << ": "
                << std::strerror(proc.rdbuf()->error())
                << "; correction logs are read as they are\n";
    }
    return false;
  }
  // A script that writes more than a pipe holds would block if nobody read.
  char buffer[4096];
  while (proc.read(buffer, sizeof buffer) || proc.gcount() > 0) {
  }
  proc.close();
  return true;
}
