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

QRect PictureView::pictureRect() const { return fittedRect(QSize(kScreenWidth, kScreenHeight), size()); }

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
  // A picture shown larger than its pixels looks better smoothed; at its own size
  // it is copied pixel for pixel.
  if (target.size() != picture_.size()) painter.setRenderHint(QPainter::SmoothPixmapTransform);
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

void PictureView::mouseMoveEvent(QMouseEvent* event) {
  QPoint point = event->position().toPoint();
  emit pointerMoved(point, toPicture(point));
}

}  // namespace pryx::player
