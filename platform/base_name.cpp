#include "platform/base_name.h"

#include "platform/paths.h"
#include "platform/sjis.h"

#include <cstdint>

namespace pryx::platform {
namespace {

constexpr int kExtensionCharacters = 4;

bool isUtf8Continuation(char c) { return (static_cast<std::uint8_t>(c) & 0xC0) == 0x80; }

// The bytes of the character at `at`. A stray UTF-8 continuation byte counts as a
// character of its own; a Shift-JIS lead byte takes the next byte with it.
std::size_t characterWidth(std::string_view text, std::size_t at, TextEncoding encoding) {
  if (encoding == TextEncoding::ShiftJis) return isSjisLeadByte(static_cast<std::uint8_t>(text[at])) ? 2 : 1;
  std::size_t width = 1;
  while (at + width < text.size() && isUtf8Continuation(text[at + width])) ++width;
  return width;
}

}  // namespace

std::string_view resourceBaseName(std::string_view path, TextEncoding encoding) {
  std::size_t nameStart = 0;
  // Starts of the file name's last characters, in a ring: once the walk is over, the
  // slot of the next character holds the start of the fourth-last one.
  std::size_t starts[kExtensionCharacters] = {};
  int seen = 0;
  for (std::size_t at = 0; at < path.size();) {
    if (isPathSeparator(path[at])) {
      nameStart = ++at;
      seen = 0;
      continue;
    }
    starts[seen % kExtensionCharacters] = at;
    ++seen;
    at += characterWidth(path, at, encoding);
  }
  if (seen <= kExtensionCharacters) return {};
  return path.substr(nameStart, starts[seen % kExtensionCharacters] - nameStart);
}

}  // namespace pryx::platform
