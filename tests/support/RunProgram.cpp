// tests/support/RunProgram.cpp
#include "tests/support/RunProgram.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testsupport {

namespace {

std::string Slurp(int fd) {
  std::string s;
  char buf[4096];
  lseek(fd, 0, SEEK_SET);
  ssize_t n;
  while ((n = read(fd, buf, sizeof buf)) > 0) s.append(buf, static_cast<size_t>(n));
  return s;
}

int TempFile() {
  char name[] = "/tmp/refine-run-XXXXXX";
  int fd = mkstemp(name);
  if (fd < 0) throw std::runtime_error("mkstemp failed");
  unlink(name);
  return fd;
}

}  // namespace

RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& cwd, const std::string& input) {
  int in = TempFile(), out = TempFile(), err = TempFile();
  if (write(in, input.data(), input.size()) != static_cast<ssize_t>(input.size()))
    throw std::runtime_error("cannot write program input");
  lseek(in, 0, SEEK_SET);

  pid_t pid = fork();
  if (pid == 0) {
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  RunResult r;
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) r.status = WEXITSTATUS(status);
  r.out = Slurp(out);
  r.err = Slurp(err);
  close(in);
  close(out);
  close(err);
  return r;
}

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

TempDir::TempDir() {
  char name[] = "/tmp/refine-test-XXXXXX";
  if (!mkdtemp(name)) throw std::runtime_error("mkdtemp failed");
  path_ = name;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
  std::string p = file(name);
  std::filesystem::create_directories(std::filesystem::path(p).parent_path());
  std::ofstream f(p, std::ios::binary);
  f << content;
  return p;
}

}  // namespace testsupport
