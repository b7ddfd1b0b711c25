// tests/kernel/KernelText.cpp
#include "tests/kernel/KernelText.h"

#include <cctype>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace kt {

using namespace UKernel;

namespace {

std::vector<std::string> Tokens(const std::string& text) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '(' || c == ')') {
      out.emplace_back(1, c);
      ++i;
    } else if (c == '"') {
      std::string t = "\"";
      for (++i; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] == '\\') ++i;
        t += text[i];
      }
      ++i;
      out.push_back(t);
    } else {
      size_t j = i;
      while (j < text.size() && !std::isspace(static_cast<unsigned char>(text[j])) &&
             text[j] != '(' && text[j] != ')')
        ++j;
      out.push_back(text.substr(i, j - i));
      i = j;
    }
  }
  return out;
}

Symbol Sym(const std::string& t) {
  if (t[0] == '"') return Symbol(t.substr(1));
  for (int code = NUMBER; code <= UNKNOWN; ++code) {
    Symbol s(static_cast<SymCode>(code));
    if (s.read() == t) return s;
  }
  return Symbol(t);
}

struct Reader {
  std::vector<std::string> toks;
  size_t pos = 0;

  const std::string& peek(size_t ahead = 0) const {
    static const std::string kEnd;
    return pos + ahead < toks.size() ? toks[pos + ahead] : kEnd;
  }
  void expect(const std::string& t) {
    if (peek() != t) throw std::runtime_error("expected " + t + " at token " + std::to_string(pos));
    ++pos;
  }

  void value(Value& v, Value::Node* mother) {
    if (peek() == "(") {
      ++pos;
      Value::Node* n = v.insert(mother, mother ? mother->size() : 0, Sym(toks[pos++]));
      while (peek() != ")") value(v, n);
      ++pos;
    } else {
      v.insert(mother, mother ? mother->size() : 0, Sym(toks[pos++]));
    }
  }

  static bool isGroup(const std::string& t) { return t == "*OR*" || t == "*MULTIPLE*"; }

  // At "(": does a structure node's contents follow (rather than a value)?
  bool structureAhead() const {
    const std::string& t = peek(1);
    if (t == "(" || t == ")") return true;
    if (!isGroup(t)) return false;
    size_t k = 2;
    while (peek(k) == "[]") ++k;
    return peek(k) == "(" && (peek(k + 1) == "(" || peek(k + 1) == ")");
  }

  // The contents of a structure node up to, not including, its ")".
  void inner(FStruc& fs, FStruc::Node* n) {
    if (isGroup(peek())) {
      Symbol group = Sym(toks[pos++]);
      while (peek() != ")") {
        if (peek() == "[]") {
          ++pos;
          fs.insert(n, n->size(), Feature(Symbol(BOX)));
          continue;
        }
        expect("(");
        FStruc::Node* m = fs.insert(n, n->size(), Feature(group));
        inner(fs, m);
        expect(")");
      }
      return;
    }
    while (peek() == "(") {
      ++pos;
      FStruc::Node* f = fs.insert(n, n->size(), Feature(Sym(toks[pos++])));
      if (peek() == "(" && structureAhead()) {
        ++pos;
        inner(fs, f);
        expect(")");
      } else {
        Value v;
        value(v, nullptr);
        fs.makeValueNode(f, v);
      }
      expect(")");
    }
  }
};

}  // namespace

Value V(const std::string& text) {
  Reader r{Tokens(text)};
  Value v;
  if (!r.toks.empty()) r.value(v, nullptr);
  if (r.pos != r.toks.size()) throw std::runtime_error("trailing text in value " + text);
  return v;
}

FStruc FS(const std::string& text) {
  Reader r{Tokens(text)};
  FStruc fs;
  if (r.peek() != "(") {
    fs.makeValueNode(fs.root(), V(text));
    return fs;
  }
  r.expect("(");
  r.inner(fs, fs.root());
  r.expect(")");
  if (r.pos != r.toks.size()) throw std::runtime_error("trailing text in structure " + text);
  return fs;
}

std::string Str(const Value& v) {
  std::ostringstream os;
  os << v;
  return os.str();
}

std::string Line(const FStruc& fs) {
  bool saved = FStruc::indentPrint;
  FStruc::indentPrint = false;
  std::ostringstream os;
  os << fs;
  FStruc::indentPrint = saved;
  return os.str();
}

std::string Indented(const FStruc& fs) {
  bool saved = FStruc::indentPrint;
  FStruc::indentPrint = true;
  std::ostringstream os;
  os << fs;
  FStruc::indentPrint = saved;
  return os.str();
}

}  // namespace kt
