#pragma once
// Cutting script text into elements. In field mode an element ends at a comma or a
// line end; inside a text block ("@TEXT" followed by "{") every line is one element
// up to a line of exactly "}". Elements view the script's own Shift-JIS bytes, so the
// script text must outlive them.

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "script/findings.h"

namespace pryx::script {

// Kept small (16 bytes): a script of thousands of pages has millions of elements.
class Element {
 public:
  Element(std::string_view text, std::int32_t line, bool textLine)
      : data_(text.data()),
        sizeAndKind_(static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), kSizeMask)) |
                     (textLine ? kTextLineBit : 0u)),
        line_(line) {}

  std::string_view text() const { return {data_, sizeAndKind_ & kSizeMask}; }
  // Where the element begins, from 1.
  std::int32_t line() const { return line_; }
  // A line of a text block: message text, never a command.
  bool textLine() const { return (sizeAndKind_ & kTextLineBit) != 0; }

 private:
  static constexpr std::uint32_t kSizeMask = 0x7FFFFFFF;
  static constexpr std::uint32_t kTextLineBit = 0x80000000;
  const char* data_;
  std::uint32_t sizeAndKind_;
  std::int32_t line_;
};

// Cuts `script` (CR LF or LF line ends alike). Quotes that are not closed on their
// line and text after a closing quote are reported to `findings` when given.
std::vector<Element> cutElements(std::string_view script, Findings* findings = nullptr);

}  // namespace pryx::script
