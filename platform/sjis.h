#pragma once
// Shift-JIS (code page 932) is the encoding of every text the kit reads or writes on
// disk; in memory texts are UTF-8 unless a byte length in that encoding matters. The
// conversions use the kit's own tables (sjis_cp932.h), the same on every platform.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pryx::platform {

// Converts code page 932 bytes to UTF-8 as Windows does, also the single bytes 0x80
// (U+0080), 0xA0 (U+F8F0) and 0xFD-0xFF (U+F8F1-U+F8F3). A lead byte without its
// partner becomes U+FFFD; `hadInvalidBytes` (if given) tells whether that happened.
std::string decodeSjis(std::string_view bytes, bool* hadInvalidBytes = nullptr);

// Converts UTF-8 to code page 932, the inverse of decodeSjis, as Windows'
// WideCharToMultiByte without best fit: a character the code page holds twice gets
// Windows' code, and a character without a code (also ¢ £ ¥ ¬ — ‖ ‾ − 〜 and the tag
// characters U+E0000-U+E007F) or a broken UTF-8 sequence becomes "?"; `lossy` (if
// given) tells whether that happened.
std::string encodeSjis(std::string_view utf8, bool* lossy = nullptr);

// True for a byte that begins a two-byte character.
constexpr bool isSjisLeadByte(std::uint8_t b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The length of the longest prefix of `bytes` that is at most `maxBytes` long and
// does not split a two-byte character.
std::size_t sjisPrefixLength(std::string_view bytes, std::size_t maxBytes);

// Position of the last "\" or "/" that stands as a character of its own (not as the
// second byte of a two-byte character), or npos.
std::size_t sjisLastPathSeparator(std::string_view bytes);

}  // namespace pryx::platform
