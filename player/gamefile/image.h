#pragma once
// A game file held in memory. Every read is checked against the image: a position
// outside it gives nullopt, never a read outside the buffer.

#include "player/gamefile/header.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace pryx::gamefile {

class GameImage {
 public:
  GameImage() = default;
  explicit GameImage(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  std::int64_t length() const { return static_cast<std::int64_t>(bytes_.size()); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  // True when positions [position, position + count) all lie inside the image.
  bool contains(std::int64_t position, std::int64_t count = 1) const {
    return position >= 1 && count >= 0 && position <= length() && count <= length() - position + 1;
  }

  bool hasMagic() const;

  // The readers are inline: chains of tens of thousands of records are walked
  // through them.
  std::optional<std::uint8_t> byteAt(std::int64_t position) const {
    if (!contains(position)) return std::nullopt;
    return *uncheckedAt(position);
  }

  // An int32 whose top byte is 255 reads as -1 (none, end of chain).
  std::optional<std::int32_t> int32At(std::int64_t position) const {
    if (!contains(position, 4)) return std::nullopt;
    return int32From(uncheckedAt(position));
  }

  // An int16 whose high byte is 255 reads as -1; high bytes 128..254 read as the
  // negative two's-complement value.
  std::optional<std::int16_t> int16At(std::int64_t position) const {
    if (!contains(position, 2)) return std::nullopt;
    return int16From(uncheckedAt(position));
  }

  // `count` raw Shift-JIS bytes.
  std::optional<std::string_view> textAt(std::int64_t position, std::int64_t count) const {
    if (count == 0) return std::string_view();
    if (!contains(position, count)) return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(uncheckedAt(position)),
                            static_cast<std::size_t>(count));
  }

  std::optional<std::int32_t> headerSlot(HeaderSlot slot) const { return int32At(position(slot)); }

  // The fields' bytes decoded, for readers that have checked the range themselves.
  static std::int32_t int32From(const std::uint8_t* p) {
    if (p[3] == 255) return -1;
    return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                     std::uint32_t{p[3]} << 24);
  }
  static std::int16_t int16From(const std::uint8_t* p) {
    if (p[1] == 255) return -1;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
  }
  // The bytes from `position` on, which the caller has checked to lie inside the image.
  const std::uint8_t* uncheckedAt(std::int64_t position) const {
    return bytes_.data() + static_cast<std::size_t>(position - 1);
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace pryx::gamefile
