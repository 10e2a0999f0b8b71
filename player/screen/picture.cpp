#include "player/screen/picture.h"

#include <algorithm>

namespace pryx::player {

Picture::Picture(int width, int height, Pixel fill)
    : width_(width > 0 && height > 0 ? width : 0),
      height_(width > 0 && height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

void Picture::fill(Pixel pixel) { std::fill(pixels_.begin(), pixels_.end(), pixel); }

}  // namespace pryx::player
