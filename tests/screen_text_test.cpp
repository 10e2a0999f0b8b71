// Text: full-width conversion, the page plan of novel mode, and characters landing
// in their cells in two colours.

#include <gtest/gtest.h>

#include <QFontInfo>

#include "player/screen/fonts.h"
#include "player/screen/screen.h"
#include "screen_test_support.h"

namespace pryx::player {
namespace {

using namespace testing;

TEST(FullWidth, AsciiBecomesFullWidthAndLineBreaksStay) {
  EXPECT_EQ(toFullWidth(QStringLiteral("ABC")), QStringLiteral("ＡＢＣ"));
  EXPECT_EQ(toFullWidth(QStringLiteral("a z!~0\\")), QStringLiteral("ａ　ｚ！～０＼"));
  EXPECT_EQ(toFullWidth(QStringLiteral("1\r\n2\r3\n")), QStringLiteral("１\r\n２\r３\n"));
  EXPECT_EQ(toFullWidth(QStringLiteral("月夜、ＡＢ。▼")), QStringLiteral("月夜、ＡＢ。▼"));
  EXPECT_EQ(toFullWidth(QString()), QString());
}

TEST(FullWidth, HalfWidthKanaBecomeFullWidthWithTheirSoundMarks) {
  EXPECT_EQ(toFullWidth(QStringLiteral("｡｢｣､･ｦｧｯｰｱﾝ")), QStringLiteral("。「」、・ヲァッーアン"));
  EXPECT_EQ(toFullWidth(QStringLiteral("ｶﾞｻﾞﾀﾞﾁﾞﾂﾞﾄﾞﾊﾞﾎﾞｳﾞ")), QStringLiteral("ガザダヂヅドバボヴ"));
  EXPECT_EQ(toFullWidth(QStringLiteral("ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ")), QStringLiteral("パピプペポ"));
  // Marks that have no combined form stay separate characters.
  EXPECT_EQ(toFullWidth(QStringLiteral("ｱﾞｶﾟﾝﾞﾞﾟ")), QStringLiteral("ア゛カ゜ン゛゛゜"));
  EXPECT_EQ(toFullWidth(QStringLiteral("ﾃﾞｰﾄ")), QStringLiteral("デート"));
  EXPECT_EQ(toFullWidth(QStringLiteral("ﾊ")), QStringLiteral("ハ"));
}

QString rows(int count, int charactersPerRow = 3) {
  QString text;
  for (int i = 0; i < count; ++i) text += QString(charactersPerRow, u'月') + QStringLiteral("\r\n");
  return text;
}

TEST(NovelPages, TwelveRowsBreakTheFirstPageBeforeItsEighthLine) {
  // 12 rows and 6 for the choices: 18, one full page and 2 rows, too few for the
  // choices, so page 0 breaks early.
  const NovelPagePlan plan = planNovelPages(rows(12));
  EXPECT_EQ(plan.lastFullPage, 0);
  EXPECT_EQ(plan.breakLine, 8);
}

TEST(NovelPages, RowsCountLineBreaksAndWraps) {
  auto plan = [](const QString& text) {
    const NovelPagePlan p = planNovelPages(text);
    return std::pair(p.lastFullPage, p.breakLine);
  };
  EXPECT_EQ(plan(QString()), std::pair(0, 6));
  EXPECT_EQ(plan(rows(3)), std::pair(0, 9));
  EXPECT_EQ(plan(rows(17)), std::pair(1, 7));  // 23 rows: the last page holds 7
  EXPECT_EQ(plan(rows(26)), std::pair(1, 8));  // 32 rows: two full pages, none left
  EXPECT_EQ(plan(rows(42)), std::pair(2, 8));  // 48 rows: the early break moves to page 2
  // 21 characters fill a row (x passes 610 at the 21st), 20 do not.
  EXPECT_EQ(plan(QString(20, u'あ')), std::pair(0, 6));
  EXPECT_EQ(plan(QString(21, u'あ')), std::pair(0, 7));
  EXPECT_EQ(plan(QString(21 * 10, u'あ')), std::pair(0, 8));
  // A lone CR or LF is an ordinary character.
  EXPECT_EQ(plan(QString(21, u'\r')), std::pair(0, 7));
}

TEST(ScreenText, CharactersLandInTheirCellInTheirColour) {
  Screen screen;
  const QColor gold(255, 200, 0);
  screen.drawText(QStringLiteral("国"), 85, 364, gold, TextFont::Message);
  const QRect ink = inkBounds(screen.picture(), kBlack);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_TRUE(QRect(85, 364, 12, 14).contains(ink))
      << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
  EXPECT_GE(ink.width(), 9);  // a full-width glyph, not a Latin fallback
  // Two colours only: every pixel is the text colour or the black it was drawn on.
  const int inked = countPixels(screen.picture(), ink, gold.rgb());
  EXPECT_GT(inked, 10);
  EXPECT_EQ(inked + countPixels(screen.picture(), ink, kBlack), ink.width() * ink.height());
}

TEST(ScreenText, PromptTriangleIsFullWidth) {
  Screen screen;
  screen.drawText(QStringLiteral("▼"), 548, 464, QColor(64, 64, 255), TextFont::Message);
  const QRect ink = inkBounds(screen.picture(), kBlack);
  EXPECT_TRUE(QRect(548, 464, 12, 14).contains(ink));
  EXPECT_GE(ink.width(), 9);
}

TEST(ScreenText, NovelFontsAreLarger) {
  for (auto [font, pixels] : {std::pair(TextFont::NovelMessage, 29), std::pair(TextFont::NovelChoice, 32)}) {
    Screen screen;
    screen.drawText(QStringLiteral("国"), 50, 58, Qt::white, font);
    const QRect ink = inkBounds(screen.picture(), kBlack);
    EXPECT_TRUE(QRect(50, 58, pixels, pixels + pixels / 4).contains(ink)) << pixels;
    EXPECT_GE(ink.width(), pixels * 3 / 4) << pixels;
    EXPECT_EQ(QFontInfo(screenFont(font)).pixelSize(), pixels);
  }
}

TEST(ScreenText, WindowsFontNamesFindTheIpaFonts) {
  EXPECT_EQ(QFontInfo(screenFont(TextFont::Message)).family(), QStringLiteral("IPAMincho"));
  EXPECT_EQ(QFontInfo(screenFont(TextFont::Message)).pixelSize(), 12);
  registerFontSubstitutions();
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("ＭＳ Ｐゴシック"))).family(), QStringLiteral("IPAPGothic"));
}

}  // namespace
}  // namespace pryx::player
