#pragma once
// A game file's code as one line per instruction ("@VERSION 1 5", "@BTN 1 0 2"),
// so that tests can say what a writer wrote. Links are left out.

#include <cstdint>
#include <string>
#include <vector>

namespace pryx::gamefile::testing {

std::vector<std::string> codeListing(const std::vector<std::uint8_t>& file);

}  // namespace pryx::gamefile::testing
