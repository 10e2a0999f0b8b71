#pragma once
// Messages several editor windows show.

#include "project/message.h"

#include <string>
#include <string_view>

namespace pryx::editor {

inline project::Message noPageWarning() { return project::warning("ページを指定してください"); }

inline project::Message saveFailureWarning(std::string_view reason) {
  return project::warning("ファイルを保存できませんでした。" + std::string(project::kLineBreak) + std::string(reason));
}

}  // namespace pryx::editor
