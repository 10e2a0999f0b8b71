#pragma once
// The fonts of the windows around the engine: the player's window and the editor's
// message windows type in the font the engine draws with, through Qt. Qt's font
// lookup does not know the names games use; the IPA fonts stand in, as substitutes.

#include <QFont>

#include "player/screen/font_files.h"
#include "player/screen/screen.h"

namespace pryx::player {

// Registers every stand-in of player/screen/font_files.h as a Qt substitution. Safe
// to call more than once; needs a QGuiApplication.
void registerFontSubstitutions();

// The font for `font`, two-colour (no antialiasing), substitutions registered.
QFont screenFont(TextFont font);

}  // namespace pryx::player
