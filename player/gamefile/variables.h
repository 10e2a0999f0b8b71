#pragma once
// Conditions and variable operations of @IFA, @IFB and @, in 32-bit signed
// arithmetic: results that overflow wrap around. The player runs them, and the
// editor's test run too, so that it predicts the game.

#include <cstdint>
#include <functional>
#include <optional>

namespace pryx::gamefile {

// The comparison codes 1 (=), 2 (>), 3 (<), 4 (≠); any other code is false.
bool compareVariable(std::int32_t value, int comparison, std::int32_t operand);

// The logic codes of @IFB over two conditions: 1 both, 2 either, 3 neither; any
// other code never jumps.
bool combineConditions(int logic, bool a, bool b);

// A draw r from [0, 1).
using UnitRandom = std::function<double()>;

// The new value of a variable after an operation, or nullopt when it stays as it
// is (an unknown operator, a division by zero).
std::optional<std::int32_t> applyOperation(std::int32_t value, int operation, std::int32_t operand,
                                           const UnitRandom& random);

}  // namespace pryx::gamefile
