#pragma once
// The test run keeps its variables as text, as the author types them: "=" stores
// the operand as it stands, the arithmetic reads each text by its leading number,
// and "=" and "!=" conditions compare the texts themselves.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pryx::editor {

// A draw from [0, 1), for "RND".
using UnitRandom = std::function<double()>;

// The variable's new text after `value OPERATOR operand` (operators 1..7 of the
// button's operator list), or nullopt when it stays as it is: operator 0 or
// unknown, or a division by zero.
std::optional<std::string> operateOnText(std::string_view value, std::int64_t op, std::string_view operand,
                                         const UnitRandom& random);

// Comparison 1 "=" and 4 "!=" on the texts, 2 ">" and 3 "<" on their leading
// numbers; any other comparison does not hold.
bool textConditionHolds(std::string_view value, std::int64_t comparison, std::string_view operand);

// Logic 1 "&&", 2 "||", 3 "!!" (neither); any other logic does not hold.
bool combineTextConditions(std::int64_t logic, bool first, bool second);

}  // namespace pryx::editor
