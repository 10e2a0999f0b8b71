#pragma once
// Novel mode darkens the background and the character so that white text stays
// readable over them.

#include "player/screen/picture.h"

namespace pryx::player {

inline constexpr int kDarkeningStep = 64;

// Every colour channel down by 64, never below 0; the fourth byte plays no part.
constexpr Pixel darkenedPixel(Pixel pixel) {
  auto down = [](int channel) { return channel >= kDarkeningStep ? channel - kDarkeningStep : 0; };
  return pixelOf(down(redOf(pixel)), down(greenOf(pixel)), down(blueOf(pixel)));
}

}  // namespace pryx::player
