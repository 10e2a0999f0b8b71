#include "player/window/history_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include "player/screen/font_files.h"
#include "player/window/window_fonts.h"

namespace pryx::player {
namespace {

constexpr int kLinesPerPicture = 24;  // the text's size follows the picture's
constexpr QColor kShade{0, 0, 32, 232};
constexpr QColor kMessageColour{255, 255, 255};
constexpr QColor kChoiceColour{255, 200, 96};
constexpr char kChoiceMark[] = "→ ";

}  // namespace

HistoryView::HistoryView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("history"));
  setAccessibleName(QStringLiteral("バックログ"));
  setFocusPolicy(Qt::StrongFocus);
  hide();
}

void HistoryView::open(const MessageHistory& history, QRect area) {
  history_ = &history;
  setGeometry(area);
  first_ = lastFirst();
  show();
  raise();
  setFocus();
  update();
}

QFont HistoryView::textFont() const {
  QFont font = screenFont(TextFont::Message);
  font.setPixelSize(std::max(height() / kLinesPerPicture, 8));
  font.setStyleStrategy(QFont::PreferDefault);
  return font;
}

QRect HistoryView::textArea() const {
  const int margin = height() / kLinesPerPicture;
  return rect().adjusted(margin * 2, margin, -margin * 2, -margin);
}

int HistoryView::entryHeight(int index) const {
  const auto& entry = history_->entries().at(static_cast<std::size_t>(index));
  QString text = QString::fromStdString(entry.text);
  if (entry.kind == MessageHistory::Entry::Kind::Choice) text.prepend(QString::fromUtf8(kChoiceMark));
  QFontMetrics metrics(textFont());
  return metrics.boundingRect(QRect(0, 0, textArea().width(), 1 << 20), Qt::TextWordWrap, text).height() +
         metrics.height() / 2;
}

int HistoryView::lastFirst() const {
  if (history_ == nullptr) return 0;
  const int size = static_cast<int>(history_->entries().size());
  int first = size;
  for (int height = 0; first > 0;) {
    const int next = entryHeight(first - 1);
    if (height + next > textArea().height()) break;
    height += next;
    --first;
  }
  // An entry taller than the view still shows, from its top.
  return std::min(first, std::max(size - 1, 0));
}

void HistoryView::scrollBy(int entries) {
  if (history_ == nullptr) return;
  const int last = lastFirst();
  if (entries > 0 && first_ >= last) {
    dismiss();
    return;
  }
  first_ = std::clamp(first_ + entries, 0, last);
  update();
}

void HistoryView::dismiss() {
  hide();
  emit closed();
}

void HistoryView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kShade);
  if (history_ == nullptr) return;
  painter.setFont(textFont());
  QRect area = textArea();
  int y = area.top();
  const int count = static_cast<int>(history_->entries().size());
  for (int index = first_; index < count && y < area.bottom(); ++index) {
    const auto& entry = history_->entries().at(static_cast<std::size_t>(index));
    const bool choice = entry.kind == MessageHistory::Entry::Kind::Choice;
    QString text = QString::fromStdString(entry.text);
    if (choice) text.prepend(QString::fromUtf8(kChoiceMark));
    painter.setPen(choice ? kChoiceColour : kMessageColour);
    const int height = entryHeight(index);
    painter.drawText(QRect(area.left(), y, area.width(), height), Qt::TextWordWrap, text);
    y += height;
  }
}

void HistoryView::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
  if (steps != 0) scrollBy(-steps);
  event->accept();
}

// The press is the history's too, so that the picture under it sees no click.
void HistoryView::mousePressEvent(QMouseEvent* event) { event->accept(); }

void HistoryView::mouseReleaseEvent(QMouseEvent*) { dismiss(); }

void HistoryView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageUp: scrollBy(-4); break;
    case Qt::Key_Up: scrollBy(-1); break;
    case Qt::Key_PageDown: scrollBy(4); break;
    case Qt::Key_Down: scrollBy(1); break;
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter: dismiss(); break;
    default: QWidget::keyPressEvent(event); return;
  }
  event->accept();
}

}  // namespace pryx::player
