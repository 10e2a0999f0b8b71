// Any bytes as a CG or character file, through the player's picture loader: reading
// must stay inside the bytes and end, and a picture that comes out is 32-bit and of
// a size the loader allows.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "player/screen/screen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QImage picture = pryx::player::decodePicture(std::span(data, size));
  if (!picture.isNull() &&
      (picture.format() != QImage::Format_RGB32 || picture.width() > 16384 || picture.height() > 16384)) {
    std::abort();
  }
  return 0;
}
