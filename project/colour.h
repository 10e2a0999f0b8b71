#pragma once
// Colours are 0x00BBGGRR values: red in the lowest byte, green in the next, blue in
// the third. Page colours and the transparent colour are typed by the author, so a
// value may lie outside 0..0xFFFFFF; each reader below says what it makes of that.

#include <cstdint>

namespace pryx::project {

struct ColourBytes {
  std::uint8_t red, green, blue;
};

// The three lowest bytes; whatever lies above them is dropped.
ColourBytes lowestColourBytes(std::int64_t colour);

// The bytes of the colour held inside 0..0xFFFFFF first, as the game file takes them.
ColourBytes colourBytes(std::int64_t colour);

// Red and green are the two lowest bytes and blue is everything above them, so that
// red + 256 * green + 65536 * blue gives the colour back, even outside 0..0xFFFFFF.
struct ColourParts {
  std::int64_t red, green, blue;
};
ColourParts colourParts(std::int64_t colour);

}  // namespace pryx::project
