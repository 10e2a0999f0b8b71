#pragma once
// Texts written into JSON: the trace of a run, the file list of a web distribution.

#include <string>
#include <string_view>

namespace pryx::platform {

// A UTF-8 text as a JSON string, quotes included.
std::string jsonString(std::string_view text);

}  // namespace pryx::platform
