#pragma once
// The decoders behind loadPicture, one per file format games use. Each reads only
// inside the bytes it is given and gives an empty picture for a file it cannot read
// whole: cut short, broken, of a flavour it does not know, or declaring a size no
// game picture has.

#include <cstdint>
#include <span>

#include "player/screen/picture.h"

namespace pryx::player {

// Game pictures are 640 × 480 or close to it; a camera photograph still fits, while
// a hostile header declaring a gigantic picture is refused before anything is decoded
// (a 1 KB run-length file can declare hundreds of megabytes of pixels).
inline constexpr std::int64_t kMaxPictureSide = 8192;
inline constexpr std::int64_t kMaxPicturePixels = 16'000'000;

constexpr bool isGamePictureSize(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

// Every flavour Windows writes: 1, 4, 8, 16, 24 and 32 bits a pixel, run-length
// coded 4 and 8 bits, bit fields, the OS/2 headers, rows stored from the top.
Picture decodeBmp(std::span<const std::uint8_t> bytes);
// Baseline and progressive, colour, grey and CMYK, through libjpeg-turbo.
Picture decodeJpeg(std::span<const std::uint8_t> bytes);

}  // namespace pryx::player
