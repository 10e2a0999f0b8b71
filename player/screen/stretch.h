#pragma once
// Stretching an off-screen picture over the whole window, nearest neighbour, combined
// with the window by a raster operation. Exact integer sampling: window pixel x shows
// picture pixel x · width / 640, so every picture pixel covers a whole block and no
// colour is ever blended (a mask must stay pure black and white).

#include <QImage>

namespace pryx::player {

enum class RasterOperation {
  Copy,  // the picture replaces the window
  And,   // window := window AND picture
  Or,    // window := window OR picture
};

// `window` and `picture` are Format_RGB32; an empty picture leaves the window as it is.
void stretchOverWindow(QImage& window, const QImage& picture, RasterOperation operation);

}  // namespace pryx::player
