#include "player/gamefile/variables.h"

#include <cmath>

#include "player/gamefile/instructions.h"

namespace pryx::gamefile {
namespace {

std::int32_t wrapped(std::int64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }

// The quotient rounded to the nearest whole number, halves to the even neighbour.
std::int64_t dividedRoundingHalvesToEven(std::int64_t dividend, std::int64_t divisor) {
  std::int64_t quotient = dividend / divisor;
  std::int64_t twiceRemainder = 2 * std::abs(dividend % divisor);
  std::int64_t magnitude = std::abs(divisor);
  if (twiceRemainder > magnitude || (twiceRemainder == magnitude && quotient % 2 != 0)) {
    quotient += (dividend < 0) != (divisor < 0) ? -1 : 1;
  }
  return quotient;
}

}  // namespace

bool compareVariable(std::int32_t value, int comparison, std::int32_t operand) {
  switch (comparison) {
    case gamefile::comparison::Equal: return value == operand;
    case gamefile::comparison::Greater: return value > operand;
    case gamefile::comparison::Less: return value < operand;
    case gamefile::comparison::NotEqual: return value != operand;
    default: return false;
  }
}

bool combineConditions(int logic, bool a, bool b) {
  switch (logic) {
    case gamefile::logic::Both: return a && b;
    case gamefile::logic::Either: return a || b;
    case gamefile::logic::Neither: return !a && !b;
    default: return false;
  }
}

std::optional<std::int32_t> applyOperation(std::int32_t value, int operation, std::int32_t operand,
                                           const UnitRandom& random) {
  std::int64_t x = value;
  std::int64_t y = operand;
  switch (operation) {
    case gamefile::operation::Assign: return operand;
    case gamefile::operation::Add: return wrapped(x + y);
    case gamefile::operation::Subtract: return wrapped(x - y);
    case gamefile::operation::Multiply: return wrapped(x * y);
    case gamefile::operation::DivideRounded:
      if (y == 0) return std::nullopt;
      return wrapped(dividedRoundingHalvesToEven(x, y));
    case gamefile::operation::DivideTruncated:
      if (y == 0) return std::nullopt;
      return wrapped(x / y);
    case gamefile::operation::Random:
      return wrapped(static_cast<std::int64_t>(std::floor(random() * static_cast<double>(y))) + 1);
    default: return std::nullopt;
  }
}

}  // namespace pryx::gamefile
