// transfer/TRule.h
#pragma once

// One loaded transfer rule, owned by the engine's rule store (`rules`).
class TRule {
 public:
  enum types { PHRASE = 0, LEX = 1, COMPOUND = 2 };
};

// The rules of the store that share one source side, owned by the store
// (`parsegroups`).
class ParseGroup {};
