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

// The name the game file gives a resource: its file name without the folder and
// without the last four characters (the extension and its dot).
std::string resourceBaseName(std::string_view path);

// A caption as the player shows it: every leading "_" stands for a blank.
std::string displayedCaption(std::string_view caption);

// The three bytes of a 0x00BBGGRR colour, held inside 0..0xFFFFFF first.
struct ColourBytes {
  std::uint8_t red, green, blue;
};
ColourBytes colourBytes(std::int64_t colour);

}  // namespace pryx::project
