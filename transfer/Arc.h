// transfer/Arc.h
#pragma once

#include <deque>

// A parse group matched in part or in full at a position of the chart, owned
// by the engine's `arcs` list until the chart is cleared. Completing an arc
// appends a separate COMPLETED arc, so an ACTIVE arc stays available to
// other keys.
struct Arc {
  enum statuses { ACTIVE = 0, COMPLETED = 1, TRANSFER = 2 };

  unsigned rule = 0;  // parse group being matched
  int start = 0;      // word span covered so far
  int end = 0;
  unsigned dot_position = 0;  // source elements matched
  statuses status = ACTIVE;
  unsigned skipcount = 0;  // words skipped between the children
  double score = 0;
  std::deque<unsigned> indices;  // constituents of the matched children, in order
};
