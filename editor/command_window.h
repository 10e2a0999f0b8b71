#pragma once
// "コマンド入力": the page's five command buttons.

#include "editor/child_window.h"

namespace pryx::editor {

class CommandWindow final : public ChildWindow {
  Q_OBJECT

 public:
  explicit CommandWindow(QWidget* parent = nullptr);
};

}  // namespace pryx::editor
