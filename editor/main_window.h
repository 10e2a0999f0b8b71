#pragma once
// "メインウインドウ": the stage where the page's picture is previewed and a test run
// plays. Its right button opens the frame's pop-up menu.

#include "editor/child_window.h"


namespace pryx::editor {

class MainWindow final : public ChildWindow {
  Q_OBJECT

 public:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;

  explicit MainWindow(QWidget* parent = nullptr);

 signals:
  // The right button was released at `position` (global): the frame shows its pop-up menu.
  void popUpMenuRequested(const QPoint& position);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* stage_;
};

}  // namespace pryx::editor
