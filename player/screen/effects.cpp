#include <QPainter>
#include <algorithm>

#include "player/screen/screen.h"

namespace pryx::player {

namespace {

// Effect 1: a band of 4 rows from the top and one from the bottom per step.
constexpr int kShutterBand = 4;
constexpr int kVerticalShutterSteps = kScreenHeight / 2 / kShutterBand + 1;   // i = 0, 4 .. 240
constexpr int kHorizontalShutterSteps = kScreenWidth / 2 / kShutterBand + 1;  // i = 0, 4 .. 320
// Effect 3: rings of pen width 8 closing in from radius 400, the distance from the
// centre to the corners, then one step that clears what the rings left.
constexpr int kIrisPenWidth = 8;
constexpr int kIrisFirstRadius = 400;
constexpr int kIrisRings = kIrisFirstRadius / kIrisPenWidth + 1;  // r = 400, 392 .. 0
// Effect 4: 80-pixel tiles, 8 across and 6 down.
constexpr int kTileSize = 80;
constexpr int kTileColumns = kScreenWidth / kTileSize;
constexpr int kTileRows = kScreenHeight / kTileSize;

// A black rectangle from (x1, y1) to (x2, y2), both corners included.
void fillCorners(QPainter& painter, int x1, int y1, int x2, int y2) {
  painter.fillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))),
                   Qt::black);
}

}  // namespace

int Screen::effectStepCount(int effect) {
  switch (effect) {
    case 1:
      return kVerticalShutterSteps;
    case 2:
      return kHorizontalShutterSteps;
    case 3:
      return kIrisRings + 1;
    case 4:
      return kTileColumns * kTileRows;
    default:
      return 0;
  }
}

void Screen::drawEffectStep(int effect, int step) {
  if (step < 0 || step >= effectStepCount(effect)) return;
  if (effect == 3 && step == kIrisRings) {
    clear();
    return;
  }
  QPainter painter(&picture_);
  switch (effect) {
    case 1: {
      const int i = step * kShutterBand;
      fillCorners(painter, 0, i, kScreenWidth, i + 3);
      fillCorners(painter, 0, kScreenHeight - i, kScreenWidth, kScreenHeight - 3 - i);
      break;
    }
    case 2: {
      const int i = step * kShutterBand;
      fillCorners(painter, i, 0, i + 3, kScreenHeight);
      fillCorners(painter, kScreenWidth - i, 0, kScreenWidth - 3 - i, kScreenHeight);
      break;
    }
    case 3: {
      const int radius = kIrisFirstRadius - step * kIrisPenWidth;
      painter.setPen(QPen(Qt::black, kIrisPenWidth));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(QPoint(kScreenWidth / 2, kScreenHeight / 2), radius, radius);
      break;
    }
    case 4: {
      const int x = kTileSize * (step % kTileColumns);
      const int y = kTileSize * (step / kTileColumns);
      fillCorners(painter, x, y, x + kTileSize, y + kTileSize);
      break;
    }
    default:
      break;
  }
}

}  // namespace pryx::player
