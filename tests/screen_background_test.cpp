// The background: the CG stretched over the window, novel-mode darkening and the
// redraw of the picture for a new page of text.

#include <gtest/gtest.h>

#include "player/screen/screen.h"
#include "screen_test_support.h"

namespace pryx::player {
namespace {

using namespace testing;

const QRect kWindow(0, 0, kScreenWidth, kScreenHeight);

// 320 × 240, a colour for each quarter and one odd pixel in the top-left corner.
QImage quarters() {
  return makePicture(320, 240, [](int x, int y) {
    if (x == 0 && y == 0) return qRgb(1, 2, 3);
    if (y < 120) return x < 160 ? qRgb(200, 0, 0) : qRgb(0, 200, 0);
    return x < 160 ? qRgb(0, 0, 200) : qRgb(100, 50, 30);
  });
}

TEST(ScreenBackground, StartsBlackAndSharesItsPixelsWithTheDisplayLibrary) {
  Screen screen;
  ASSERT_EQ(shown(screen.picture()).size(), QSize(640, 480));
  EXPECT_EQ(shown(screen.picture()).format(), QImage::Format_RGB32);
  EXPECT_TRUE(allPixelsAre(shown(screen.picture()), kWindow, kBlack));

  ZorvexSurface surface = screen.surface();
  ASSERT_EQ(surface.width, 640);
  ASSERT_EQ(surface.height, 480);
  ASSERT_EQ(surface.bytesPerLine, 640 * 4);
  surface.pixels[479 * 640 + 5] = 0xFF123456;  // what the library draws is what the window shows
  EXPECT_EQ(shown(screen.picture()).pixel(5, 479), 0xFF123456u);
}

TEST(ScreenBackground, SmallCgIsStretchedOverTheWholeWindowPixelForPixel) {
  Screen screen;
  screen.showCg(fromQt(quarters()));
  const QImage window = shown(screen.picture());
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 0, 2, 2), qRgb(1, 2, 3)));
  EXPECT_EQ(window.pixel(2, 0), qRgb(200, 0, 0));
  EXPECT_TRUE(allPixelsAre(window, QRect(2, 2, 318, 238), qRgb(200, 0, 0)));
  EXPECT_TRUE(allPixelsAre(window, QRect(320, 0, 320, 240), qRgb(0, 200, 0)));
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 240, 320, 240), qRgb(0, 0, 200)));
  EXPECT_TRUE(allPixelsAre(window, QRect(320, 240, 320, 240), qRgb(100, 50, 30)));

  // An uneven size still covers everything, with no blended colours.
  screen.showCg(fromQt(makePicture(300, 200, [](int x, int) { return x < 150 ? kWhite : kMagenta; })));
  EXPECT_EQ(countPixels(window, kWindow, kWhite) + countPixels(window, kWindow, kMagenta), 640 * 480);
  EXPECT_EQ(countPixels(window, QRect(0, 0, 640, 1), kWhite), 320);
}

TEST(ScreenBackground, DarkeningChangesOnlyTheCopyUntilTheNextRedraw) {
  Screen screen;
  screen.showCg(fromQt(quarters()));
  screen.darkenCg();
  EXPECT_TRUE(screen.cgDarkened());
  EXPECT_EQ(shown(screen.picture()).pixel(639, 479), qRgb(100, 50, 30));  // nothing drawn yet

  screen.formRedraw(true, true, false);
  const QImage window = shown(screen.picture());
  EXPECT_TRUE(allPixelsAre(window, QRect(320, 240, 320, 240), qRgb(36, 0, 0)));
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 240, 320, 240), qRgb(0, 0, 136)));
  EXPECT_EQ(window.pixel(0, 0), qRgb(0, 0, 0));

  // Each edge of the rule: 64 becomes 0, 65 becomes 1, 255 becomes 191.
  screen.showCg(fromQt(solidPicture(4, 4, qRgb(64, 65, 255))));
  EXPECT_FALSE(screen.cgDarkened());  // a new picture starts undarkened
  screen.darkenCg();
  screen.formRedraw(true, true, false);
  EXPECT_TRUE(allPixelsAre(window, kWindow, qRgb(0, 1, 191)));
}

TEST(ScreenBackground, NovelRedrawWithoutDarkeningClearsTheWindow) {
  Screen screen;
  screen.showCg(fromQt(solidPicture(8, 8, kWhite)));
  screen.formRedraw(true, true, false);
  EXPECT_TRUE(allPixelsAre(shown(screen.picture()), kWindow, kBlack));
}

TEST(ScreenBackground, RemovedCgKeepsTheDarkenedMarkAndRedrawsBlack) {
  Screen screen;
  screen.showCg(fromQt(solidPicture(8, 8, kWhite)));
  screen.darkenCg();
  screen.removeCg();
  EXPECT_TRUE(screen.cgDarkened());
  EXPECT_EQ(shown(screen.picture()).pixel(10, 10), qRgb(255, 255, 255));  // removing draws nothing
  screen.formRedraw(true, false, false);
  EXPECT_TRUE(allPixelsAre(shown(screen.picture()), kWindow, kBlack));
}

TEST(ScreenBackground, NormalRedrawRepaintsTheCgOverOldText) {
  Screen screen;
  screen.showCg(fromQt(solidPicture(8, 8, qRgb(0, 0, 200))));
  screen.drawText(U"あいう", 85, 364, kWhiteColour, TextFont::Message);
  ASSERT_GT(countPixels(shown(screen.picture()), kWindow, kWhite), 0);
  screen.formRedraw(false, true, false);
  EXPECT_TRUE(allPixelsAre(shown(screen.picture()), kWindow, qRgb(0, 0, 200)));

  // Without a picture the old text does not survive either.
  screen.drawText(U"あいう", 85, 364, kWhiteColour, TextFont::Message);
  screen.formRedraw(false, false, false);
  EXPECT_TRUE(allPixelsAre(shown(screen.picture()), kWindow, kBlack));
}

TEST(ScreenBackground, MissingCgFileShowsBlack) {
  Screen screen;
  screen.showCg(fromQt(solidPicture(8, 8, kWhite)));
  screen.showCg(fromQt(QImage()));
  EXPECT_TRUE(allPixelsAre(shown(screen.picture()), kWindow, kBlack));
}

}  // namespace
}  // namespace pryx::player
