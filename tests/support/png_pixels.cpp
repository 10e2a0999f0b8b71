#include "tests/support/png_pixels.h"

#include <png.h>

#include <cstdio>

#include "platform/stable_hash.h"

namespace pryx::testing {

std::optional<PngPixels> readPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_BGRA;
  PngPixels pixels;
  pixels.width = static_cast<int>(image.width);
  pixels.height = static_cast<int>(image.height);
  pixels.bgra.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.bgra.data(), 0, nullptr)) return std::nullopt;
  return pixels;
}

std::string pixelHash(const PngPixels& pixels) {
  const std::uint64_t hash = platform::stableHash(pixels.bgra);
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace pryx::testing
