// transfer/wordLookup.cpp
// Splitting and case-normalising a sentence, looking its words up in the
// rule store, inventing entries for unknown words, and seeding the chart and
// its agenda with literal, compound and lexical constituents.
#include <algorithm>
#include <cassert>
#include <cctype>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kernel/fsRegs.h"
#include "kernel/symbol.h"
#include "transfer/transfer.h"

namespace {

// A word as the text of a quoted rule-file word: the reader takes \" and
// \\ as the character after the backslash, so both must be escaped for the
// word to come back unchanged.
std::string quoted(const std::string& word) {
  std::string out;
  out.reserve(word.size());
  for (char c : word) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

bool hasHighByte(const std::string& word) {
  for (char c : word)
    if (static_cast<unsigned char>(c) >= 128) return true;
  return false;
}

}  // namespace

std::string TransferEngine::applyCasePolicy(const std::string& text) const {
  return applyCasePolicy(text, normalizecase);
}

std::string TransferEngine::applyCasePolicy(const std::string& text, int policy) const {
  if (policy != 1 && policy != 2) return text;
  if (utf8 && utools) return policy == 1 ? utools->upcase(text) : utools->lowercase(text);
  std::string out = text;
  for (char& c : out) {
    const int u = static_cast<unsigned char>(c);
    c = static_cast<char>(policy == 1 ? std::toupper(u) : std::tolower(u));
  }
  return out;
}

int TransferEngine::parse(const std::string& sentence) {
  static const char* const kSeparators = " \t\n\r";
  std::vector<std::string> words;
  std::size_t from = sentence.find_first_not_of(kSeparators);
  while (from != std::string::npos) {
    const std::size_t to = sentence.find_first_of(kSeparators, from);
    words.push_back(sentence.substr(from, to == std::string::npos ? to : to - from));
    from = to == std::string::npos ? to : sentence.find_first_not_of(kSeparators, to);
  }
  if (words.empty()) {
    // The chart of the previous sentence must not be taken for this one's.
    clear();
    topparse = -1;
    src_sentence_length = 0;
    return 0;
  }
  return parse(words);
}

void TransferEngine::seedChart(const std::vector<std::string>& sentencewords) {
  clear();
  topparse = -1;
  std::vector<std::string> words;
  words.reserve(sentencewords.size());
  for (const std::string& w : sentencewords) words.push_back(applyCasePolicy(w));
  if (parsedebug || minimaldebug) {
    std::cout << "*** STARTING PARSE ON \"";
    for (std::size_t i = 0; i < words.size(); ++i) std::cout << (i ? " " : "") << words[i];
    std::cout << "\"" << std::endl;
  }
  src_sentence_length = static_cast<int>(words.size());

  for (std::size_t n = 0; n < words.size(); ++n) {
    const int i = static_cast<int>(n);
    const std::string& word = words[n];
    if (parsedebug) std::cout << "\n*** WORD INDEX " << i << ", word:  " << word << std::endl;
    addedliterals = false;
    compoundsonly = true;
    int count = addWordEntriesToChart(word, i, words);
    if (count == 0 || alwaysdomorph || byfs) count += addWordEntriesWithMorphology(word, i, words);
    compoundsonly = false;
    if (!byfs && checklexicon) count += addWordEntriesToChart(word, i, words);
    if (count == 0) {
      if (parsedebug) std::cout << "Word not found in lexicon, adding as unknown" << std::endl;
      count += addUnknownWordsToChart(word, i, words);
    }
    if (parsedebug) std::cout << "\n* Added " << count << " new word entries to agenda.\n\n";
  }
  std::cout.flush();
}

int TransferEngine::addWordEntriesToChart(const std::string& word, int wordindex,
                                          const std::vector<std::string>& sentencewords) {
  if (literals.count(word) && !addedliterals) {
    const int number = static_cast<int>(constituents.size());
    auto c = std::make_unique<Constituent>();
    c->type = "LIT-" + word;
    c->word = word;
    c->start = wordindex;
    c->end = wordindex + 1;
    c->length = 1;
    c->srcindex = wordindex;
    c->paths.push_back(std::to_string(number));
    // A literal brings no information, but the parser reads every child's
    // structure from treefs.
    treefs[c->paths.back()] = UKernel::FStruc(UKernel::Symbol("X0"));
    constituents.push_back(std::move(c));
    addKey(number, 0);
    addedliterals = true;
    if (parsedebug)
      std::cout << "  Adding Literal LIT-" << word << " constituent " << number << std::endl;
  }

  auto listed = srclexicon.find(word);
  if (listed == srclexicon.end()) {
    if (!lexiconfiledb.count(word)) return 0;
    loadIndexedEntries(word);
    listed = srclexicon.find(word);
  }
  // A copy: the step prompt may change the store while the list is walked.
  const std::vector<unsigned> groups =
      listed == srclexicon.end() ? std::vector<unsigned>() : listed->second;

  if (parsedebug) {
    std::cout << (compoundsonly ? "* Checking lexicon for full-form compounds"
                                : "* Checking lexicon for full-form single words")
              << std::endl;
    if (enginedebug)
      std::cout << "Looking in source lexicon" << std::endl
                << " Lexrules size is " << groups.size() << std::endl;
  }

  int count = 0;
  for (unsigned g : groups) {
    if (g >= parsegroups.size() || parsegroups[g]->trules.empty()) continue;
    const ParseGroup& group = *parsegroups[g];
    const bool compound = group.type == TRule::COMPOUND;
    if (compound != compoundsonly) continue;

    std::string covered;
    if (compound) {
      const std::size_t total = group.src_rhs_total;
      if (wordindex < 0 || total == 0 || group.src_rhs.size() < total ||
          sentencewords.size() < static_cast<std::size_t>(wordindex) + total)
        continue;
      bool match = group.src_rhs[0] == word;
      for (std::size_t k = 1; match && k < total; ++k)
        match = sentencewords[static_cast<std::size_t>(wordindex) + k] == group.src_rhs[k];
      if (!match) continue;
      covered = word;
      for (std::size_t k = 1; k < total; ++k) covered += "_" + group.src_rhs[k];
      if (parsedebug) std::cout << "Adding in compound " << covered << std::endl;
    } else {
      if (group.src_rhs_total != 1) continue;
      covered = word;
    }

    const TRule& rule = *rules[group.trules[0]];
    if (parsedebug) {
      std::cout << " Check lex rule " << rule.ruleid << std::endl;
      if (fsdebug) std::cout << " Unifying on rules: " << rule.parseeb << std::endl;
    }
    UKernel::FSRegisters regs(1);
    if (!rule.parseeb.run(regs)) {
      if (parsedebug) std::cout << " Unification FAILED" << std::endl;
      continue;
    }
    if (parsedebug) std::cout << " Unification SUCCEEDED" << std::endl;
    if (auto u = unknowns.find(word); u != unknowns.end()) ++u->second;
    ++count;

    const int number = static_cast<int>(constituents.size());
    auto c = std::make_unique<Constituent>();
    c->type = group.src_lhs;
    c->word = covered;
    c->start = wordindex;
    c->end = wordindex + static_cast<int>(group.src_rhs_total);
    c->length = group.src_rhs_total;
    c->lexrule = g;
    c->srcindex = wordindex;
    c->paths.push_back(std::to_string(number));
    regs[0].setName(UKernel::Symbol("X0"));
    const UKernel::FStruc& fs = treefs[c->paths.back()] = regs[0];
    constituents.push_back(std::move(c));
    addKey(number, 0);
    if (parsedebug) {
      std::cout << "Adding POS " << group.src_lhs << " for " << covered << " (constituent #"
                << number << ")";
      if (fsdebug) std::cout << " with FS " << fs;
      std::cout << std::endl;
    }
    if (stepdebug) stepDebug();
  }
  if (parsedebug && count == 0) std::cout << "  - No lexical entries found" << std::endl;
  return count;
}

int TransferEngine::addUnknownWordsToChart(const std::string& word, int wordindex,
                                           const std::vector<std::string>& sentencewords) {
  if (enginedebug) std::cout << "Adding unknown word \"" << word << "\" to lexicon" << std::endl;
  std::string target;
  if (unkpolicy == "*delete*" || unkpolicy == "*DELETE*" || unkpolicy == "*cut*")
    target.clear();
  else if (unkpolicy == "*copy*" || unkpolicy == "*COPY*")
    target = word;
  else
    target = hasHighByte(word) ? unkpolicy : word;
  target = quoted(target);

  if (!openclass.empty()) {
    // A copy: storing an entry may not change the list, but the list is the
    // rule files' to change.
    const std::vector<std::string> categories = openclass;
    for (const std::string& category : categories) addlexentry(word, target, category);
  } else {
    // Also when the word has entries: none of them fits here (their parse
    // equations fail, or they are compounds that do not match), and without
    // an entry the word would drop out of the chart.
    addlexentry(word, target, "UNK");
  }
  unknowns[word] = 0;

  const bool compounds = compoundsonly;
  compoundsonly = false;
  const int count = addWordEntriesToChart(word, wordindex, sentencewords);
  compoundsonly = compounds;
  return count;
}

int TransferEngine::addlexentry(const std::string& sourceword, const std::string& targetword,
                                const std::string& category) {
  const std::string source = quoted(sourceword);
  const std::string text = category + "::" + category + " |: [\"" + source + "\"] -> [\"" +
                           targetword + "\"]\n" + "(\n(x1::y1)\n((x0 form) = \"" + source +
                           "\")\n" + "((y0 form) = \"" + targetword + "\")\n" + ")";
  if (parsedebug && enginedebug) std::cout << "New entry: " << std::endl << text << std::endl;
  const std::size_t before = rules.size();
  addNewRule(text);
  if (rules.size() == before) return -1;
  return static_cast<int>(rules.size()) - 1;
}

void TransferEngine::addKey(int constituent, int position) {
  assert(constituent >= 0 && static_cast<std::size_t>(constituent) < constituents.size() &&
         "only chart constituents go on the agenda");
  const int end = constituents[static_cast<std::size_t>(constituent)]->end;
  std::size_t q = position < 0 ? 0 : static_cast<std::size_t>(position) + 1;
  while (q < agenda.size() && constituents[static_cast<std::size_t>(agenda[q])]->end <= end) ++q;
  agenda.insert(agenda.begin() + static_cast<std::ptrdiff_t>(std::min(q, agenda.size())),
                constituent);
}
