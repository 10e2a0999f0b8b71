#pragma once
// PNG files as the pixels they hold, for comparing the frames of a run.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pryx::testing {

struct PngPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;  // rows from the top, 4 bytes a pixel
};

std::optional<PngPixels> readPng(const std::string& path);

// FNV-1a 64 over the bytes, as tools/record-sample-frames writes it.
std::string pixelHash(const PngPixels& pixels);

}  // namespace pryx::testing
