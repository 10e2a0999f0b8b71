#pragma once
// UTF-8, the encoding of every text in memory: its characters one at a time, and
// recognising text saved as UTF-8 where Shift-JIS is expected.

#include <cstddef>
#include <string>
#include <string_view>

namespace pryx::platform {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The characters of `utf8`; each byte that begins no valid sequence becomes U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);

// The length of the well-formed UTF-8 sequence of two to four bytes at `at`, or 0.
std::size_t utf8SequenceAt(std::string_view text, std::size_t at);

// True when every byte above 0x7F belongs to a well-formed UTF-8 sequence and the
// text begins with a byte-order mark or holds multi-byte characters (Shift-JIS text
// with kanji practically never does).
bool looksLikeUtf8(std::string_view text);

}  // namespace pryx::platform
