// tests/fuzz/fstruct/FStructFuzz.cpp
// Any bytes must read without a crash or a hang, and every structure read
// must be whole: named X0 and printable in both text forms.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "transfer/transfer.h"

namespace {

// Discards what it is given.
class NullBuf : public std::streambuf {
 protected:
  int overflow(int c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TransferEngine engine;
  static NullBuf null;
  std::streambuf* out = std::cout.rdbuf(&null);
  std::streambuf* err = std::cerr.rdbuf(&null);

  const std::string text(reinterpret_cast<const char*>(data), size);
  // A text that starts with a comment also runs the trace.
  engine.debug = !text.empty() && text[0] == ';';
  const std::vector<UKernel::FStruc> fss = engine.stringToFS(text);

  std::cout.rdbuf(out);
  std::cerr.rdbuf(err);

  for (const UKernel::FStruc& fs : fss) {
    if (fs.readName().read() != "X0") std::abort();
    std::ostringstream indented, line;
    indented << fs;
    UKernel::FStruc::indentPrint = false;
    line << fs;
    UKernel::FStruc::indentPrint = true;
    if (indented.str().empty() || line.str().empty()) std::abort();
  }
  return 0;
}
