#include "player/screen/darkening.h"
#include "player/screen/screen.h"
#include "player/screen/stretch.h"

namespace pryx::player {

Screen::Screen(bool draws) : draws_(draws) {
  if (draws_) picture_ = Picture(kScreenWidth, kScreenHeight);
}

ZorvexSurface Screen::surface() {
  return ZorvexSurface{picture_.pixels(), picture_.width(), picture_.height(), picture_.bytesPerLine()};
}

void Screen::clear() { picture_.fill(kBlackPixel); }

void Screen::showCg(Picture cg) {
  if (draws_) cg_ = std::move(cg);
  cgDarkened_ = false;
  drawCg();
}

void Screen::removeCg() { cg_ = Picture(); }

void Screen::drawCg() {
  // An empty copy (a missing picture file, or one removed after darkening) is a
  // black background rather than whatever the window showed before.
  if (cg_.isNull()) {
    clear();
    return;
  }
  stretchOverWindow(picture_, cg_, RasterOperation::Copy);
}

void Screen::darkenCg() {
  for (int y = 0; y < cg_.height(); ++y) {
    Pixel* row = cg_.row(y);
    for (int x = 0; x < cg_.width(); ++x) row[x] = darkenedPixel(row[x]);
  }
  cgDarkened_ = true;
}

void Screen::formRedraw(bool novelMode, bool cgShown, bool characterShown) {
  if (novelMode) {
    if (!cgDarkened_) {
      clear();
      return;
    }
    drawCg();
    if (characterShown) paintDarkCharacter();
    return;
  }
  // Without a picture the background is black; leaving the old window contents would
  // let the previous message show through the translucent message box.
  if (cgShown) {
    drawCg();
  } else {
    clear();
  }
  if (characterShown) paintCharacter();
}

}  // namespace pryx::player
