#pragma once
// The fonts a distribution carries cut down to the characters its game shows. The IPA
// Font License makes a cut font a derived font: it may not bear the original's name,
// as a file or as a font, and it travels with a note on how to put the original back.
// The player looks for the whole font first, then for the cut one.

#include <span>
#include <string>
#include <string_view>

#include "platform/font_names.h"

namespace pryx::platform {

struct CutFont {
  std::string_view wholeFile;  // the original, as the kit stages it
  std::string_view file;       // the cut font's file in a distribution
  FontName name;
  std::string_view wholeFamily;
};

inline constexpr CutFont kCutFonts[] = {
    {"ipam.ttf", "pryx-mincho.ttf", {"PRYX Mincho", "PRYXMincho"}, "IPAMincho"},
    {"ipagp.ttf", "pryx-pgothic.ttf", {"PRYX PGothic", "PRYXPGothic"}, "IPAPGothic"},
};

// The note beside the cut fonts, in Japanese and English: what each is cut from, its
// licence (the IPA Font License, beside it as IPA_Font_License.txt) and how to put
// the original back.
inline constexpr std::string_view kCutFontNoteName = "FONTS.txt";
std::string cutFontNote(std::span<const CutFont* const> fonts);

// The cut font of the whole font file `wholeFile`; null for a font the kit does not cut.
inline const CutFont* cutFontOf(std::string_view wholeFile) {
  for (const CutFont& font : kCutFonts) {
    if (font.wholeFile == wholeFile) return &font;
  }
  return nullptr;
}

}  // namespace pryx::platform
