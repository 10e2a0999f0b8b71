#pragma once
// The files a game is made of, as the player finds them: the game file named after
// the player's executable, the save files beside it, and the picture and music
// files its definitions name.

#include <optional>
#include <string>
#include <string_view>

#include "player/gamefile/image.h"
#include "player/resource_lookup.h"

namespace pryx::player {

struct GameLocation {
  std::string folder;      // the player's folder: the game file and its resources
  std::string name;        // the executable name: names the game file, saves and window
  std::string saveFolder;  // where the save files live; the player's folder as a rule
};

// For the running player: its folder and its file name without the executable suffix.
GameLocation locationOfExecutable(std::string_view executablePath);
// For a game file given by path (the headless player): its folder and base name.
GameLocation locationOfGameFile(std::string_view gameFilePath);

// The game file: the executable name + ".PRY" in the player's folder (letter case
// of an existing file does not matter).
std::string gameFilePath(const GameLocation& location);

// The whole game file, or nullopt when it cannot be read, does not begin with the
// magic "PRYX" or does not hold together (a file cut short).
std::optional<gamefile::GameImage> readGameFile(const std::string& path);

// The save file of a slot: the slot's digit for 1..9 (mystery3.SAV), its full
// number from 10 on (mystery12.SAV), so a game's own slots never share a file
// with the menu's.
std::string saveFilePath(const GameLocation& location, int slot);

// The file name of a resource: its name (Shift-JIS, as the game file holds it)
// decoded, with `extension` appended. A name that is empty or holds a path
// separator, a drive colon or ".." names no file.
std::optional<std::string> resourceFileName(std::string_view sjisName, std::string_view extension);

// The file of a resource by that name, in the player's folder, letter case ignored.
std::optional<std::string> findResourceFile(const std::string& folder, std::string_view sjisName,
                                            std::string_view extension);

}  // namespace pryx::player
