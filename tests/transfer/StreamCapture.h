// tests/transfer/StreamCapture.h
#pragma once

#include <iostream>
#include <sstream>
#include <string>

// Collects what is written to a standard stream while it lives.
class StreamCapture {
 public:
  explicit StreamCapture(std::ostream& s) : stream_(s), old_(s.rdbuf(buf_.rdbuf())) {}
  ~StreamCapture() { stream_.rdbuf(old_); }
  StreamCapture(const StreamCapture&) = delete;
  StreamCapture& operator=(const StreamCapture&) = delete;
  std::string text() const { return buf_.str(); }

 private:
  std::ostream& stream_;
  std::ostringstream buf_;
  std::streambuf* old_;
};
