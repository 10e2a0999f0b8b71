#include "editor/message_window.h"

namespace pryx::editor {

MessageWindow::MessageWindow(QWidget* parent) : ChildWindow(QStringLiteral("メッセージウインドウ"), parent) {
  auto* content = new QWidget;
  content->setMinimumSize(456, 96);
  setWidget(content);
}

}  // namespace pryx::editor
