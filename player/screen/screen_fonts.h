#pragma once
// The font the screen draws each kind of text in.

#include "player/screen/glyph_font.h"
#include "player/screen/screen.h"

namespace pryx::player {

// Null when the font file is missing or broken; that is said once on standard error.
GlyphFont* glyphFontFor(TextFont font);

}  // namespace pryx::player
