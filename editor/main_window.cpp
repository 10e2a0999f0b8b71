#include "editor/main_window.h"

#include "editor/accessible.h"

#include <QEvent>
#include <QMouseEvent>

namespace pryx::editor {

MainWindow::MainWindow(QWidget* parent) : ChildWindow(QStringLiteral("メインウインドウ"), parent), stage_(new QWidget) {
  stage_->setObjectName("BGCG");
  stage_->setFixedSize(kWidth, kHeight);
  stage_->setAutoFillBackground(true);
  QPalette palette = stage_->palette();
  palette.setColor(QPalette::Window, Qt::black);
  stage_->setPalette(palette);
  describe(stage_, QStringLiteral("ページのプレビュー"));
  stage_->installEventFilter(this);
  setWidget(stage_);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == stage_ && event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) emit popUpMenuRequested(mouse->globalPosition().toPoint());
  }
  return ChildWindow::eventFilter(watched, event);
}

}  // namespace pryx::editor
