#pragma once
// SoundFont files lying in a folder: the player plays with the first one beside
// it, and a distribution carries the one an author put beside the game's sources.

#include <string>
#include <string_view>
#include <vector>

namespace pryx::platform {

// Whether a file name ends in .sf2 or .sf3 (in any case) after a name of its own.
bool isSoundFontName(std::string_view name);

// The paths of the regular .sf2 and .sf3 files in `folder` (extension in any
// case), sorted; empty when the folder cannot be listed. An empty folder is the
// current one.
std::vector<std::string> soundFontFilesIn(std::string_view folder);

}  // namespace pryx::platform
