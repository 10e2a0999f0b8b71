#include "project/colour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace pryx::project {
namespace {

std::int64_t valueOf(ColourBytes bytes) { return bytes.red + 256 * bytes.green + 65536 * bytes.blue; }

// Typed colours reach every reader, in range or not: each reader must give back the
// value it promises, with red in the lowest byte.
TEST(Colour, EveryReaderGivesBackWhatItKeepsOfTheValue) {
  const std::int64_t values[] = {0, 0xFF, 0x100, 0x123456, 0xFFFFFF, 0x1000000, 0x7FFFFFFF,
                                 -1, -256, -65537, INT32_MIN, std::int64_t{INT32_MIN} - 1};
  for (std::int64_t value : values) {
    ColourParts parts = colourParts(value);
    EXPECT_EQ(parts.red + 256 * parts.green + 65536 * parts.blue, value) << value;
    EXPECT_TRUE(parts.red >= 0 && parts.red <= 255 && parts.green >= 0 && parts.green <= 255) << value;
    EXPECT_EQ(valueOf(lowestColourBytes(value)), value & 0xFFFFFF) << value;
    EXPECT_EQ(valueOf(colourBytes(value)), std::clamp<std::int64_t>(value, 0, 0xFFFFFF)) << value;
  }
  ColourBytes bytes = colourBytes(0x123456);
  EXPECT_EQ(bytes.red, 0x56);
  EXPECT_EQ(bytes.green, 0x34);
  EXPECT_EQ(bytes.blue, 0x12);
  EXPECT_EQ(colourBytes(0x7FFFFFFF).red, 255);
}

}  // namespace
}  // namespace pryx::project
