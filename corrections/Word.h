// corrections/Word.h
#pragma once

#include <string>
#include <vector>

class ParseTree;

// One word of a sentence of a correction instance. Positions are 1-based:
// word k of a sentence is element k - 1 of its vector.
//   alignments:  positions in the other sentence of the machine translation
//                (source word: translation positions; translation word:
//                source positions).
//   Calignments: the same for the corrected translation (source word:
//                corrected-translation positions; corrected word: source
//                positions).
struct Word {
  std::string value;
  std::vector<int> alignments;
  std::vector<int> Calignments;
};

// Appends one Word per white-space separated token of `s`.
void PlaceWordsInVector(const std::string& s, std::vector<Word>& words);
// `s` becomes every word's value followed by one blank.
void WordVectorToString(const std::vector<Word>& words, std::string& s);
// 1-based position of the first word whose value is `s`, -1 when none.
int FindInWordVector(const std::vector<Word>& words, const std::string& s);
// Same length and equal values at every position; alignments not compared.
bool AreWordVectorsEqual(const std::vector<Word>& a, const std::vector<Word>& b);

// Reads pairs (source position, translation position) from `text`, any
// non-digit character separating the numbers, e.g. ((1,1),(2,3)). Each pair
// whose source position names a word of `words` and whose translation
// position lies in 1..nTLWords is appended to that word's `alignments` and
// `Calignments`.
void WordVectorSetAlignments(std::vector<Word>& words, const std::string& text, int nTLWords);
// Reads the source positions that the engine writes after lexical rule IDs
// in tree text (the digits directly after the ':' of a leaf label, as in
// N,12:3). Translation word k is the tree's leaf k, so a leaf with source
// position p aligns source word p to every translation word it stands for;
// leaves without a position (LITERAL) align nothing but still count.
// Positions outside the source words or beyond nTLWords are skipped.
void AddAlignmentsFromCStructure(std::vector<Word>& words, const ParseTree& tree, int nTLWords);

// The source side is the master copy of the alignments; these rebuild the
// other side from it. MirrorAlignments empties `alignments` of every word of
// vTL and appends i to word p for every entry p of source word i;
// MirrorCorrectedAlignments does the same with `Calignments`. Entries that
// name no word of vTL are passed over.
void MirrorAlignments(const std::vector<Word>& vSL, std::vector<Word>& vTL);
void MirrorCorrectedAlignments(const std::vector<Word>& vSL, std::vector<Word>& vTL);

// `s` becomes the text after the first occurrence of `prefix` (unchanged
// when `prefix` does not occur).
void StringUtilSetToAfterString(std::string& s, const std::string& prefix);
