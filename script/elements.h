#pragma once
// Cutting script text into elements. In field mode an element ends at a comma or a
// line end; inside a text block ("@TEXT" followed by "{") every line is one element
// up to a line of exactly "}". Elements view the script's own Shift-JIS bytes, so the
// script text must outlive them.

#include <algorithm>
#include <cstdint>
#include <string>
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

// Cuts `script` (CR LF or LF line ends alike) one element at a time, so a pass over
// a long script holds only the elements of the command at hand. Quotes that are not
// closed on their line and text after a closing quote are reported to `findings`
// when given.
class ElementCutter {
 public:
  explicit ElementCutter(std::string_view script, Findings* findings = nullptr)
      : script_(script), findings_(findings) {}

  // Cuts up to `count` further elements onto the end of `out`; false once the whole
  // script has been cut.
  bool cut(std::vector<Element>& out, std::size_t count);

  // How far into the script the cutting has come, in bytes.
  std::size_t position() const { return position_; }

 private:
  struct LineEnd;
  LineEnd lineEndFrom(std::size_t from);
  void moveTo(std::size_t next);
  void readTextLine();
  void readField();
  void push(std::string_view text, ElementKind kind = ElementKind::Field);
  void report(FindingKind kind, std::vector<std::string> arguments = {});

  std::string_view script_;
  Findings* findings_;
  std::vector<Element>* out_ = nullptr;  // where cut() puts the elements
  std::size_t position_ = 0;
  std::size_t newline_ = 0;  // the first "\n" at or after where it was last looked for
  bool newlineFound_ = false;
  std::int32_t line_ = 1;
  bool afterComma_ = false;
  bool inTextBlock_ = false;
  bool previousWasText_ = false;
};

}  // namespace pryx::script
