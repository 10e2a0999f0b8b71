// The glyph fonts the screen draws with: the window's font at the size of each use,
// opened at the first text and kept for the process.

#include <array>
#include <iostream>
#include <memory>

#include "player/screen/font_files.h"
#include "player/screen/glyph_font.h"
#include "player/screen/screen_fonts.h"

namespace pryx::player {
namespace {

constexpr int kMessagePoints = 9;
constexpr int kNovelMessagePoints = 22;
constexpr int kNovelChoicePoints = 24;

}  // namespace

int pointsOf(TextFont font) {
  switch (font) {
    case TextFont::NovelMessage:
      return kNovelMessagePoints;
    case TextFont::NovelChoice:
      return kNovelChoicePoints;
    case TextFont::Message:
      break;
  }
  return kMessagePoints;
}

GlyphFont* glyphFontFor(TextFont font) {
  static const std::string file = fontFile(kWindowFontFamily, playerFontFolders());
  static bool reported = false;
  static std::array<std::unique_ptr<GlyphFont>, 3> fonts;
  static std::array<bool, 3> tried{};
  const auto index = static_cast<std::size_t>(font);
  if (!tried[index]) {
    tried[index] = true;
    std::string problem =
        "no font file " + std::string(standInFor(kWindowFontFamily)->file) + " beside the player or in the font folders";
    if (!file.empty()) fonts[index] = GlyphFont::open(file, pixelSizeForPoints(pointsOf(font)), problem);
    // One line for the whole run: the game plays on without its text.
    if (!fonts[index] && !reported) {
      std::cerr << "The text cannot be drawn: " << problem << " (IPAMincho, package fonts-ipafont-mincho).\n";
      reported = true;
    }
  }
  return fonts[index].get();
}

}  // namespace pryx::player
