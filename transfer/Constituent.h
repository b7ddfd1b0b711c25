// transfer/Constituent.h
#pragma once

// One chart entry of the sentence being translated, owned by the engine's
// `constituents` list until the chart is cleared.
struct Constituent {
  enum statuses { AGENDA = 0, KEY = 1, CHART = 2, INSERT = 3, CREATE = 4, TRANSFER = 5 };
};
