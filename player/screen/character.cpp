#include "player/screen/darkening.h"
#include "player/screen/screen.h"
#include "player/screen/stretch.h"

namespace pryx::player {

namespace {

constexpr QRgb kColourBits = 0x00FFFFFF;  // pixels are compared without their fourth byte
constexpr QRgb kOpaqueBlack = 0xFF000000;
constexpr QRgb kOpaqueWhite = 0xFFFFFFFF;

// The mask with AND, then the image with OR: the background survives where the mask
// is white and the image black.
void paintThroughMask(QImage& window, const QImage& mask, const QImage& image) {
  stretchOverWindow(window, mask, RasterOperation::And);
  stretchOverWindow(window, image, RasterOperation::Or);
}

}  // namespace

void Screen::loadCharacter(const QImage& character, std::int32_t transparentColour, bool novelMode) {
  characterImage_ = draws_ ? character.convertToFormat(QImage::Format_RGB32) : character;
  characterMask_ = QImage();
  characterDark_ = QImage();
  if (characterImage_.isNull() || !draws_) return;

  const int width = characterImage_.width();
  const int height = characterImage_.height();
  // -1 takes the colour of the bottom-left pixel, afresh for every picture.
  const QRgb key = transparentColour == -1
                       ? reinterpret_cast<const QRgb*>(characterImage_.constScanLine(height - 1))[0] & kColourBits
                       : static_cast<QRgb>(transparentColour) & kColourBits;

  characterMask_ = QImage(width, height, QImage::Format_RGB32);
  characterDark_ = QImage(width, height, QImage::Format_RGB32);
  characterDark_.fill(kOpaqueBlack);
  for (int y = 0; y < height; ++y) {
    auto* image = reinterpret_cast<QRgb*>(characterImage_.scanLine(y));
    auto* mask = reinterpret_cast<QRgb*>(characterMask_.scanLine(y));
    auto* dark = reinterpret_cast<QRgb*>(characterDark_.scanLine(y));
    for (int x = 0; x < width; ++x) {
      if ((image[x] & kColourBits) == key) {
        image[x] = kOpaqueBlack;
        mask[x] = kOpaqueWhite;
      } else {
        mask[x] = kOpaqueBlack;
        if (novelMode) dark[x] = darkenedPixel(image[x]);
      }
    }
  }
}

void Screen::paintCharacter() {
  if (draws_ && characterLoaded()) paintThroughMask(picture_, characterMask_, characterImage_);
}

void Screen::paintDarkCharacter() {
  if (draws_ && characterLoaded()) paintThroughMask(picture_, characterMask_, characterDark_);
}

}  // namespace pryx::player
