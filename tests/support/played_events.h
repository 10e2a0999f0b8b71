#pragma once
// What a player sees and does along a headless route, read from its trace: pages,
// messages, choices and variables. Pictures and music are left out (writers start
// them in different orders), as are code positions and message numbers, which each
// writer picks its own way.

#include <string>
#include <vector>

namespace pryx::testing {

std::vector<std::string> playedEvents(const std::string& trace);

}  // namespace pryx::testing
