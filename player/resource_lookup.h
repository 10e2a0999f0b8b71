#pragma once
// Where a run finds its resource files when they are not beside the game (a project
// played where the author keeps them): the file for a name and an extension, or nullopt.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pryx::player {

using ResourceLookup = std::function<std::optional<std::string>(std::string_view sjisName, std::string_view extension)>;

}  // namespace pryx::player
