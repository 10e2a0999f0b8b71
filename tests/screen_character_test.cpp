// The character drawn through its mask: which pixels are transparent, and the exact
// result of the AND and OR over the background in both modes.

#include <gtest/gtest.h>

#include "player/screen/screen.h"
#include "screen_test_support.h"

namespace pryx::player {
namespace {

using namespace testing;

constexpr QRgb kBackground = 0xFF507090;  // (80, 112, 144)
constexpr QRgb kSkin = 0xFFF0C8A0;
constexpr QRgb kNearlyMagenta = 0xFFFF00FE;
constexpr std::int32_t kFromPicture = -1;

// The transparent colour as the game file gives it: three bytes blue, green, red.
std::int32_t transparentColourFromBytes(int blue, int green, int red) { return blue + 256 * green + 65536 * red; }

// 4 × 2: the top row holds the figure's colours, the bottom row starts with the key.
QImage figure(QRgb key, QRgb a, QRgb b, QRgb c) {
  return makePicture(4, 2, [=](int x, int y) {
    if (y == 1) return x == 0 ? key : a;
    return std::array<QRgb, 4>{key, a, b, c}[static_cast<std::size_t>(x)];
  });
}

// The colour the window shows for the character pixel (x, y) of a 4 × 2 picture
// stretched to 640 × 480: a block of 160 × 240 pixels.
QRgb shownAt(const Screen& screen, int x, int y) {
  const QRect block(160 * x, 240 * y, 160, 240);
  const QRgb colour = shown(screen.picture()).pixel(block.topLeft());
  EXPECT_TRUE(allPixelsAre(shown(screen.picture()), block, colour)) << "block " << x << "," << y << " is not one colour";
  return colour;
}

Screen screenWithBackground() {
  Screen screen;
  screen.showCg(fromQt(solidPicture(16, 16, kBackground)));
  return screen;
}

TEST(ScreenCharacter, BottomLeftColourIsTakenAfreshForEveryPicture) {
  Screen screen = screenWithBackground();
  const QImage first = figure(kMagenta, kSkin, kNearlyMagenta, kGreen);
  screen.loadCharacter(fromQt(first), kFromPicture, false);
  EXPECT_EQ(first.pixel(0, 0), kMagenta);  // the mask is built on a copy
  screen.paintCharacter();
  EXPECT_EQ(shownAt(screen, 0, 0), kBackground);
  EXPECT_EQ(shownAt(screen, 0, 1), kBackground);
  EXPECT_EQ(shownAt(screen, 1, 0), kSkin);
  EXPECT_EQ(shownAt(screen, 2, 0), kNearlyMagenta);  // all 24 bits must match
  EXPECT_EQ(shownAt(screen, 3, 0), kGreen);

  // The next picture has a green corner: green is transparent now, magenta is not.
  screen.showCg(fromQt(solidPicture(16, 16, kBackground)));
  screen.loadCharacter(fromQt(figure(kGreen, kSkin, kMagenta, kGreen)), kFromPicture, false);
  screen.paintCharacter();
  EXPECT_EQ(shownAt(screen, 2, 0), kMagenta);
  EXPECT_EQ(shownAt(screen, 3, 0), kBackground);
}

TEST(ScreenCharacter, NamedTransparentColourUsesPixelByteOrder) {
  // Bytes 0, 0, 0: black is transparent, whatever the bottom-left pixel.
  Screen screen = screenWithBackground();
  screen.loadCharacter(fromQt(figure(kSkin, kBlack, kWhite, kBlack)), transparentColourFromBytes(0, 0, 0), false);
  screen.paintCharacter();
  EXPECT_EQ(shownAt(screen, 0, 0), kSkin);
  EXPECT_EQ(shownAt(screen, 1, 0), kBackground);
  EXPECT_EQ(shownAt(screen, 2, 0), kWhite);
  EXPECT_EQ(shownAt(screen, 3, 0), kBackground);

  // Bytes 255, 0, 0 are blue 255: pure blue is transparent, pure red is drawn.
  screen = screenWithBackground();
  screen.loadCharacter(fromQt(figure(kSkin, qRgb(0, 0, 255), qRgb(255, 0, 0), kSkin)), transparentColourFromBytes(255, 0, 0),
                       false);
  screen.paintCharacter();
  EXPECT_EQ(shownAt(screen, 1, 0), kBackground);
  EXPECT_EQ(shownAt(screen, 2, 0), qRgb(255, 0, 0));
}

TEST(ScreenCharacter, FourthByteOfAPixelIsIgnored) {
  QImage character = figure(kMagenta, kSkin, kSkin, kSkin);
  reinterpret_cast<QRgb*>(character.scanLine(0))[3] = 0x12FF00FF;  // magenta, other fourth byte
  Screen screen = screenWithBackground();
  screen.loadCharacter(fromQt(character), kFromPicture, false);
  screen.paintCharacter();
  EXPECT_EQ(shownAt(screen, 3, 0), kBackground);
  EXPECT_EQ(shownAt(screen, 1, 0), kSkin);
}

TEST(ScreenCharacter, NarrowPictureIsStretchedLikeTheBackground) {
  // 320 × 480 with the left half transparent: each picture pixel becomes 2 × 1.
  const QImage character = makePicture(320, 480, [](int x, int y) {
    if (x < 160) return kMagenta;
    return (x + y) % 2 == 0 ? kSkin : kWhite;
  });
  Screen screen = screenWithBackground();
  screen.loadCharacter(fromQt(character), kFromPicture, false);
  screen.paintCharacter();
  const QImage window = shown(screen.picture());
  EXPECT_TRUE(allPixelsAre(window, QRect(0, 0, 320, 480), kBackground));
  EXPECT_EQ(window.pixel(320, 0), kSkin);
  EXPECT_EQ(window.pixel(321, 0), kSkin);
  EXPECT_EQ(window.pixel(322, 0), kWhite);
  EXPECT_EQ(window.pixel(320, 1), kWhite);
  EXPECT_EQ(countPixels(window, QRect(320, 0, 320, 480), kSkin), 320 * 480 / 2);
}

TEST(ScreenCharacter, NovelRedrawShowsTheDarkenedCharacterOverTheDarkenedCg) {
  Screen screen = screenWithBackground();
  screen.darkenCg();
  screen.loadCharacter(fromQt(figure(kMagenta, qRgb(100, 50, 30), kWhite, qRgb(63, 64, 65))), kFromPicture, true);
  screen.formRedraw(true, true, true);
  EXPECT_EQ(shownAt(screen, 0, 0), qRgb(16, 48, 80));
  EXPECT_EQ(shownAt(screen, 1, 0), qRgb(36, 0, 0));
  EXPECT_EQ(shownAt(screen, 2, 0), qRgb(191, 191, 191));
  EXPECT_EQ(shownAt(screen, 3, 0), qRgb(0, 0, 1));

  // Without the character the darkened background alone.
  screen.formRedraw(true, true, false);
  EXPECT_EQ(shownAt(screen, 1, 0), qRgb(16, 48, 80));

  // The plain character still draws undarkened, and normal-mode redraws use it.
  screen.formRedraw(false, true, true);
  EXPECT_EQ(shownAt(screen, 0, 0), qRgb(16, 48, 80));
  EXPECT_EQ(shownAt(screen, 1, 0), qRgb(100, 50, 30));
}

TEST(ScreenCharacter, NormalRedrawWithoutCgShowsTheCharacterOnBlack) {
  Screen screen = screenWithBackground();
  screen.loadCharacter(fromQt(figure(kMagenta, kSkin, kWhite, kSkin)), kFromPicture, false);
  screen.formRedraw(false, false, true);
  EXPECT_EQ(shownAt(screen, 0, 0), kBlack);
  EXPECT_EQ(shownAt(screen, 1, 0), kSkin);
}

TEST(ScreenCharacter, SampleGameCharactersLeaveNoKeyColourBehind) {
  const std::string folder = std::string(PRYX_SOURCE_DIR) + "/samples/tsukiyo/chr/";
  const QRect window(0, 0, kScreenWidth, kScreenHeight);
  // Sayo stands on magenta (taken from her corner), the rabbit on green (named).
  const std::pair<const char*, std::int32_t> characters[] = {{"sayo.BMP", kFromPicture},
                                                             {"usagi.BMP", transparentColourFromBytes(0, 255, 0)}};
  for (const auto& [name, transparentColour] : characters) {
    Screen screen = screenWithBackground();
    const QImage character = toQt(loadPicture(folder + name));
    ASSERT_FALSE(character.isNull()) << name;
    screen.loadCharacter(fromQt(character), transparentColour, false);
    screen.paintCharacter();
    const int background = countPixels(shown(screen.picture()), window, kBackground);
    EXPECT_GT(background, kScreenWidth * kScreenHeight / 2) << name;
    EXPECT_LT(background, kScreenWidth * kScreenHeight) << name;
    EXPECT_EQ(countPixels(shown(screen.picture()), window, kMagenta) + countPixels(shown(screen.picture()), window, kGreen), 0)
        << name;
  }
}

TEST(ScreenCharacter, WithoutACharacterNothingIsDrawn) {
  Screen screen = screenWithBackground();
  EXPECT_FALSE(screen.characterLoaded());
  screen.paintCharacter();
  screen.paintDarkCharacter();
  EXPECT_TRUE(allPixelsAre(shown(screen.picture()), shown(screen.picture()).rect(), kBackground));

  // A character file that could not be read replaces the previous character.
  screen.loadCharacter(fromQt(figure(kMagenta, kSkin, kSkin, kSkin)), kFromPicture, false);
  ASSERT_TRUE(screen.characterLoaded());
  screen.loadCharacter(fromQt(QImage()), kFromPicture, false);
  EXPECT_FALSE(screen.characterLoaded());
  screen.paintCharacter();
  EXPECT_TRUE(allPixelsAre(shown(screen.picture()), shown(screen.picture()).rect(), kBackground));
}

}  // namespace
}  // namespace pryx::player
