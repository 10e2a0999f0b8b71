#include "player/screen/fonts.h"

#include <mutex>

namespace pryx::player {

namespace {

constexpr int kMessagePoints = 9;
constexpr int kNovelMessagePoints = 22;
constexpr int kNovelChoicePoints = 24;

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

}  // namespace

void registerFontSubstitutions() {
  static std::once_flag registered;
  std::call_once(registered, [] {
    // fontconfig knows none of these names and would fall back to a Latin font.
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("MS Mincho"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
    QFont::insertSubstitution(QStringLiteral("MS PMincho"), QStringLiteral("IPAPMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"));
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
