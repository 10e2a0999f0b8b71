#include "editor/run_values.h"

#include "platform/number_text.h"
#include "player/gamefile/instructions.h"

#include <cmath>
#include <cstdio>

namespace pryx::editor {
namespace {

namespace op = gamefile::operation;
namespace cmp = gamefile::comparison;
namespace logic = gamefile::logic;

// Whole numbers as plain digits; fractions and huge values with 15 significant digits.
std::string decimalText(double value) {
  constexpr double kWholeLimit = 1e15;
  if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) < kWholeLimit) {
    return platform::plainDecimal(static_cast<std::int64_t>(value));
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

std::optional<double> arithmetic(double x, std::int64_t opCode, double y, const UnitRandom& random) {
  switch (opCode) {
    case op::Add: return x + y;
    case op::Subtract: return x - y;
    case op::Multiply: return x * y;
    case op::DivideRounded:  // here the fraction is kept
      if (y == 0) return std::nullopt;
      return x / y;
    case op::DivideTruncated: {
      std::int64_t a = platform::roundHalfEven(x), b = platform::roundHalfEven(y);
      if (b == 0) return std::nullopt;
      if (b == -1) return -static_cast<double>(a);  // the one quotient that can leave the 64-bit range
      return static_cast<double>(a / b);
    }
    case op::Random: return std::floor(random() * y) + 1;
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<std::string> operateOnText(std::string_view value, std::int64_t opCode, std::string_view operand,
                                         const UnitRandom& random) {
  if (opCode == op::Assign) return std::string(operand);
  auto result = arithmetic(platform::leadingNumber(value), opCode, platform::leadingNumber(operand), random);
  if (!result) return std::nullopt;
  return decimalText(*result);
}

bool textConditionHolds(std::string_view value, std::int64_t comparison, std::string_view operand) {
  switch (comparison) {
    case cmp::Equal: return value == operand;
    case cmp::Greater: return platform::leadingNumber(value) > platform::leadingNumber(operand);
    case cmp::Less: return platform::leadingNumber(value) < platform::leadingNumber(operand);
    case cmp::NotEqual: return value != operand;
    default: return false;
  }
}

bool combineTextConditions(std::int64_t logicCode, bool first, bool second) {
  switch (logicCode) {
    case logic::Both: return first && second;
    case logic::Either: return first || second;
    case logic::Neither: return !first && !second;
    default: return false;
  }
}

}  // namespace pryx::editor
