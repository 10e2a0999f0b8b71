#include "player/window/window_fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <mutex>
#include <set>

#include "platform/cut_fonts.h"
#include "platform/paths.h"

namespace pryx::player {
namespace {

QString qtText(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace

void registerFontSubstitutions() {
  static std::once_flag registered;
  std::call_once(registered, [] {
    // fontconfig knows none of these names and would fall back to a Latin font. A
    // distribution's fonts may be cut down, under names of their own.
    for (const StandInFont& font : standInFonts()) {
      QStringList families{qtText(font.family)};
      if (const platform::CutFont* cut = platform::cutFontOf(font.file)) families << qtText(cut->name.family);
      QFont::insertSubstitutions(qtText(font.named), families);
    }
    // A distribution brings its fonts beside the player, where fontconfig does not look.
    const std::string ownFolder = platform::folderOf(platform::currentExecutablePath());
    std::set<std::string> added;
    for (const StandInFont& font : standInFonts()) {
      const std::string path = fontFile(font.named, std::span(&ownFolder, 1));
      if (!path.empty() && added.insert(path).second) QFontDatabase::addApplicationFont(QString::fromStdString(path));
    }
  });
}

QFont screenFont(TextFont font) {
  registerFontSubstitutions();
  QFont result(QString::fromUtf8(kWindowFontFamily));
  result.setPixelSize(pixelSizeForPoints(pointsOf(font)));
  result.setStyleStrategy(QFont::NoAntialias);
  return result;
}

}  // namespace pryx::player
