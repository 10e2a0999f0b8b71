#include "player/screen/darkening.h"
#include "player/screen/screen.h"
#include "player/screen/stretch.h"

namespace pryx::player {

namespace {

// The mask with AND, then the image with OR: the background survives where the mask
// is white and the image black.
void paintThroughMask(Picture& window, const Picture& mask, const Picture& image) {
  stretchOverWindow(window, mask, RasterOperation::And);
  stretchOverWindow(window, image, RasterOperation::Or);
}

}  // namespace

void Screen::loadCharacter(Picture character, std::int32_t transparentColour, bool novelMode) {
  characterLoaded_ = !character.isNull();
  characterImage_ = draws_ ? std::move(character) : Picture();
  characterMask_ = Picture();
  characterDark_ = Picture();
  if (characterImage_.isNull()) return;

  const int width = characterImage_.width();
  const int height = characterImage_.height();
  // -1 takes the colour of the bottom-left pixel, afresh for every picture.
  const Pixel key = transparentColour == -1 ? characterImage_.pixel(0, height - 1) & kColourBits
                                            : static_cast<Pixel>(transparentColour) & kColourBits;

  characterMask_ = Picture(width, height);
  characterDark_ = Picture(width, height);
  for (int y = 0; y < height; ++y) {
    Pixel* image = characterImage_.row(y);
    Pixel* mask = characterMask_.row(y);
    Pixel* dark = characterDark_.row(y);
    for (int x = 0; x < width; ++x) {
      if ((image[x] & kColourBits) == key) {
        image[x] = kBlackPixel;
        mask[x] = kWhitePixel;
      } else if (novelMode) {
        dark[x] = darkenedPixel(image[x]);
      }
    }
  }
}

void Screen::paintCharacter() {
  if (characterLoaded_) paintThroughMask(picture_, characterMask_, characterImage_);
}

void Screen::paintDarkCharacter() {
  if (characterLoaded_) paintThroughMask(picture_, characterMask_, characterDark_);
}

}  // namespace pryx::player
