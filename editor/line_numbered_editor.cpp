#include "editor/line_numbered_editor.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

#include <algorithm>

namespace pryx::editor {

class LineNumberedEditor::Margin final : public QWidget {
 public:
  explicit Margin(LineNumberedEditor& editor) : QWidget(&editor), editor_(editor) {}
  QSize sizeHint() const override { return {editor_.marginWidth(), 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override { editor_.paintMargin(event); }

 private:
  LineNumberedEditor& editor_;
};

LineNumberedEditor::LineNumberedEditor(QWidget* parent) : QPlainTextEdit(parent), margin_(new Margin(*this)) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(marginWidth(), 0, 0, 0); });
  connect(this, &QPlainTextEdit::updateRequest, this, &LineNumberedEditor::updateMargin);
  setViewportMargins(marginWidth(), 0, 0, 0);
}

void LineNumberedEditor::goToLine(int line) {
  QTextBlock block = document()->findBlockByNumber(line - 1);
  if (!block.isValid()) return;
  setTextCursor(QTextCursor(block));
  centerCursor();
  setFocus();
}

int LineNumberedEditor::marginWidth() const {
  int digits = static_cast<int>(QString::number(std::max(1, blockCount())).size());
  return 8 + fontMetrics().horizontalAdvance(u'9') * digits;
}

void LineNumberedEditor::updateMargin(const QRect& rect, int dy) {
  if (dy != 0) margin_->scroll(0, dy);
  else margin_->update(0, rect.y(), margin_->width(), rect.height());
}

void LineNumberedEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  QRect inner = contentsRect();
  margin_->setGeometry(inner.left(), inner.top(), marginWidth(), inner.height());
}

void LineNumberedEditor::paintMargin(QPaintEvent* event) {
  QPainter painter(margin_);
  painter.fillRect(event->rect(), palette().window());
  painter.setPen(palette().color(QPalette::PlaceholderText));
  QTextBlock block = firstVisibleBlock();
  int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
  while (block.isValid() && top <= event->rect().bottom()) {
    int height = qRound(blockBoundingRect(block).height());
    if (block.isVisible() && top + height >= event->rect().top()) {
      painter.drawText(0, top, margin_->width() - 4, fontMetrics().height(), Qt::AlignRight,
                       QString::number(block.blockNumber() + 1));
    }
    top += height;
    block = block.next();
  }
}

}  // namespace pryx::editor
