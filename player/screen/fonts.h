#pragma once
// The fonts of the player. Games were made for the fonts of Japanese Windows and name
// them; on other systems the IPA fonts stand in, registered as substitutes once.

#include <QFont>

#include "player/screen/screen.h"

namespace pryx::player {

inline constexpr char kWindowFontFamily[] = "ＭＳ 明朝";

// Maps "ＭＳ 明朝", "ＭＳ Ｐゴシック", "ＭＳ ゴシック" and their Latin names to the IPA
// fonts. Safe to call more than once; needs a QGuiApplication.
void registerFontSubstitutions();

// Point sizes at 96 dots per inch, so that text is laid out the same on every screen.
constexpr int pixelSizeForPoints(int points) { return (points * 96 + 36) / 72; }

// The font for `font`, two-colour (no antialiasing), substitutions registered.
QFont screenFont(TextFont font);

}  // namespace pryx::player
