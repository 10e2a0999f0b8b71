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

  std::optional<std::uint8_t> byteAt(std::int64_t position) const;

  // An int32 whose top byte is 255 reads as -1 (none, end of chain).
  std::optional<std::int32_t> int32At(std::int64_t position) const;

  // An int16 whose high byte is 255 reads as -1; high bytes 128..254 read as the
  // negative two's-complement value.
  std::optional<std::int16_t> int16At(std::int64_t position) const;

  // `count` raw Shift-JIS bytes.
  std::optional<std::string_view> textAt(std::int64_t position, std::int64_t count) const;

  std::optional<std::int32_t> headerSlot(HeaderSlot slot) const { return int32At(position(slot)); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace pryx::gamefile
