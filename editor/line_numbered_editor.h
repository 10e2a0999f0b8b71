#pragma once
// A plain-text editor with the line numbers in a margin on its left.

#include <QPlainTextEdit>

namespace pryx::editor {

class LineNumberedEditor final : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit LineNumberedEditor(QWidget* parent = nullptr);

  // Puts the cursor at the start of 1-based `line` and shows it.
  void goToLine(int line);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class Margin;
  int marginWidth() const;
  void paintMargin(QPaintEvent* event);
  void updateMargin(const QRect& rect, int dy);

  Margin* margin_;
};

}  // namespace pryx::editor
