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

// Asked before unsaved work would go: Yes saves first, No lets it go, Cancel keeps it.
inline project::Message saveChangesQuestion() {
  return {"変更を保存しますか？", std::string(project::kQuestionTitle), project::MessageIcon::Question,
          project::MessageButtons::SaveDiscardCancel};
}

}  // namespace pryx::editor
