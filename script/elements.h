#pragma once
// Cutting script text into elements. In field mode an element ends at a comma or a
// line end; inside a text block ("@TEXT" followed by "{") every line is one element
// up to a line of exactly "}". Elements view the script's own Shift-JIS bytes, so the
// script text must outlive them.

#include "script/findings.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace pryx::script {

struct Element {
  std::string_view text;
  std::int32_t line;      // where the element begins, from 1
  bool textLine = false;  // a line of a text block: message text, never a command
};

// Cuts `script` (CR LF or LF line ends alike). Quotes that are not closed on their
// line and text after a closing quote are reported to `findings` when given.
std::vector<Element> cutElements(std::string_view script, Findings* findings = nullptr);

// Element and keyword comparison: ASCII letters in any case.
bool equalsIgnoringCase(std::string_view text, std::string_view upperCaseWord);

}  // namespace pryx::script
