// Any bytes as a CG or character file, through the player's picture decoders (the
// kit's own BMP reader, libjpeg-turbo for JPEG): reading must stay inside the bytes
// and end, and a picture that comes out has a size the loader allows and every
// pixel opaque.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "player/screen/picture_decoders.h"
#include "player/screen/screen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pryx::player;
  const Picture picture = decodePicture(std::span(data, size));
  if (picture.isNull()) return 0;
  if (!isGamePictureSize(picture.width(), picture.height())) std::abort();
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if ((picture.pixel(x, y) & kOpaque) != kOpaque) std::abort();
  return 0;
}
