#pragma once
// UTF-8, the encoding of every text in memory, one character at a time.

#include <string>
#include <string_view>

namespace pryx::platform {

// The characters of `utf8`; each byte that begins no valid sequence becomes U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);

}  // namespace pryx::platform
