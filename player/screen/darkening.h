#pragma once
// Novel mode darkens the background and the character so that white text stays
// readable over them.

#include <QRgb>

namespace pryx::player {

inline constexpr int kDarkeningStep = 64;

// Every colour channel down by 64, never below 0. The result is an ordinary opaque
// pixel of QImage::Format_RGB32: the fourth byte plays no part.
constexpr QRgb darkenedPixel(QRgb pixel) {
  auto down = [](int channel) { return channel >= kDarkeningStep ? channel - kDarkeningStep : 0; };
  return qRgb(down(qRed(pixel)), down(qGreen(pixel)), down(qBlue(pixel)));
}

}  // namespace pryx::player
