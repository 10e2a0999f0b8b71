#pragma once
// Helpers shared by the script tests: scripts written in UTF-8 with LF line ends,
// turned into the Shift-JIS, CR LF files authors hand the compiler.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sjis.h"
#include "player/gamefile/image.h"
#include "script/compiler.h"

namespace pryx::script::testing {

// UTF-8 text with "\n" line ends as a Shift-JIS script with CR LF.
inline std::string scriptBytes(std::string_view utf8) {
  std::string crlf;
  for (char c : utf8) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return platform::encodeSjis(crlf);
}

inline std::vector<std::uint8_t> compiled(std::string_view utf8Script) {
  return compileScriptText(scriptBytes(utf8Script));
}

inline gamefile::GameImage compiledImage(std::string_view utf8Script) {
  return gamefile::GameImage(compiled(utf8Script));
}

// The code bytes from the first instruction up to and including the end of code,
// which the compiler places two bytes before the CG-name pool.
inline std::vector<int> codeOf(const std::vector<std::uint8_t>& file) {
  auto cgPool = gamefile::GameImage(file).headerSlot(gamefile::HeaderSlot::CgPool).value_or(0);
  std::vector<int> code;
  for (std::int64_t position = 37; position <= cgPool - 2 && position <= static_cast<std::int64_t>(file.size());
       ++position) {
    code.push_back(file[static_cast<std::size_t>(position - 1)]);
  }
  return code;
}

}  // namespace pryx::script::testing
