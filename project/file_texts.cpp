#include "project/file_texts.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace pryx::project {

std::string numberLine(double value) {
  if (std::isnan(value) || value == 0) value = 0;  // no "-0"
  if (std::isinf(value)) value = std::copysign(std::numeric_limits<double>::max(), value);
  char digits[400];
  auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
  std::string text(value >= 0 ? " " : "");
  text.append(digits, end);
  text += ' ';
  return text;
}

std::string numberLine(std::int64_t value) {
  return (value >= 0 ? " " : "") + std::to_string(value) + " ";
}

std::string resourceKindName(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Cg: return "CG";
    case ResourceKind::Chr: return "キャラクター";
    case ResourceKind::Bgm: return "BGM";
  }
  return {};
}

std::string pagePlace(int position, const Page& page) {
  return "ページ " + std::to_string(position) + "「" + page.name + "」";
}

std::string buttonFieldPlace(int slot, ButtonField field) {
  std::string place = "ボタン " + std::to_string(slot + 1) + " の";
  switch (field) {
    case ButtonField::Caption: return place + "キャプション";
    case ButtonField::ConditionValue1: return place + "条件 1 の値";
    case ButtonField::ConditionValue2: return place + "条件 2 の値";
    case ButtonField::OperationValue: return place + "演算の値";
    default: return place + "項目 " + std::to_string(static_cast<int>(field));
  }
}

}  // namespace pryx::project
