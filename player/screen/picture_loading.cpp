#include "platform/files.h"
#include "player/screen/picture_decoders.h"
#include "player/screen/screen.h"

namespace pryx::player {
namespace {

// The largest picture allowed, 16 million pixels of 32 bits, uncompressed.
constexpr std::uint64_t kMostPictureBytes = std::uint64_t{64} << 20;

}  // namespace

Picture loadPicture(const std::string& path) {
  if (path.empty()) return {};
  const auto bytes = platform::readWholeFile(path, nullptr, kMostPictureBytes);
  return bytes ? decodePicture(*bytes) : Picture();
}

// The contents decide, not the name: a JPEG saved as ".BMP" still loads.
Picture decodePicture(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return decodeBmp(bytes);
  return decodeJpeg(bytes);
}

}  // namespace pryx::player
