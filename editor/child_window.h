#pragma once
// The frame's child windows share one rule: the author's close only hides them
// (they live until the frame closes), and the frame hears of it to release the
// window's toolbar button and remove its view menu check mark.

#include <QMdiSubWindow>

namespace pryx::editor {

class ChildWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  ChildWindow(const QString& caption, QWidget* parent = nullptr);

  // The frame is closing: closes are no longer turned into hiding.
  void allowClosing() { closingWithFrame_ = true; }

 signals:
  void hiddenByAuthor();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool closingWithFrame_ = false;
};

}  // namespace pryx::editor
