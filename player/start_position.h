#pragma once
// Where a run begins, for playing a game from one of its pages: the opening
// instructions (the definitions and options above the first label) run as usual,
// then the preset variables take their values and the run goes on at the start
// label. Plain data, so that the builders of a start need not link the engine.

#include <cstdint>
#include <vector>

namespace pryx::player {

struct VariablePreset {
  std::int32_t number = 0;  // 1..kMaxVariables
  std::int32_t value = 0;

  bool operator==(const VariablePreset&) const = default;
};

struct StartPosition {
  std::int32_t label = 0;  // 0: the run goes on at the first label, as the game does
  std::vector<VariablePreset> variables;

  bool fromTop() const { return label == 0 && variables.empty(); }
};

}  // namespace pryx::player
