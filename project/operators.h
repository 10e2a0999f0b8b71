#pragma once
// The editor's three fixed operator lists. A button stores an operator as its
// position in its list; position 0 is the blank entry, "none".

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace pryx::project {

inline constexpr std::array<std::string_view, 5> kComparisonOperators = {"", "=", ">", "<", "!="};
inline constexpr std::array<std::string_view, 8> kAssignmentOperators = {"", "=", "+", "-", "*", "/", "\\", "RND"};
inline constexpr std::array<std::string_view, 4> kLogicOperators = {"", "&&", "||", "!!"};

// The entry at `position`, empty outside the list.
constexpr std::string_view operatorAt(std::span<const std::string_view> list, std::int64_t position) {
  return position >= 0 && position < static_cast<std::int64_t>(list.size()) ? list[static_cast<std::size_t>(position)]
                                                                              : std::string_view();
}

}  // namespace pryx::project
