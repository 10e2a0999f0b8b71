#pragma once
// The fonts of the player. Games were made for the fonts of Japanese Windows and name
// them; the IPA fonts stand in for them, read from their files. Where the files are
// looked for is decided here alone.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pryx::player {

// The family every message and choice is drawn in.
inline constexpr char kWindowFontFamily[] = "ＭＳ 明朝";

struct StandInFont {
  std::string_view named;   // as a game or a window names it
  std::string_view family;  // the IPA font drawn instead
  std::string_view file;
};

// "ＭＳ 明朝", "ＭＳ Ｐ明朝", "ＭＳ ゴシック", "ＭＳ Ｐゴシック" and their Latin names.
std::span<const StandInFont> standInFonts();

// The stand-in for `named` (or `named` itself when it is an IPA family); null when
// no stand-in is known.
const StandInFont* standInFor(std::string_view named);

// The folders the IPA fonts are installed in on Debian.
std::vector<std::string> systemFontFolders();

// Where the player looks for its fonts: its own folder first (a distribution brings
// them along), then the system's folders.
std::vector<std::string> playerFontFolders();

// The path of the stand-in's file (or of its cut font, platform/cut_fonts.h) in the
// first `folders` entry that holds either; empty when none does or no stand-in is
// known.
std::string fontFile(std::string_view named, std::span<const std::string> folders);

}  // namespace pryx::player
