// tests/support/RunProgram.h
#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct RunResult {
  int status = -1;  // exit status as the shell sees it (0..255), or -1 if it did not exit
  std::string out;  // everything written to standard output
  std::string err;  // everything written to standard error
};

// Runs `program` with the given argument vector (args[0] is the name the
// program sees as argv[0]) in directory `cwd` (empty: the current one),
// feeding `input` to its standard input. Waits for it to end.
RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& cwd = "", const std::string& input = "");

// The whole content of a file, or "" when it cannot be read.
std::string ReadFile(const std::string& path);

// A fresh empty directory under the system's temporary directory; removed
// with everything in it when the object is destroyed.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Writes `content` to path()/name and returns that path.
  std::string write(const std::string& name, const std::string& content) const;

 private:
  std::string path_;
};

}  // namespace testsupport
