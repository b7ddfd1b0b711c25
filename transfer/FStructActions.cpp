// transfer/FStructActions.cpp
// What the feature-structure parser does with the text it recognises.
#include "FStructParser.hpp"

#include <algorithm>
#include <cassert>
#include <iostream>

#include "kernel/path.h"
#include "kernel/symbol.h"
#include "kernel/value.h"

void FStructParser::beginStruct() {
  assert(featurepath.empty() && ignore.empty() && inmultiple == 0 && fstructstack.empty() &&
         "a structure starts at the top level");
  if (debug) std::cout << "Initing New feature structure\n";
  fstructstack.emplace_back(UKernel::Symbol("X0"));
  currentpaths.clear();
  broken = false;
  if (debug) {
    const UKernel::FStruc& fs = fstructstack.back();
    std::cout << "* The starting FS (X0):\n"
              << "x0 name is " << fs.readName() << "\n"
              << fs << "\n\n";
  }
}

void FStructParser::endStruct() {
  assert(!fstructstack.empty() && "a structure is open");
  if (!broken && lexfss) lexfss->push_back(std::move(fstructstack.back()));
  fstructstack.pop_back();
}

void FStructParser::stackFeature(const std::string& name) {
  featurepath.push_back(name);
  if (debug) std::cout << "Stacking Feature " << name << "\n";
}

// Outside multiple groups a path may be given once per structure; the pair
// that repeats one is read but stores nothing.
void FStructParser::checkPath() {
  bool duplicate = false;
  if (inmultiple == 0) {
    std::string text;
    for (const std::string& name : featurepath) text += name + " ";
    if (!currentpaths.insert(text).second) {
      std::cout << "*** Duplicate path found!! " << text << "\n"
                << "Ignoring duplicate path \n";
      duplicate = true;
    }
  }
  ignore.push_back(duplicate);
}

void FStructParser::endPair() {
  assert(!featurepath.empty() && !ignore.empty() && "a pair is open");
  featurepath.pop_back();
  ignore.pop_back();
}

bool FStructParser::ignored() const {
  return std::find(ignore.begin(), ignore.end(), true) != ignore.end();
}

void FStructParser::storeValue(const UKernel::Value& v) {
  assert(!fstructstack.empty() && "a structure is open");
  UKernel::Path path;
  if (debug) std::cout << "Clearing lpath\n";
  for (const std::string& name : featurepath) {
    if (debug) std::cout << "Pushing back " << name << "\n";
    path.add(UKernel::Symbol(name));
  }
  if (ignored()) {
    if (debug) std::cout << "Ignoring value " << v;
    return;
  }
  if (debug) std::cout << "Adding Value " << v << "\n\n";
  fstructstack.back().assign(path, v);
}

// The members of a group are structures of their own: their pairs start
// from an empty path.
void FStructParser::beginMultiple(std::vector<std::string>& saved) {
  if (debug) std::cout << "\nStart MULTIPLE block\n";
  saved = featurepath;
  featurepath.clear();
  if (debug) std::cout << "Clearing mult path\n";
  ++inmultiple;
}

void FStructParser::endMember(std::vector<UKernel::FStruc>& members) {
  members.push_back(std::move(fstructstack.back()));
  fstructstack.pop_back();
  if (debug) std::cout << "Appending MULTIPLE Value \n\n";
}

// Pushing the last member first leaves the first member written on top.
void FStructParser::endMultiple(const std::vector<std::string>& saved,
                                const std::vector<UKernel::FStruc>& members) {
  featurepath = saved;
  --inmultiple;
  UKernel::Path path;
  for (size_t i = 0; i < saved.size(); ++i) {
    if (debug)
      std::cout << "Pushing back " << saved[i] << " i " << i << " of " << saved.size() << "\n";
    path.add(UKernel::Symbol(saved[i]));
  }
  if (ignored()) return;
  for (auto m = members.rbegin(); m != members.rend(); ++m)
    fstructstack.back().push(path, *m, UKernel::Path());
}

void FStructParser::checkDepth() {
  if (ignore.size() >= kMaxDepth) {
    const antlr::RefToken t = LT(1);
    throw antlr::RecognitionException("feature structure nested too deeply", getFilename(),
                                      t->getLine(), t->getColumn());
  }
}
