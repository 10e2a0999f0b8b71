#include "editor/command_window.h"

namespace pryx::editor {

CommandWindow::CommandWindow(QWidget* parent) : ChildWindow(QStringLiteral("コマンド入力"), parent) {
  auto* content = new QWidget;
  content->setMinimumSize(180, 176);
  setWidget(content);
}

}  // namespace pryx::editor
