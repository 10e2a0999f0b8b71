#include "editor/child_window.h"

#include <QCloseEvent>

namespace pryx::editor {

ChildWindow::ChildWindow(const QString& caption, QWidget* parent) : QMdiSubWindow(parent) {
  setWindowTitle(caption);
  setAccessibleName(caption);
  setAttribute(Qt::WA_DeleteOnClose, false);
}

void ChildWindow::showEvent(QShowEvent* event) {
  QMdiSubWindow::showEvent(event);
  // Measured with the fonts and style the window is shown in, so that no caption is cut.
  resize(size().expandedTo(minimumSizeHint()));
}

void ChildWindow::closeEvent(QCloseEvent* event) {
  if (closingWithFrame_) {
    event->accept();
    return;
  }
  event->ignore();
  hide();
  emit hiddenByAuthor();
}

}  // namespace pryx::editor
