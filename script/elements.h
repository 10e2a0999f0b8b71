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

enum class ElementKind : std::uint32_t {
  Field,          // up to a comma or the line end, or between double quotes
  UnclosedQuote,  // opened a double quote that its line never closes: runs to the line end
  TextLine,       // a line of a text block: message text, never a command
};

// Kept small (16 bytes): a script of thousands of pages has millions of elements.
class Element {
 public:
  Element(std::string_view text, std::int32_t line, ElementKind kind)
      : data_(text.data()),
        sizeAndKind_(static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), kSizeMask)) |
                     static_cast<std::uint32_t>(kind) << kKindShift),
        line_(line) {}

  std::string_view text() const { return {data_, sizeAndKind_ & kSizeMask}; }
  // Where the element begins, from 1.
  std::int32_t line() const { return line_; }
  ElementKind kind() const { return static_cast<ElementKind>(sizeAndKind_ >> kKindShift); }
  bool textLine() const { return kind() == ElementKind::TextLine; }

 private:
  static constexpr std::uint32_t kKindShift = 30;
  static constexpr std::uint32_t kSizeMask = (1u << kKindShift) - 1;
  const char* data_;
  std::uint32_t sizeAndKind_;
  std::int32_t line_;
};

// Cuts `script` (CR LF or LF line ends alike). Quotes that are not closed on their
// line and text after a closing quote are reported to `findings` when given.
std::vector<Element> cutElements(std::string_view script, Findings* findings = nullptr);

}  // namespace pryx::script
