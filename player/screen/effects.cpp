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
constexpr QRgb kOpaqueBlack = 0xFF000000;
// Effect 4: 80-pixel tiles, 8 across and 6 down.
constexpr int kTileSize = 80;
constexpr int kTileColumns = kScreenWidth / kTileSize;
constexpr int kTileRows = kScreenHeight / kTileSize;

// A black rectangle from (x1, y1) to (x2, y2), both corners included.
void fillCorners(QImage& picture, int x1, int y1, int x2, int y2) {
  QPainter(&picture).fillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))),
                   Qt::black);
}

// A black circle outline `width` pixels wide centred on `radius`: every pixel whose
// distance from the centre lies in [radius - width/2, radius + width/2). Consecutive
// rings of an iris therefore close without gaps.
void drawRing(QImage& picture, QPoint centre, int radius, int width) {
  const int outer = radius + width / 2;
  const int inner = std::max(0, radius - width / 2);
  const long long outerSquared = static_cast<long long>(outer) * outer;
  const long long innerSquared = static_cast<long long>(inner) * inner;
  const QRect box = QRect(centre.x() - outer, centre.y() - outer, 2 * outer + 1, 2 * outer + 1) & picture.rect();
  for (int y = box.top(); y <= box.bottom(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    const long long dy = y - centre.y();
    for (int x = box.left(); x <= box.right(); ++x) {
      const long long dx = x - centre.x();
      const long long distanceSquared = dx * dx + dy * dy;
      if (distanceSquared >= innerSquared && distanceSquared < outerSquared) row[x] = kOpaqueBlack;
    }
  }
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
  if (!draws_ || step < 0 || step >= effectStepCount(effect)) return;
  switch (effect) {
    case 1: {
      const int i = step * kShutterBand;
      fillCorners(picture_, 0, i, kScreenWidth, i + 3);
      fillCorners(picture_, 0, kScreenHeight - i, kScreenWidth, kScreenHeight - 3 - i);
      break;
    }
    case 2: {
      const int i = step * kShutterBand;
      fillCorners(picture_, i, 0, i + 3, kScreenHeight);
      fillCorners(picture_, kScreenWidth - i, 0, kScreenWidth - 3 - i, kScreenHeight);
      break;
    }
    case 3:
      if (step == kIrisRings) {
        clear();
      } else {
        drawRing(picture_, QPoint(kScreenWidth / 2, kScreenHeight / 2), kIrisFirstRadius - step * kIrisPenWidth,
                 kIrisPenWidth);
      }
      break;
    case 4: {
      const int x = kTileSize * (step % kTileColumns);
      const int y = kTileSize * (step / kTileColumns);
      fillCorners(picture_, x, y, x + kTileSize, y + kTileSize);
      break;
    }
    default:
      break;
  }
}

}  // namespace pryx::player
