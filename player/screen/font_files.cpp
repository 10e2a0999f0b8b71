#include "player/screen/font_files.h"

#include <array>

#include "platform/cut_fonts.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace pryx::player {
namespace {

constexpr std::array<StandInFont, 8> kStandIns = {{
    {"ＭＳ 明朝", "IPAMincho", "ipam.ttf"},
    {"MS Mincho", "IPAMincho", "ipam.ttf"},
    {"ＭＳ Ｐ明朝", "IPAPMincho", "ipamp.ttf"},
    {"MS PMincho", "IPAPMincho", "ipamp.ttf"},
    {"ＭＳ ゴシック", "IPAGothic", "ipag.ttf"},
    {"MS Gothic", "IPAGothic", "ipag.ttf"},
    {"ＭＳ Ｐゴシック", "IPAPGothic", "ipagp.ttf"},
    {"MS PGothic", "IPAPGothic", "ipagp.ttf"},
}};

}  // namespace

std::span<const StandInFont> standInFonts() { return kStandIns; }

const StandInFont* standInFor(std::string_view named) {
  for (const StandInFont& font : kStandIns)
    if (font.named == named || font.family == named) return &font;
  return nullptr;
}

std::vector<std::string> systemFontFolders() {
  return {"/usr/share/fonts/opentype/ipafont-mincho", "/usr/share/fonts/opentype/ipafont-gothic",
          "/usr/share/fonts/truetype/ipafont-mincho", "/usr/share/fonts/truetype/ipafont-gothic"};
}

std::vector<std::string> playerFontFolders() {
  std::vector<std::string> folders{platform::folderOf(platform::currentExecutablePath())};
  for (std::string& folder : systemFontFolders()) folders.push_back(std::move(folder));
  return folders;
}

std::string fontFile(std::string_view named, std::span<const std::string> folders) {
  const StandInFont* font = standInFor(named);
  if (!font) return {};
  // A distribution may carry the font cut down to its game's characters; the whole
  // font, where there is one, holds them all.
  const platform::CutFont* cut = platform::cutFontOf(font->file);
  for (const std::string& folder : folders) {
    for (std::string_view file : {font->file, cut ? cut->file : font->file}) {
      std::string path = platform::GetPath(folder, std::string(file));
      if (platform::fileExists(path)) return path;
    }
  }
  return {};
}

}  // namespace pryx::player
