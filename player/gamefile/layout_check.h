#pragma once
// Whether a game file holds together: a file cut short, or one whose header, chains
// or pools point outside it, would play on with texts and pictures missing and end
// as if the game had ended. Such a file is refused before it runs.

#include "player/gamefile/image.h"

#include <optional>
#include <string>

namespace pryx::gamefile {

// Why the file does not hold together, or nullopt when it does. The magic is not
// looked at here.
std::optional<std::string> layoutFault(const GameImage& image);

}  // namespace pryx::gamefile
