#include <QFontMetrics>
#include <QPainter>

#include "player/screen/fonts.h"
#include "player/screen/screen.h"

namespace pryx::player {

void Screen::drawText(QStringView text, int x, int y, QColor colour, TextFont font) {
  if (!draws_) return;
  const QFont face = screenFont(font);
  QPainter painter(&picture_);
  painter.setFont(face);
  painter.setPen(colour);
  // (x, y) is the top of the character cell; QPainter places text by its baseline.
  painter.drawText(QPoint(x, y + QFontMetrics(face).ascent()), text.toString());
}

}  // namespace pryx::player
