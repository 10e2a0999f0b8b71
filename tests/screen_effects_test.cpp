// The transition effects, step by step over a white window: where each step draws,
// that the halves meet, and that the last step leaves the window black.

#include <gtest/gtest.h>

#include "player/screen/screen.h"
#include "screen_test_support.h"

namespace pryx::player {
namespace {

using namespace testing;

const QRect kWindow(0, 0, kScreenWidth, kScreenHeight);

Screen whiteScreen() {
  Screen screen;
  screen.showCg(fromQt(solidPicture(4, 4, kWhite)));
  return screen;
}

void runSteps(Screen& screen, int effect, int from, int to) {
  for (int step = from; step <= to; ++step) screen.drawEffectStep(effect, step);
}

TEST(ScreenEffects, StepCounts) {
  EXPECT_EQ(Screen::effectStepCount(1), 61);
  EXPECT_EQ(Screen::effectStepCount(2), 81);
  EXPECT_EQ(Screen::effectStepCount(3), 52);  // 51 rings and the final clear
  EXPECT_EQ(Screen::effectStepCount(4), 48);
  for (int effect : {0, 5, -1, 255}) EXPECT_EQ(Screen::effectStepCount(effect), 0) << effect;
}

TEST(ScreenEffects, HorizontalShutterClosesFromTopAndBottom) {
  Screen screen = whiteScreen();
  const QImage window = shown(screen.picture());
  screen.drawEffectStep(1, 0);  // rows 0..3 and 477..480, both ends included
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 0, 640, 4), kBlack));
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 477, 640, 3), kBlack));
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 4, 640, 473), kWhite));

  screen.drawEffectStep(1, 1);
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 0, 640, 8), kBlack));
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 473, 640, 7), kBlack));
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 8, 640, 465), kWhite));

  runSteps(screen, 1, 2, 59);
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 240, 640, 1), kWhite));  // the middle row is last
  screen.drawEffectStep(1, 60);
  EXPECT_TRUE(allPixelsAre(window, kWindow, kBlack));
}

TEST(ScreenEffects, VerticalShutterClosesFromLeftAndRight) {
  Screen screen = whiteScreen();
  const QImage window = shown(screen.picture());
  screen.drawEffectStep(2, 0);
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 0, 4, 480), kBlack));
  EXPECT_TRUE(allPixelsAre(window, QRect(637, 0, 3, 480), kBlack));
  EXPECT_TRUE(allPixelsAre(window, QRect(4, 0, 633, 480), kWhite));

  runSteps(screen, 2, 1, 79);
  EXPECT_TRUE(allPixelsAre(window, QRect(320, 0, 1, 480), kWhite));
  EXPECT_EQ(countPixels(window, kWindow, kWhite), 480);
  screen.drawEffectStep(2, 80);
  EXPECT_TRUE(allPixelsAre(window, kWindow, kBlack));
}

TEST(ScreenEffects, IrisClosesTowardsTheCentreAndEndsBlack) {
  Screen screen = whiteScreen();
  const QImage window = shown(screen.picture());
  screen.drawEffectStep(3, 0);  // radius 400 runs through the corners
  for (QPoint corner : {QPoint(0, 0), QPoint(639, 0), QPoint(0, 479), QPoint(639, 479)})
    EXPECT_EQ(window.pixel(corner), kBlack) << corner.x() << "," << corner.y();
  EXPECT_EQ(window.pixel(0, 240), kWhite);  // 320 from the centre
  EXPECT_EQ(window.pixel(320, 240), kWhite);

  runSteps(screen, 3, 1, 12);  // down to radius 304
  EXPECT_EQ(window.pixel(16, 240), kBlack);
  EXPECT_EQ(window.pixel(624, 240), kBlack);
  EXPECT_EQ(window.pixel(320, 240 - 150), kWhite);

  runSteps(screen, 3, 13, 50);
  // The rings close without gaps: black everywhere before the final clear.
  EXPECT_TRUE(allPixelsAre(window, kWindow, kBlack));
  screen.showCg(fromQt(solidPicture(4, 4, kWhite)));
  screen.drawEffectStep(3, 51);
  EXPECT_TRUE(allPixelsAre(window, kWindow, kBlack));
}

TEST(ScreenEffects, TilesGoRowByRowFromTheTopLeft) {
  Screen screen = whiteScreen();
  const QImage window = shown(screen.picture());
  screen.drawEffectStep(4, 0);  // (0, 0)-(80, 80) with both corners
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 0, 81, 81), kBlack));
  EXPECT_EQ(countPixels(window, kWindow, kBlack), 81 * 81);

  runSteps(screen, 4, 1, 7);  // the first row of eight
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 0, 640, 81), kBlack));
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 81, 640, 399), kWhite));

  screen.drawEffectStep(4, 8);
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 80, 81, 81), kBlack));
  EXPECT_EQ(window.pixel(81, 81), kWhite);

  runSteps(screen, 4, 9, 46);
  EXPECT_TRUE(allPixelsAre(window, QRect(561, 401, 79, 79), kWhite));
  screen.drawEffectStep(4, 47);
  EXPECT_TRUE(allPixelsAre(window, kWindow, kBlack));
}

TEST(ScreenEffects, StepsOutsideAnEffectDrawNothing) {
  Screen screen = whiteScreen();
  for (int effect : {0, 5}) screen.drawEffectStep(effect, 0);
  screen.drawEffectStep(1, -1);
  screen.drawEffectStep(1, 61);
  screen.drawEffectStep(3, 52);
  screen.drawEffectStep(4, 48);
  EXPECT_TRUE(allPixelsAre(shown(screen.picture()), kWindow, kWhite));
}

}  // namespace
}  // namespace pryx::player
