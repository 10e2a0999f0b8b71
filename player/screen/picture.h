#pragma once
// The engine's pictures: 32-bit pixels 0xFFRRGGBB, rows from the top, each pixel's
// bytes blue, green, red, 255 in memory. That is the layout of QImage::Format_RGB32
// and of a 32-bit device-independent bitmap, so a window shows the pixels as they
// are, wrapped, without a copy.

#include <cstdint>
#include <vector>

namespace pryx::player {

using Pixel = std::uint32_t;

inline constexpr Pixel kOpaque = 0xFF000000;
inline constexpr Pixel kColourBits = 0x00FFFFFF;  // a pixel without its fourth byte
inline constexpr Pixel kBlackPixel = kOpaque;
inline constexpr Pixel kWhitePixel = 0xFFFFFFFF;

constexpr Pixel pixelOf(int red, int green, int blue) {
  return kOpaque | static_cast<Pixel>(red & 0xFF) << 16 | static_cast<Pixel>(green & 0xFF) << 8 |
         static_cast<Pixel>(blue & 0xFF);
}
constexpr int redOf(Pixel pixel) { return static_cast<int>(pixel >> 16 & 0xFF); }
constexpr int greenOf(Pixel pixel) { return static_cast<int>(pixel >> 8 & 0xFF); }
constexpr int blueOf(Pixel pixel) { return static_cast<int>(pixel & 0xFF); }

// A colour of text: the game file carries red, green and blue.
struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  constexpr Pixel pixel() const { return pixelOf(red, green, blue); }
  friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kBlackColour{0, 0, 0};
inline constexpr Colour kWhiteColour{255, 255, 255};

class Picture {
 public:
  Picture() = default;  // empty: no pixels
  Picture(int width, int height, Pixel fill = kBlackPixel);

  int width() const { return width_; }
  int height() const { return height_; }
  bool isNull() const { return pixels_.empty(); }
  int bytesPerLine() const { return width_ * static_cast<int>(sizeof(Pixel)); }

  Pixel* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
  const Pixel* row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
  }
  Pixel* pixels() { return pixels_.data(); }
  const Pixel* pixels() const { return pixels_.data(); }
  Pixel pixel(int x, int y) const { return row(y)[x]; }

  void fill(Pixel pixel);

  friend bool operator==(const Picture&, const Picture&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

}  // namespace pryx::player
