#pragma once
// Pictures and files for the tests of the player's picture.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QTemporaryDir>
#include <functional>
#include <optional>
#include <string>

#include "player/screen/picture.h"

namespace pryx::player::testing {

inline constexpr QRgb kBlack = 0xFF000000;
inline constexpr QRgb kWhite = 0xFFFFFFFF;
inline constexpr QRgb kMagenta = 0xFFFF00FF;
inline constexpr QRgb kGreen = 0xFF00FF00;

// The engine's pictures seen through Qt: `shown` wraps the pixels (the screen's
// picture, which lives on), `toQt` copies them; `fromQt` makes an engine picture.
QImage shown(const Picture& picture);
QImage toQt(const Picture& picture);
Picture fromQt(const QImage& picture);

// A Format_RGB32 picture whose pixel (x, y) is colourAt(x, y).
QImage makePicture(int width, int height, const std::function<QRgb(int x, int y)>& colourAt);
QImage solidPicture(int width, int height, QRgb colour);

// True when every pixel of `region` has `colour` (compared as opaque RGB).
bool allPixelsAre(const QImage& picture, const QRect& region, QRgb colour);
int countPixels(const QImage& picture, const QRect& region, QRgb colour);
// The smallest rectangle holding every pixel that differs from `background`.
QRect inkBounds(const QImage& picture, QRgb background);

// A 24-bit BMP file of `picture`, rows bottom-up as BMP files store them. `declared`
// overrides the size written in the header (for hostile files).
QByteArray bmpFile(const QImage& picture, std::optional<QSize> declared = std::nullopt);

// A folder that lives as long as the object, for files the tests write.
class ScratchFolder {
 public:
  std::string write(const std::string& name, const QByteArray& bytes) const;
  std::string path(const std::string& name) const;

 private:
  QTemporaryDir dir_;
};

}  // namespace pryx::player::testing
