#pragma once
// The start-up window. A click or a key closes it. The first time it loses the
// focus it takes it back; the second time, or after three seconds, it goes, so
// that it never keeps the keyboard from the author.

#include <QTimer>
#include <QWidget>

namespace pryx::editor {

class SplashWindow final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kLifetimeMilliseconds = 3000;

  explicit SplashWindow(QWidget* parent = nullptr);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  bool tookFocusBack_ = false;
  QTimer lifetime_;
};

}  // namespace pryx::editor
