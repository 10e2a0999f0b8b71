#pragma once
// The game file written straight from the project, without script text: one label
// per page, page number = label number = message and caption number.

#include "project/project.h"

#include "platform/progress.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pryx::project {

// The progress value becomes p after page p.
std::vector<std::uint8_t> buildGameFile(const Project& project, platform::Progress& progress);

// A caption as the player shows it: every leading "_" stands for a blank.
std::string displayedCaption(std::string_view caption);

}  // namespace pryx::project
