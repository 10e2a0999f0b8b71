#include "player/window/picture_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include "player/screen/screen.h"

namespace pryx::player {

QRect fittedRect(QSize picture, QSize area) {
  if (picture.isEmpty() || area.isEmpty()) return {};
  const qint64 pw = picture.width(), ph = picture.height(), aw = area.width(), ah = area.height();
  qint64 width = aw, height = ah;
  if (aw * ph <= ah * pw) height = aw * ph / pw;  // as wide as the area
  else width = ah * pw / ph;                      // as high as the area
  return QRect(static_cast<int>((aw - width) / 2), static_cast<int>((ah - height) / 2), static_cast<int>(width),
               static_cast<int>(height));
}

QRect wholeMultipleRect(QSize picture, QSize area) {
  if (picture.isEmpty()) return {};
  const int times = std::min(area.width() / picture.width(), area.height() / picture.height());
  if (times < 1) return fittedRect(picture, area);
  const QSize size = picture * times;
  return QRect(QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size);
}

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void PictureView::setPicture(const Picture& picture) {
  // The engine's pixels are already in the layout of Format_RGB32: wrapped, not copied.
  picture_ = picture.isNull() ? QImage()
                              : QImage(reinterpret_cast<const uchar*>(picture.pixels()), picture.width(),
                                       picture.height(), picture.bytesPerLine(), QImage::Format_RGB32);
  update();
}

QRect PictureView::pictureRect() const {
  const QSize picture(kScreenWidth, kScreenHeight);
  return wholeMultiples_ ? wholeMultipleRect(picture, size()) : fittedRect(picture, size());
}

void PictureView::setWholeMultiples(bool wholeMultiples) {
  wholeMultiples_ = wholeMultiples;
  update();
}

QPoint PictureView::toPicture(QPoint viewPoint) const {
  QRect target = pictureRect();
  if (target.isEmpty()) return viewPoint;
  auto scaled = [](int offset, int from, int to) {
    return static_cast<int>(std::floor(static_cast<double>(offset) * to / from));
  };
  return QPoint(scaled(viewPoint.x() - target.x(), target.width(), kScreenWidth),
                scaled(viewPoint.y() - target.y(), target.height(), kScreenHeight));
}

void PictureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect target = pictureRect();
  QRegion borders = QRegion(rect()).subtracted(target);
  for (const QRect& border : borders) painter.fillRect(border, Qt::black);
  if (picture_.isNull()) {
    painter.fillRect(target, Qt::black);
    return;
  }
  // A picture shown at a size between whole multiples looks better smoothed; at a
  // whole multiple every pixel stays a crisp square.
  const bool wholeMultiple = target.width() % picture_.width() == 0 &&
                             target.width() / picture_.width() * picture_.height() == target.height();
  if (!wholeMultiple) painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, picture_);
}

// A click is a press and a release of the left button on the view, as the window's
// click event of the system games were made for.
void PictureView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  if (rect().contains(event->position().toPoint())) emit clicked();
}

void PictureView::wheelEvent(QWheelEvent* event) {
  if (event->angleDelta().y() > 0) emit wheeledUp();
  event->accept();
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
  QPoint point = event->position().toPoint();
  emit pointerMoved(point, toPicture(point));
}

}  // namespace pryx::player
