#include "player/screen/stretch.h"

#include <vector>

namespace pryx::player {

namespace {

std::vector<int> sourceIndexes(int sourceLength, int targetLength) {
  std::vector<int> indexes(static_cast<std::size_t>(targetLength));
  for (int i = 0; i < targetLength; ++i)
    indexes[static_cast<std::size_t>(i)] = static_cast<int>(static_cast<long long>(i) * sourceLength / targetLength);
  return indexes;
}

Pixel combine(Pixel window, Pixel picture, RasterOperation operation) {
  switch (operation) {
    case RasterOperation::And:
      return (window & picture) | kOpaque;
    case RasterOperation::Or:
      return window | picture | kOpaque;
    case RasterOperation::Copy:
      break;
  }
  return picture | kOpaque;
}

}  // namespace

void stretchOverWindow(Picture& window, const Picture& picture, RasterOperation operation) {
  if (picture.isNull() || window.isNull()) return;
  const std::vector<int> columns = sourceIndexes(picture.width(), window.width());
  const std::vector<int> rows = sourceIndexes(picture.height(), window.height());
  for (int y = 0; y < window.height(); ++y) {
    Pixel* target = window.row(y);
    const Pixel* source = picture.row(rows[static_cast<std::size_t>(y)]);
    for (int x = 0; x < window.width(); ++x)
      target[x] = combine(target[x], source[columns[static_cast<std::size_t>(x)]], operation);
  }
}

}  // namespace pryx::player
