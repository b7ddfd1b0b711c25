// corrections/Word.cpp
#include "corrections/Word.h"

#include "rules/ParseTree.h"

#include <cctype>
#include <sstream>

void PlaceWordsInVector(const std::string& s, std::vector<Word>& words) {
  std::istringstream in(s);
  for (std::string token; in >> token;) {
    Word w;
    w.value = token;
    words.push_back(std::move(w));
  }
}

void WordVectorToString(const std::vector<Word>& words, std::string& s) {
  s.clear();
  for (const Word& w : words) s += w.value + " ";
}

int FindInWordVector(const std::vector<Word>& words, const std::string& s) {
  for (size_t i = 0; i < words.size(); ++i)
    if (words[i].value == s) return static_cast<int>(i) + 1;
  return -1;
}

bool AreWordVectorsEqual(const std::vector<Word>& a, const std::vector<Word>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].value != b[i].value) return false;
  return true;
}

namespace {

// A run of digits as a position; runs too long for an int name no word.
int ToPosition(const std::string& digits) {
  if (digits.size() > 9) return -1;
  return std::stoi(digits);
}

}  // namespace

void WordVectorSetAlignments(std::vector<Word>& words, const std::string& text, int nTLWords) {
  std::string blanked = text;
  for (char& c : blanked)
    if (!std::isdigit(static_cast<unsigned char>(c))) c = ' ';
  std::istringstream in(blanked);
  std::string sl, tl;
  while (in >> sl && in >> tl) {
    const int p = ToPosition(sl);
    const int q = ToPosition(tl);
    if (p < 1 || p > static_cast<int>(words.size())) continue;
    if (q < 1 || q > nTLWords) continue;
    words[p - 1].alignments.push_back(q);
    words[p - 1].Calignments.push_back(q);
  }
}

void AddAlignmentsFromCStructure(std::vector<Word>& words, const ParseTree& tree, int nTLWords) {
  for (int k = 1; k <= tree.GetNumLeaves() && k <= nTLWords; ++k) {
    const std::string& label = tree.GetLeaf(k - 1)->Label;
    const size_t colon = label.find(':');
    if (colon == std::string::npos) continue;
    size_t end = colon + 1;
    while (end < label.size() && std::isdigit(static_cast<unsigned char>(label[end]))) ++end;
    if (end == colon + 1) continue;
    const int p = ToPosition(label.substr(colon + 1, end - colon - 1));
    if (p < 1 || p > static_cast<int>(words.size())) continue;
    words[p - 1].alignments.push_back(k);
    words[p - 1].Calignments.push_back(k);
  }
}

void MirrorAlignments(const std::vector<Word>& vSL, std::vector<Word>& vTL) {
  for (Word& w : vTL) w.alignments.clear();
  for (size_t i = 0; i < vSL.size(); ++i)
    for (int p : vSL[i].alignments)
      if (p >= 1 && p <= static_cast<int>(vTL.size()))
        vTL[p - 1].alignments.push_back(static_cast<int>(i) + 1);
}

void MirrorCorrectedAlignments(const std::vector<Word>& vSL, std::vector<Word>& vTL) {
  for (Word& w : vTL) w.Calignments.clear();
  for (size_t i = 0; i < vSL.size(); ++i)
    for (int p : vSL[i].Calignments)
      if (p >= 1 && p <= static_cast<int>(vTL.size()))
        vTL[p - 1].Calignments.push_back(static_cast<int>(i) + 1);
}

void StringUtilSetToAfterString(std::string& s, const std::string& prefix) {
  const size_t at = s.find(prefix);
  if (at != std::string::npos) s.erase(0, at + prefix.size());
}
