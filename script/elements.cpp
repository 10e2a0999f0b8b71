#include "script/elements.h"

#include "platform/ascii.h"

#include <algorithm>

namespace pryx::script {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

class Cutter {
 public:
  Cutter(std::string_view script, Findings* findings) : script_(script), findings_(findings) {
    // Every element but the last ends at a comma or a line end.
    auto separators = std::count_if(script.begin(), script.end(), [](char c) { return c == ',' || c == '\n'; });
    elements_.reserve(static_cast<std::size_t>(separators) + 1);
  }

  std::vector<Element> run() {
    while (position_ < script_.size() || afterComma_) {
      if (inTextBlock_) {
        readTextLine();
      } else {
        readField();
      }
    }
    return std::move(elements_);
  }

 private:
  // The end of the current line's content (before CR LF, LF, or the end of the
  // script) and where the next line starts.
  struct LineEnd {
    std::size_t contentEnd;
    std::size_t next;
  };

  LineEnd lineEndFrom(std::size_t from) const {
    std::size_t newline = script_.find('\n', from);
    if (newline == std::string_view::npos) {
      std::size_t end = script_.size();
      if (end > from && script_[end - 1] == '\r') --end;
      return {end, script_.size()};
    }
    std::size_t end = newline;
    if (end > from && script_[end - 1] == '\r') --end;
    return {end, newline + 1};
  }

  void moveTo(std::size_t next) {
    if (next > 0 && next <= script_.size() && script_[next - 1] == '\n' && line_ < INT32_MAX) ++line_;
    position_ = next;
  }

  void readTextLine() {
    LineEnd end = lineEndFrom(position_);
    std::string_view text = script_.substr(position_, end.contentEnd - position_);
    bool closes = text == "}";
    elements_.emplace_back(text, line_, closes ? ElementKind::Field : ElementKind::TextLine);
    if (closes) inTextBlock_ = false;
    afterComma_ = false;
    moveTo(end.next);
  }

  void readField() {
    while (position_ < script_.size() && isBlank(script_[position_])) ++position_;
    LineEnd end = lineEndFrom(position_);
    if (position_ == end.contentEnd) {
      // Nothing before the line end: an element only if a comma asked for one, so
      // blank lines yield nothing.
      if (afterComma_) push({});
      afterComma_ = false;
      moveTo(end.next);
      return;
    }
    std::string_view rest = script_.substr(position_, end.contentEnd - position_);
    std::size_t comma;
    if (rest.front() == '"') {
      std::size_t close = rest.find('"', 1);
      if (close == std::string_view::npos) {
        report("a double quote is not closed on its line: the element runs to the line end");
        push(rest.substr(1), ElementKind::UnclosedQuote);
        afterComma_ = false;
        moveTo(end.next);
        return;
      }
      comma = rest.find(',', close);
      std::string_view after =
          rest.substr(close + 1, comma == std::string_view::npos ? std::string_view::npos : comma - close - 1);
      if (after.find_first_not_of(" \t") != std::string_view::npos) {
        report("text after a closing double quote is ignored: " + quoted(after));
      }
      push(rest.substr(1, close - 1));
    } else {
      comma = rest.find(',');
      push(rest.substr(0, comma));
    }
    if (comma == std::string_view::npos) {
      afterComma_ = false;
      moveTo(end.next);
    } else {
      afterComma_ = true;
      position_ += comma + 1;
    }
  }

  // A field-mode element; "@TEXT" directly followed by "{" opens a text block.
  void push(std::string_view text, ElementKind kind = ElementKind::Field) {
    elements_.emplace_back(text, line_, kind);
    if (previousWasText_ && text == "{") inTextBlock_ = true;
    previousWasText_ = platform::equalsIgnoringAsciiCase(text, "@TEXT");
  }

  void report(std::string message) {
    if (findings_) findings_->push_back({line_, std::move(message)});
  }

  std::string_view script_;
  Findings* findings_;
  std::vector<Element> elements_;
  std::size_t position_ = 0;
  std::int32_t line_ = 1;
  bool afterComma_ = false;
  bool inTextBlock_ = false;
  bool previousWasText_ = false;
};

}  // namespace

std::vector<Element> cutElements(std::string_view script, Findings* findings) { return Cutter(script, findings).run(); }

}  // namespace pryx::script
