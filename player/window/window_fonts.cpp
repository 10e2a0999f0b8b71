#include "player/window/window_fonts.h"

#include <mutex>

namespace pryx::player {
namespace {

QString qtText(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace

void registerFontSubstitutions() {
  static std::once_flag registered;
  std::call_once(registered, [] {
    // fontconfig knows none of these names and would fall back to a Latin font.
    for (const StandInFont& font : standInFonts()) QFont::insertSubstitution(qtText(font.named), qtText(font.family));
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
