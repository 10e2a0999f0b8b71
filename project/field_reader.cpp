#include "project/field_reader.h"

namespace pryx::project {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

bool FieldReader::atLineEnd() const { return atEnd() || text_[position_] == '\r' || text_[position_] == '\n'; }

void FieldReader::consumeLineEnd() {
  if (atEnd()) return;
  if (text_[position_] == '\r') {
    ++position_;
    if (!atEnd() && text_[position_] == '\n') ++position_;
  } else if (text_[position_] == '\n') {
    ++position_;
  }
}

std::optional<Field> FieldReader::nextField() {
  if (atEnd()) return std::nullopt;
  std::size_t start = position_;
  while (!atLineEnd() && isBlank(text_[position_])) ++position_;

  Field field;
  if (!atLineEnd() && text_[position_] == '"') {
    field.quoted = true;
    std::size_t contentStart = ++position_;
    while (!atLineEnd() && text_[position_] != '"') ++position_;
    field.text = text_.substr(contentStart, position_ - contentStart);
    while (!atLineEnd() && text_[position_] != ',') ++position_;
  } else {
    while (!atLineEnd() && text_[position_] != ',') ++position_;
    field.raw = text_.substr(start, position_ - start);
    field.text = trimmed(field.raw);
  }
  if (!atEnd() && text_[position_] == ',') ++position_;
  else consumeLineEnd();
  return field;
}

std::optional<std::string_view> FieldReader::nextLine() {
  if (atEnd()) return std::nullopt;
  std::size_t start = position_;
  while (!atLineEnd()) ++position_;
  std::string_view line = text_.substr(start, position_ - start);
  consumeLineEnd();
  return line;
}

bool FieldReader::skipTo(std::string_view marker) {
  while (auto field = nextField()) {
    if (field->is(marker)) return true;
  }
  return false;
}

}  // namespace pryx::project
