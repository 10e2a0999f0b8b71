#pragma once
// Recognising text saved as UTF-8 where Shift-JIS is expected.

#include <cstddef>
#include <string_view>

namespace pryx::platform {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The length of the well-formed UTF-8 sequence of two to four bytes at `at`, or 0.
std::size_t utf8SequenceAt(std::string_view text, std::size_t at);

// True for a byte-order mark, or when the text holds multi-byte characters and every
// byte above 0x7F belongs to a well-formed UTF-8 sequence (Shift-JIS text with kana
// or kanji practically never does).
bool looksLikeUtf8(std::string_view text);

}  // namespace pryx::platform
