#include "project/colour.h"

#include <algorithm>

namespace pryx::project {

constexpr std::int64_t kWhite = 0xFFFFFF;

ColourBytes lowestColourBytes(std::int64_t colour) {
  auto bits = static_cast<std::uint64_t>(colour);  // two's complement: a negative value keeps its low bytes
  return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits >> 16)};
}

ColourBytes colourBytes(std::int64_t colour) { return lowestColourBytes(std::clamp<std::int64_t>(colour, 0, kWhite)); }

ColourParts colourParts(std::int64_t colour) {
  ColourBytes low = lowestColourBytes(colour);
  // Shifting a negative value rounds toward minus infinity, which keeps red and green inside 0..255.
  return {low.red, low.green, colour >> 16};
}

}  // namespace pryx::project
