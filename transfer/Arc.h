// transfer/Arc.h
#pragma once

// A parse group matched in part or in full at a position of the chart, owned
// by the engine's `arcs` list until the chart is cleared.
struct Arc {
  enum statuses { ACTIVE = 0, COMPLETED = 1, TRANSFER = 2 };
};
