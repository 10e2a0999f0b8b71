#include "platform/zorvex/pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace pryx::platform {
namespace {

// A 32-bit picture with a few spare words at the end of every row, filled with one
// pixel value; the spare words hold a marker that no drawing may touch.
struct Picture {
  static constexpr std::uint32_t kPadding = 0xDEADBEEF;
  int width;
  int height;
  int stride;  // in pixels
  std::vector<std::uint32_t> words;

  Picture(int w, int h, std::uint32_t fill, int spare = 3) : width(w), height(h), stride(w + spare) {
    words.assign(static_cast<std::size_t>(stride) * h, kPadding);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) at(x, y) = fill;
  }
  std::uint32_t& at(int x, int y) { return words[static_cast<std::size_t>(y) * stride + x]; }
  ZorvexSurface surface() { return {words.data(), width, height, stride * 4}; }
  bool paddingIntact() const {
    for (int y = 0; y < height; ++y)
      for (int x = width; x < stride; ++x)
        if (words[static_cast<std::size_t>(y) * stride + x] != kPadding) return false;
    return true;
  }
  int countOf(std::uint32_t value) {
    int count = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) count += at(x, y) == value;
    return count;
  }
};

constexpr std::int32_t kMessageBoxColour = 32 | 60 << 8 | 128 << 16;  // RGB(32, 60, 128) as 0x00BBGGRR

TEST(TranslucentBox, TintsExactlyTheMessageRowsAtHalfStrength) {
  Picture picture(640, 480, 0xFF000000);
  picture.at(10, 400) = 0xFFFFFFFF;
  ZorvexSurface surface = picture.surface();
  ABox(surface, 0, 350, 640, 480, 640, 480, kMessageBoxColour, 50);

  // Half of the colour over black; over white the picture still shows through.
  const std::uint32_t overBlack = 0xFF000000u | 16u << 16 | 30u << 8 | 64u;
  const std::uint32_t overWhite = 0xFF000000u | 144u << 16 | 158u << 8 | 192u;
  EXPECT_EQ(picture.at(0, 350), overBlack);
  EXPECT_EQ(picture.at(639, 479), overBlack);
  EXPECT_EQ(picture.at(10, 400), overWhite);
  EXPECT_EQ(picture.at(0, 349), 0xFF000000u);
  EXPECT_EQ(picture.countOf(overBlack), 640 * 130 - 1);
  EXPECT_TRUE(picture.paddingIntact());
}

TEST(TranslucentBox, StrengthRunsFromPictureToColourAndIsClamped) {
  const std::uint32_t grey = 0xFF646464;  // 100, 100, 100
  const std::int32_t red = 200;           // 0x00BBGGRR: red 200, green 0, blue 0
  auto boxOnce = [&](std::int32_t strength) {
    Picture picture(4, 4, grey);
    ZorvexSurface surface = picture.surface();
    ABox(surface, 0, 0, 4, 4, 4, 4, red, strength);
    return picture.at(1, 1);
  };
  EXPECT_EQ(boxOnce(0), grey);
  EXPECT_EQ(boxOnce(-20), grey);
  EXPECT_EQ(boxOnce(100), 0xFFC80000u);
  EXPECT_EQ(boxOnce(250), 0xFFC80000u);
  EXPECT_EQ(boxOnce(25), 0xFF7D4B4Bu);  // red 100·0.75 + 200·0.25 = 125; green, blue 75
}

TEST(TranslucentBox, ClipsToTheSurfaceAndTheGivenSize) {
  Picture picture(8, 6, 0xFF000000);
  ZorvexSurface surface = picture.surface();
  // Reversed corners reaching far outside; the given size cuts it to 5 × 4.
  ABox(surface, 100, 100, -7, -3, 5, 4, 0xFFFFFF, 100);
  EXPECT_EQ(picture.countOf(0xFFFFFFFF), 5 * 4);
  EXPECT_EQ(picture.at(4, 3), 0xFFFFFFFFu);
  EXPECT_EQ(picture.at(5, 3), 0xFF000000u);
  EXPECT_EQ(picture.at(4, 4), 0xFF000000u);
  EXPECT_TRUE(picture.paddingIntact());

  // A size larger than the surface is cut to the surface.
  ABox(surface, -1, -1, 1000, 1000, 1000, 1000, 0xFFFFFF, 100);
  EXPECT_EQ(picture.countOf(0xFFFFFFFF), 8 * 6);
  EXPECT_TRUE(picture.paddingIntact());
}

TEST(TranslucentBox, LeavesUnusableSurfacesAlone) {
  Picture picture(4, 4, 0xFF000000);
  ZorvexSurface tooShortRows{picture.words.data(), 4, 4, 12};
  ABox(tooShortRows, 0, 0, 4, 4, 4, 4, 0xFFFFFF, 100);
  ZorvexSurface unalignedRows{picture.words.data(), 4, 4, 18};
  ABox(unalignedRows, 0, 0, 4, 4, 4, 4, 0xFFFFFF, 100);
  EXPECT_EQ(picture.countOf(0xFF000000), 16);
  ZorvexSurface noPixels{nullptr, 640, 480, 2560};
  ABox(noPixels, 0, 0, 640, 480, 640, 480, 0xFFFFFF, 100);  // must not crash
}

TEST(PreviewBlend, LeavesTheTransparentColourOutAndScales) {
  // A 2 × 2 character on magenta, shown on a 4 × 4 preview: every source pixel
  // covers 2 × 2 destination pixels.
  const std::uint32_t magenta = 0xFFFF00FF, blue = 0xFF0000FF, background = 0xFF102030;
  Picture character(2, 2, magenta);
  character.at(1, 0) = blue;
  Picture preview(4, 4, background);
  ZorvexSurface destination = preview.surface();
  ZorvexSurface source = character.surface();
  Blend(destination, 4, 4, source, 0, 0, 2, 2);

  EXPECT_EQ(preview.countOf(blue), 4);
  EXPECT_EQ(preview.at(2, 0), blue);
  EXPECT_EQ(preview.at(3, 1), blue);
  EXPECT_EQ(preview.countOf(background), 12);
  EXPECT_TRUE(preview.paddingIntact());
}

TEST(PreviewBlend, TakesTheTransparentColourFromTheRectanglesCornerAndClips) {
  const std::uint32_t green = 0xFF00FF00, white = 0xFFFFFFFF, black = 0xFF000000;
  Picture character(3, 3, white);
  character.at(1, 2) = green;  // bottom-left corner of the rectangle starting at x = 1
  Picture preview(3, 3, black);
  ZorvexSurface destination = preview.surface();
  ZorvexSurface source = character.surface();
  // A rectangle of 3 × 3 from x = 1 runs past the source: its last column is left out.
  Blend(destination, 3, 3, source, 1, 0, 3, 3);
  EXPECT_EQ(preview.at(0, 0), white);
  EXPECT_EQ(preview.at(1, 1), white);
  EXPECT_EQ(preview.at(0, 2), black);  // green is the transparent colour
  EXPECT_EQ(preview.at(2, 0), black);  // outside the source
  EXPECT_TRUE(preview.paddingIntact());

  // A destination size larger than the surface draws only what fits.
  Picture small(2, 2, black);
  ZorvexSurface smallSurface = small.surface();
  Blend(smallSurface, 640, 480, source, 0, 0, 3, 3);
  EXPECT_TRUE(small.paddingIntact());
}

}  // namespace
}  // namespace pryx::platform
