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

// A black rectangle from (x1, y1) to (x2, y2), both corners included, clipped.
void fillCorners(Picture& picture, int x1, int y1, int x2, int y2) {
  const int left = std::max(std::min(x1, x2), 0), right = std::min(std::max(x1, x2), picture.width() - 1);
  const int top = std::max(std::min(y1, y2), 0), bottom = std::min(std::max(y1, y2), picture.height() - 1);
  for (int y = top; y <= bottom; ++y) std::fill(picture.row(y) + left, picture.row(y) + right + 1, kBlackPixel);
}

// A black circle outline `width` pixels wide centred on `radius`: every pixel whose
// distance from the centre lies in [radius - width/2, radius + width/2). Consecutive
// rings of an iris therefore close without gaps.
void drawRing(Picture& picture, int centreX, int centreY, int radius, int width) {
  const int outer = radius + width / 2;
  const int inner = std::max(0, radius - width / 2);
  const long long outerSquared = static_cast<long long>(outer) * outer;
  const long long innerSquared = static_cast<long long>(inner) * inner;
  const int left = std::max(centreX - outer, 0), right = std::min(centreX + outer, picture.width() - 1);
  const int top = std::max(centreY - outer, 0), bottom = std::min(centreY + outer, picture.height() - 1);
  for (int y = top; y <= bottom; ++y) {
    Pixel* row = picture.row(y);
    const long long dy = y - centreY;
    for (int x = left; x <= right; ++x) {
      const long long dx = x - centreX;
      const long long distanceSquared = dx * dx + dy * dy;
      if (distanceSquared >= innerSquared && distanceSquared < outerSquared) row[x] = kBlackPixel;
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
        drawRing(picture_, kScreenWidth / 2, kScreenHeight / 2, kIrisFirstRadius - step * kIrisPenWidth, kIrisPenWidth);
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
