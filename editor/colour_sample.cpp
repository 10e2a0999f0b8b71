#include "editor/colour_sample.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace pryx::editor {

QColor colourOf(std::int32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

ColourSample::ColourSample(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void ColourSample::setColour(std::int32_t bgr) {
  colour_ = bgr;
  update();
}

void ColourSample::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect box = rect().adjusted(0, 0, -1, -1);
  painter.fillRect(box, isEnabled() ? colourOf(colour_) : palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(box);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

}  // namespace pryx::editor
