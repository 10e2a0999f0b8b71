#pragma once
// The values typed before playing in the player, kept in the user's settings so
// that every later run of the editor offers them again; never in the project.

#include "editor/player_start.h"

namespace pryx::editor {

PlayerStartChoice storedPlayerStart();
void storePlayerStart(const PlayerStartChoice& choice);

}  // namespace pryx::editor
