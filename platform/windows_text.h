#pragma once
// Windows only: the system's calls take UTF-16 texts, the kit's texts are UTF-8.

#ifdef _WIN32

#include <string>
#include <string_view>

namespace pryx::platform {

std::string utf8FromWide(std::wstring_view wide);
std::wstring wideFromUtf8(std::string_view utf8);

// The system's own description of an error code of GetLastError(), in UTF-8.
std::string systemErrorText(unsigned long code);

}  // namespace pryx::platform

#endif
