// transfer/lexiconIndex.cpp
// The line-based lexicon file index, from which lexical entries are loaded
// when a word is first needed, and the context-score file.
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "transfer/transfer.h"

namespace {

bool getLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

std::string trimmed(const std::string& text) {
  const std::size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  const std::size_t e = text.find_last_not_of(" \t");
  return text.substr(b, e - b + 1);
}

// The ID of an ID line "{NAME,INDEX}" as the rule-file reader makes it: the
// name, a comma and the index read as a decimal integer (NP,007 is NP,7).
std::string idOfLine(const std::string& line) {
  const std::size_t close = line.find('}');
  const std::string inner = line.substr(1, close == std::string::npos ? close : close - 1);
  const std::size_t comma = inner.find(',');
  if (comma == std::string::npos) return trimmed(inner);
  const std::string index = trimmed(inner.substr(comma + 1));
  long n = std::strtol(index.c_str(), nullptr, 10);
  if (n > INT_MAX) n = INT_MAX;
  if (n < INT_MIN) n = INT_MIN;
  return trimmed(inner.substr(0, comma)) + "," + std::to_string(n);
}

// Category and head word of a header line such as
// N::N |: ["house"] -> ["casa"]. False when the line has neither.
bool readHeader(const std::string& header, std::string& category, std::string& head) {
  const std::size_t sep = header.find("::");
  const std::size_t open = header.find('[');
  if (sep == std::string::npos || open == std::string::npos) return false;
  category = trimmed(header.substr(0, sep));
  std::size_t from = open + 1;
  if (from >= header.size() || header[from] != '"') {
    const std::size_t end = header.find_first_of(" ]", from);
    head = header.substr(from, end == std::string::npos ? std::string::npos : end - from);
    return true;
  }
  // A quoted word is taken as the reader takes it: \" and \\ stand for the
  // character after the backslash, so a word with a double quote is found
  // under the same head word as its rule's source word.
  head.clear();
  for (std::size_t i = from + 1; i < header.size(); ++i) {
    char c = header[i];
    if (c == ' ' || c == '"' || c == ']') break;
    if (c == '\\' && i + 1 < header.size() && (header[i + 1] == '"' || header[i + 1] == '\\'))
      c = header[++i];
    head += c;
  }
  return true;
}

}  // namespace

int TransferEngine::loadLexiconFile(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << "Unable to open " << file << "." << std::endl;
    return 0;
  }
  int count = 0;
  bool open = false;
  std::string entry, head, id, line;
  long lineNumber = 0;
  auto closeEntry = [&]() {
    if (!open) return;
    open = false;
    lexiconfiledb[head] += entry;
    if (!id.empty()) idsrcword[id] = head;
    if (++count % 10000 == 0) std::cout << "." << std::flush;
  };
  while (getLine(in, line)) {
    ++lineNumber;
    if (!line.empty() && line[0] == ';') continue;
    const bool idLine = !line.empty() && line[0] == '{';
    if (!idLine && line.find("|:") == std::string::npos) {
      if (open) entry += line + "\n";
      continue;
    }
    closeEntry();
    const long entryLine = lineNumber;
    entry = line + "\n";
    id.clear();
    std::string header = line;
    if (idLine) {
      id = applyCase(idOfLine(line));
      header.clear();
      if (getLine(in, header)) {
        ++lineNumber;
        entry += header + "\n";
      }
    }
    std::string category;
    if (!readHeader(header, category, head)) {
      std::cerr << file << ":" << entryLine
                << ": lexicon entry without \"::\" and \"[\" in its header; not indexed"
                << std::endl;
      continue;
    }
    category = applyCase(category);
    head = applyCase(head);
    poslexicondb[category].insert(head);
    open = true;
  }
  closeEntry();
  return count;
}

void TransferEngine::loadContextScores(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::cerr << "Unable to open " << file << "." << std::endl;
    return;
  }
  std::string line;
  long lineNumber = 0;
  while (getLine(in, line)) {
    ++lineNumber;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    const char* start = tab == std::string::npos ? nullptr : line.c_str() + tab + 1;
    char* end = nullptr;
    const double score = start ? std::strtod(start, &end) : 0;
    if (!start || end == start || !std::isfinite(score)) {
      std::cerr << file << ":" << lineNumber
                << ": expected a context, a tab and a score; line skipped" << std::endl;
      continue;
    }
    contextscores[line.substr(0, tab)] = score;
  }
}
