#include "platform/zorvex/pixels.h"

#include <algorithm>

namespace pryx::platform {
namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

bool isUsable(const ZorvexSurface& surface) {
  return surface.pixels != nullptr && surface.width > 0 && surface.height > 0 && surface.bytesPerLine % 4 == 0 &&
         std::int64_t{surface.bytesPerLine} >= std::int64_t{surface.width} * 4;
}

std::uint32_t* row(const ZorvexSurface& surface, std::int32_t y) {
  auto* bytes = reinterpret_cast<unsigned char*>(surface.pixels);
  return reinterpret_cast<std::uint32_t*>(bytes + std::int64_t{y} * surface.bytesPerLine);
}

// 0x00BBGGRR to the surface's 0x00RRGGBB.
std::uint32_t surfaceColour(std::int32_t colour) {
  auto value = static_cast<std::uint32_t>(colour);
  return (value & 0xFFu) << 16 | (value & 0xFF00u) | (value >> 16 & 0xFFu);
}

std::uint32_t mixChannel(std::uint32_t picture, std::uint32_t colour, std::uint32_t strength) {
  return (picture * (100 - strength) + colour * strength + 50) / 100;
}

std::uint32_t mix(std::uint32_t picture, std::uint32_t colour, std::uint32_t strength) {
  std::uint32_t result = picture & ~kRgbMask;  // the unused top byte stays as it was
  for (int shift = 0; shift <= 16; shift += 8) {
    result |= mixChannel(picture >> shift & 0xFFu, colour >> shift & 0xFFu, strength) << shift;
  }
  return result;
}

// The source coordinate whose pixel centre lies nearest the destination pixel's centre.
std::int32_t nearestSource(std::int32_t destination, std::int32_t destinationSize, std::int32_t sourceSize) {
  return static_cast<std::int32_t>((2 * std::int64_t{destination} + 1) * sourceSize /
                                   (2 * std::int64_t{destinationSize}));
}

}  // namespace

void ABox(ZorvexSurface& surface, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
          std::int32_t width, std::int32_t height, std::int32_t colour, std::int32_t strength) {
  if (!isUsable(surface)) return;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  const std::int32_t left = std::max(x1, 0);
  const std::int32_t top = std::max(y1, 0);
  const std::int32_t right = std::min({x2, width, surface.width});
  const std::int32_t bottom = std::min({y2, height, surface.height});
  const auto weight = static_cast<std::uint32_t>(std::clamp(strength, 0, 100));
  const std::uint32_t box = surfaceColour(colour);
  for (std::int32_t y = top; y < bottom; ++y) {
    std::uint32_t* line = row(surface, y);
    for (std::int32_t x = left; x < right; ++x) line[x] = mix(line[x], box, weight);
  }
}

void Blend(ZorvexSurface& destination, std::int32_t destinationWidth, std::int32_t destinationHeight,
           const ZorvexSurface& source, std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
           std::int32_t sourceHeight) {
  if (!isUsable(destination) || !isUsable(source)) return;
  if (destinationWidth <= 0 || destinationHeight <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return;
  const std::int64_t keyX = sourceX;
  const std::int64_t keyY = std::int64_t{sourceY} + sourceHeight - 1;
  const bool keyInside = keyX >= 0 && keyX < source.width && keyY >= 0 && keyY < source.height;
  const std::uint32_t key = keyInside ? row(source, static_cast<std::int32_t>(keyY))[keyX] & kRgbMask : 0;

  const std::int32_t width = std::min(destinationWidth, destination.width);
  const std::int32_t height = std::min(destinationHeight, destination.height);
  for (std::int32_t y = 0; y < height; ++y) {
    const std::int64_t fromY = std::int64_t{sourceY} + nearestSource(y, destinationHeight, sourceHeight);
    if (fromY < 0 || fromY >= source.height) continue;
    const std::uint32_t* from = row(source, static_cast<std::int32_t>(fromY));
    std::uint32_t* to = row(destination, y);
    for (std::int32_t x = 0; x < width; ++x) {
      const std::int64_t fromX = std::int64_t{sourceX} + nearestSource(x, destinationWidth, sourceWidth);
      if (fromX < 0 || fromX >= source.width) continue;
      const std::uint32_t pixel = from[fromX] & kRgbMask;
      if (keyInside && pixel == key) continue;
      to[x] = (to[x] & ~kRgbMask) | pixel;
    }
  }
}

}  // namespace pryx::platform
