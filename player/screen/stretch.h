#pragma once
// Stretching an off-screen picture over the whole window, nearest neighbour, combined
// with the window by a raster operation. Exact integer sampling: window pixel x shows
// picture pixel x · width / 640, so every picture pixel covers a whole block and no
// colour is ever blended (a mask must stay pure black and white).

#include "player/screen/picture.h"

namespace pryx::player {

enum class RasterOperation {
  Copy,  // the picture replaces the window
  And,   // window := window AND picture
  Or,    // window := window OR picture
};

// An empty picture leaves the window as it is.
void stretchOverWindow(Picture& window, const Picture& picture, RasterOperation operation);

}  // namespace pryx::player
