#include "platform/utf8.h"

#include <cstdint>

namespace pryx::platform {

std::u32string decodeUtf8(std::string_view utf8) {
  constexpr char32_t kReplacement = 0xFFFD;
  std::u32string text;
  text.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<std::uint8_t>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : utf8SequenceAt(utf8, i);
    if (length == 0) {
      text.push_back(kReplacement);
      ++i;
      continue;
    }
    char32_t character = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) character = character << 6 | (static_cast<std::uint8_t>(utf8[i + k]) & 0x3Fu);
    text.push_back(character);
    i += length;
  }
  return text;
}

// Over-long forms, surrogates and values past U+10FFFF are no characters.
std::size_t utf8SequenceAt(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) -> unsigned {
    return at + i < text.size() ? static_cast<std::uint8_t>(text[at + i]) : 0u;
  };
  const auto continuation = [&](std::size_t i) { return (byte(i) & 0xC0) == 0x80; };
  const unsigned lead = byte(0);
  if (lead >= 0xC2 && lead <= 0xDF) return continuation(1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    const bool second = (lead == 0xE0 ? byte(1) >= 0xA0 : true) && (lead == 0xED ? byte(1) < 0xA0 : true);
    return second && continuation(1) && continuation(2) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const bool second = (lead == 0xF0 ? byte(1) >= 0x90 : true) && (lead == 0xF4 ? byte(1) < 0x90 : true);
    return second && continuation(1) && continuation(2) && continuation(3) ? 4 : 0;
  }
  return 0;
}

bool looksLikeUtf8(std::string_view text) {
  const bool marked = text.starts_with(kUtf8ByteOrderMark);
  if (marked) text.remove_prefix(kUtf8ByteOrderMark.size());
  bool multiByte = false;
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<std::uint8_t>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = utf8SequenceAt(text, i);
    if (length == 0) return false;
    multiByte = true;
    i += length;
  }
  return marked || multiByte;
}

}  // namespace pryx::platform
