#include "player/screen/darkening.h"
#include "player/screen/screen.h"
#include "player/screen/stretch.h"

namespace pryx::player {

Screen::Screen(bool draws) : draws_(draws) {
  if (!draws_) return;
  picture_ = QImage(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
  picture_.fill(Qt::black);
}

ZorvexSurface Screen::surface() {
  return ZorvexSurface{reinterpret_cast<std::uint32_t*>(picture_.bits()), picture_.width(), picture_.height(),
                       static_cast<std::int32_t>(picture_.bytesPerLine())};
}

void Screen::clear() {
  if (draws_) picture_.fill(Qt::black);
}

void Screen::showCg(const QImage& cg) {
  if (draws_) cg_ = cg.convertToFormat(QImage::Format_RGB32);
  cgDarkened_ = false;
  drawCg();
}

void Screen::removeCg() { cg_ = QImage(); }

void Screen::drawCg() {
  // An empty copy (a missing picture file, or one removed after darkening) is a
  // black background rather than whatever the window showed before.
  if (cg_.isNull()) {
    clear();
    return;
  }
  if (draws_) stretchOverWindow(picture_, cg_, RasterOperation::Copy);
}

void Screen::darkenCg() {
  for (int y = 0; draws_ && y < cg_.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(cg_.scanLine(y));
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
