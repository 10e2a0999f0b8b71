#pragma once
// "メッセージウインドウ": the page's message, typed as the game will show it.

#include "editor/child_window.h"

namespace pryx::editor {

class MessageWindow final : public ChildWindow {
  Q_OBJECT

 public:
  explicit MessageWindow(QWidget* parent = nullptr);
};

}  // namespace pryx::editor
