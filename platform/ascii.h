#pragma once
// Letter case of ASCII text: file extensions, command words and project file flags
// are read in any case. Only the 26 ASCII letters fold; every other byte, and so
// every byte of a multi-byte UTF-8 character, compares as it is. Shift-JIS text is
// only ever compared with ASCII words here: a trail byte may look like a letter, but
// its lead byte never matches one.

#include <string>
#include <string_view>

namespace pryx::platform {

constexpr char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

bool endsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix);

// `text` with its ASCII letters in upper case, as a key that ignores their case.
std::string asciiUpperCase(std::string text);

}  // namespace pryx::platform
