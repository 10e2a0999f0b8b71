#pragma once
// The client area that shows the engine's 640 × 480 picture: as it is in a window,
// scaled to the screen with its proportions kept (black borders) in full screen.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include "player/screen/picture.h"

namespace pryx::player {

// The largest rectangle of `picture`'s proportions that fits in `area`, centred.
QRect fittedRect(QSize picture, QSize area);
// The largest whole multiple of `picture` that fits in `area`, centred; the fitted
// rectangle when not even the picture's own size fits.
QRect wholeMultipleRect(QSize picture, QSize area);

class PictureView final : public QWidget {
  Q_OBJECT

 public:
  explicit PictureView(QWidget* parent);

  // Shows the engine's picture through its pixels, which must last while the view
  // shows them (the engine's window picture lasts as long as the engine).
  void setPicture(const Picture& picture);
  const QImage& picture() const { return picture_; }

  // Where the picture lies in the view: fitted to it, or by whole multiples.
  QRect pictureRect() const;
  void setWholeMultiples(bool wholeMultiples);
  // A point of the view in the picture's own pixels (outside it when on a border).
  QPoint toPicture(QPoint viewPoint) const;

 signals:
  void clicked();
  // `viewPoint` in the view, `picturePoint` in the picture's pixels.
  void pointerMoved(QPoint viewPoint, QPoint picturePoint);
  void wheeledUp();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QImage picture_;
  bool pressed_ = false;
  bool wholeMultiples_ = false;
};

}  // namespace pryx::player
