#pragma once
// Cuts project file text into fields and whole lines. A field ends at a comma or at
// the end of a line; blanks around an unquoted field are dropped; a field that
// starts with a double quote runs to the closing quote (on the same line), and
// anything between that quote and the next comma or line end is passed over.
// Lines end with CR LF, or with a lone CR or LF.

#include <optional>
#include <string>
#include <string_view>

namespace pryx::project {

struct Field {
  std::string text;
  bool quoted = false;
  std::string_view raw;  // an unquoted field as it stood, blanks included

  // True for an unquoted field that is exactly `marker`: a quoted one is always data.
  bool is(std::string_view marker) const { return !quoted && text == marker; }
};

class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : text_(text) {}

  bool atEnd() const { return position_ >= text_.size(); }

  // The next field, or nullopt at the end of the text.
  std::optional<Field> nextField();

  // The rest of the current line, or nullopt at the end of the text.
  std::optional<std::string_view> nextLine();

  // Reads fields until one is the unquoted `marker`; false at the end of the text.
  bool skipTo(std::string_view marker);

 private:
  bool atLineEnd() const;
  void consumeLineEnd();

  std::string_view text_;
  std::size_t position_ = 0;
};

}  // namespace pryx::project
