#include "script/elements.h"

#include "platform/ascii.h"

#include <algorithm>
#include <utility>

namespace pryx::script {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

struct ElementCutter::LineEnd {
  std::size_t contentEnd;  // before CR LF, LF, or the end of the script
  std::size_t next;        // where the next line starts
};

bool ElementCutter::cut(std::vector<Element>& out, std::size_t count) {
  out_ = &out;
  const std::size_t wanted = out.size() + count;
  // Each read yields at most one element; a blank line yields none.
  while (out.size() < wanted && (position_ < script_.size() || afterComma_)) {
    if (inTextBlock_) {
      readTextLine();
    } else {
      readField();
    }
  }
  return position_ < script_.size() || afterComma_;
}

inline ElementCutter::LineEnd ElementCutter::lineEndFrom(std::size_t from) {
  // A line holds several fields: its end is looked for once.
  if (!newlineFound_ || from > newline_) {
    newline_ = std::min(script_.find('\n', from), script_.size());
    newlineFound_ = true;
  }
  std::size_t end = newline_;
  if (end > from && script_[end - 1] == '\r') --end;
  return {end, std::min(newline_ + 1, script_.size())};
}

inline void ElementCutter::moveTo(std::size_t next) {
  if (next > 0 && next <= script_.size() && script_[next - 1] == '\n' && line_ < INT32_MAX) ++line_;
  position_ = next;
}

void ElementCutter::readTextLine() {
  LineEnd end = lineEndFrom(position_);
  std::string_view text = script_.substr(position_, end.contentEnd - position_);
  bool closes = text == "}";
  out_->emplace_back(text, line_, closes ? ElementKind::Field : ElementKind::TextLine);
  if (closes) inTextBlock_ = false;
  afterComma_ = false;
  moveTo(end.next);
}

void ElementCutter::readField() {
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
      report(FindingKind::QuoteUnclosed);
      push(rest.substr(1), ElementKind::UnclosedQuote);
      afterComma_ = false;
      moveTo(end.next);
      return;
    }
    comma = rest.find(',', close);
    std::string_view after =
        rest.substr(close + 1, comma == std::string_view::npos ? std::string_view::npos : comma - close - 1);
    if (after.find_first_not_of(" \t") != std::string_view::npos) {
      report(FindingKind::TextAfterQuote, {quoted(after)});
    }
    push(rest.substr(1, close - 1));
  } else {
    // Fields are short: a plain loop finds the comma sooner than a library search.
    comma = 0;
    while (comma < rest.size() && rest[comma] != ',') ++comma;
    if (comma == rest.size()) comma = std::string_view::npos;
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
inline void ElementCutter::push(std::string_view text, ElementKind kind) {
  out_->emplace_back(text, line_, kind);
  if (previousWasText_ && text == "{") inTextBlock_ = true;
  previousWasText_ = text.size() == 5 && text.front() == '@' && platform::equalsIgnoringAsciiCase(text, "@TEXT");
}

void ElementCutter::report(FindingKind kind, std::vector<std::string> arguments) {
  if (findings_) findings_->push_back(finding(line_, kind, std::move(arguments)));
}

}  // namespace pryx::script
