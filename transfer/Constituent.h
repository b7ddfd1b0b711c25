// transfer/Constituent.h
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "kernel/fStruc.h"

// One chart entry of the sentence being translated, owned by the engine's
// `constituents` list until the chart is cleared. Its position in that list
// is its number. A lexical or literal constituent covers the words of one
// entry and has no arcs; a phrase constituent is packed: one per category
// and span, with one completed arc and one tree path per way it was built.
struct Constituent {
  enum statuses { AGENDA = 0, KEY = 1, CHART = 2, INSERT = 3, CREATE = 4, TRANSFER = 5 };

  std::string type;  // category; "LIT-" + word for a literal
  std::string word;  // the words covered, joined by "_"
  int start = 0;     // first word index covered
  int end = 0;       // one past the last
  unsigned length = 0;
  statuses status = AGENDA;
  unsigned lexrule = 0;  // parse group of a lexical constituent; 0 for a literal
  int tlexrule = -1;     // target lexical rule chosen in transfer
  int srcindex = 0;      // word index of a lexical or literal constituent

  // Where the transfer walk stands on this constituent.
  unsigned current_arc = 0;
  unsigned current_rule = 0;
  unsigned tconst_pos = 0;
  unsigned tarc_pos = 0;
  unsigned tlex_pos = 0;
  std::deque<unsigned> transferwalker_state;
  std::deque<int> srcwalker_state;
  std::map<std::string, int> attemptfilters_state;

  std::vector<unsigned> arcs;      // completed arcs that built it
  std::vector<std::string> paths;  // its tree paths, keys into the engine's treefs
  UKernel::FStruc fs;
  UKernel::FStruc backup_fs;
};
