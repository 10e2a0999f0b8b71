#pragma once
// The base name by which a game file names a picture or music file. The builder
// takes it from a project's UTF-8 path, the compiler from a script's Shift-JIS text;
// both cut it by characters of their own encoding, so that no character is split.

#include <string_view>

namespace pryx::platform {

enum class TextEncoding { Utf8, ShiftJis };

// The file name after the last "\" or "/" of `path`, without its last four
// characters (the extension and its dot); empty when nothing is left. A trail byte
// of a Shift-JIS character is no separator.
std::string_view resourceBaseName(std::string_view path, TextEncoding encoding);

}  // namespace pryx::platform
