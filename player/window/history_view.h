#pragma once
// The message history over the picture: the latest messages at the bottom, the
// choices taken between them marked. The wheel, Page Up/Down and the arrows scroll
// it; the wheel down past its end, Esc, Enter or a click close it.

#include <QWidget>

#include "player/message_history.h"

namespace pryx::player {

class HistoryView final : public QWidget {
  Q_OBJECT

 public:
  explicit HistoryView(QWidget* parent);

  // Shows the history scrolled to its end, over `area` of the parent.
  void open(const MessageHistory& history, QRect area);
  void scrollBy(int entries);
  void dismiss();
  // The first entry shown, from 0.
  int firstShown() const { return first_; }

 signals:
  void closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int entryHeight(int index) const;
  int lastFirst() const;  // the first entry when the end is shown
  QFont textFont() const;
  QRect textArea() const;

  const MessageHistory* history_ = nullptr;
  int first_ = 0;
};

}  // namespace pryx::player
