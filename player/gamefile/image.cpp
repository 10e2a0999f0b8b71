#include "player/gamefile/image.h"

namespace pryx::gamefile {

bool GameImage::hasMagic() const {
  auto magic = textAt(1, static_cast<std::int64_t>(kMagic.size()));
  return magic && *magic == kMagic;
}

std::optional<std::uint8_t> GameImage::byteAt(std::int64_t position) const {
  if (!contains(position)) return std::nullopt;
  return bytes_[static_cast<std::size_t>(position - 1)];
}

std::optional<std::int32_t> GameImage::int32At(std::int64_t position) const {
  if (!contains(position, 4)) return std::nullopt;
  const std::uint8_t* p = &bytes_[static_cast<std::size_t>(position - 1)];
  if (p[3] == 255) return -1;
  return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                   std::uint32_t{p[3]} << 24);
}

std::optional<std::int16_t> GameImage::int16At(std::int64_t position) const {
  if (!contains(position, 2)) return std::nullopt;
  const std::uint8_t* p = &bytes_[static_cast<std::size_t>(position - 1)];
  if (p[1] == 255) return -1;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
}

std::optional<std::string_view> GameImage::textAt(std::int64_t position, std::int64_t count) const {
  if (count == 0) return std::string_view();
  if (!contains(position, count)) return std::nullopt;
  return std::string_view(reinterpret_cast<const char*>(&bytes_[static_cast<std::size_t>(position - 1)]),
                          static_cast<std::size_t>(count));
}

}  // namespace pryx::gamefile
