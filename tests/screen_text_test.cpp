// Text: full-width conversion, the page plan of novel mode, and characters landing
// in their cells in two colours.

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "platform/files.h"
#include "platform/sjis.h"
#include "player/screen/font_files.h"
#include "player/screen/glyph_font.h"
#include "player/screen/screen.h"
#include "screen_test_support.h"

namespace pryx::player {
namespace {

using namespace testing;

TEST(FullWidth, AsciiBecomesFullWidthAndLineBreaksStay) {
  EXPECT_EQ(toFullWidth("ABC"), U"ＡＢＣ");
  EXPECT_EQ(toFullWidth("a z!~0\\"), U"ａ　ｚ！～０＼");
  EXPECT_EQ(toFullWidth("1\r\n2\r3\n"), U"１\r\n２\r３\n");
  EXPECT_EQ(toFullWidth("月夜、ＡＢ。▼"), U"月夜、ＡＢ。▼");
  EXPECT_EQ(toFullWidth(""), U"");
}

TEST(FullWidth, HalfWidthKanaBecomeFullWidthWithTheirSoundMarks) {
  EXPECT_EQ(toFullWidth("｡｢｣､･ｦｧｯｰｱﾝ"), U"。「」、・ヲァッーアン");
  EXPECT_EQ(toFullWidth("ｶﾞｻﾞﾀﾞﾁﾞﾂﾞﾄﾞﾊﾞﾎﾞｳﾞ"), U"ガザダヂヅドバボヴ");
  EXPECT_EQ(toFullWidth("ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"), U"パピプペポ");
  // Marks that have no combined form stay separate characters.
  EXPECT_EQ(toFullWidth("ｱﾞｶﾟﾝﾞﾞﾟ"), U"ア゛カ゜ン゛゛゜");
  EXPECT_EQ(toFullWidth("ﾃﾞｰﾄ"), U"デート");
  EXPECT_EQ(toFullWidth("ﾊ"), U"ハ");
}

std::u32string rows(int count, int charactersPerRow = 3) {
  std::u32string text;
  for (int i = 0; i < count; ++i) text += std::u32string(static_cast<std::size_t>(charactersPerRow), U'月') + U"\r\n";
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
  auto plan = [](const std::u32string& text) {
    const NovelPagePlan p = planNovelPages(text);
    return std::pair(p.lastFullPage, p.breakLine);
  };
  EXPECT_EQ(plan(U""), std::pair(0, 6));
  EXPECT_EQ(plan(rows(3)), std::pair(0, 9));
  EXPECT_EQ(plan(rows(17)), std::pair(1, 7));  // 23 rows: the last page holds 7
  EXPECT_EQ(plan(rows(26)), std::pair(1, 8));  // 32 rows: two full pages, none left
  EXPECT_EQ(plan(rows(42)), std::pair(2, 8));  // 48 rows: the early break moves to page 2
  // 21 characters fill a row (x passes 610 at the 21st), 20 do not.
  EXPECT_EQ(plan(std::u32string(20, U'あ')), std::pair(0, 6));
  EXPECT_EQ(plan(std::u32string(21, U'あ')), std::pair(0, 7));
  EXPECT_EQ(plan(std::u32string(21 * 10, U'あ')), std::pair(0, 8));
  // A lone CR or LF is an ordinary character.
  EXPECT_EQ(plan(std::u32string(21, U'\r')), std::pair(0, 7));
}

TEST(ScreenText, CharactersLandInTheirCellInTheirColour) {
  Screen screen;
  const Colour gold{255, 200, 0};
  screen.drawText(U"国", 85, 364, gold, TextFont::Message);
  const QRect ink = inkBounds(shown(screen.picture()), kBlack);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_TRUE(QRect(85, 364, 12, 14).contains(ink))
      << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
  EXPECT_GE(ink.width(), 9);  // a full-width glyph, not a Latin fallback
  // Two colours only: every pixel is the text colour or the black it was drawn on.
  const int inked = countPixels(shown(screen.picture()), ink, gold.pixel());
  EXPECT_GT(inked, 10);
  EXPECT_EQ(inked + countPixels(shown(screen.picture()), ink, kBlack), ink.width() * ink.height());
}

TEST(ScreenText, PromptTriangleIsFullWidth) {
  Screen screen;
  screen.drawText(U"▼", 548, 464, Colour{64, 64, 255}, TextFont::Message);
  const QRect ink = inkBounds(shown(screen.picture()), kBlack);
  EXPECT_TRUE(QRect(548, 464, 12, 14).contains(ink));
  EXPECT_GE(ink.width(), 9);
}

TEST(ScreenText, NovelFontsAreLarger) {
  for (auto [font, pixels] : {std::pair(TextFont::NovelMessage, 29), std::pair(TextFont::NovelChoice, 32)}) {
    Screen screen;
    screen.drawText(U"国", 50, 58, kWhiteColour, font);
    const QRect ink = inkBounds(shown(screen.picture()), kBlack);
    EXPECT_TRUE(QRect(50, 58, pixels, pixels + pixels / 4).contains(ink)) << pixels;
    EXPECT_GE(ink.width(), pixels * 3 / 4) << pixels;
    EXPECT_EQ(pixelSizeForPoints(pointsOf(font)), pixels);
  }
}

TEST(ScreenText, WindowsFontNamesFindTheIpaFontFiles) {
  for (const StandInFont& font : standInFonts()) {
    const std::string file = fontFile(font.named, systemFontFolders());
    EXPECT_TRUE(file.ends_with(std::string("/") + std::string(font.file))) << font.named << ": " << file;
  }
  EXPECT_EQ(fontFile("ＭＳ 明朝", std::vector<std::string>{"/nonexistent"}), "");
  EXPECT_EQ(fontFile("Arial", systemFontFolders()), "");
  // A missing or broken font file is refused with a reason, never read on.
  const std::string notAFont = std::string(PRYX_SOURCE_DIR) + "/samples/tsukiyo/cg/roji.BMP";
  for (const std::string& path : {std::string("/nonexistent/ipam.ttf"), notAFont}) {
    std::string error;
    EXPECT_EQ(GlyphFont::open(path, 12, error), nullptr) << path;
    EXPECT_NE(error.find(path), std::string::npos) << error;
  }
}

// FreeType's two-colour glyphs are the ones Qt draws with NoAntialias, at every size
// the player uses and over every character of the sample game's messages, placed in
// their cells the same way.
TEST(ScreenText, TextIsDrawnAsQtDrawsItWithoutAntialiasing) {
  QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
  std::u32string characters = U"▼ＡＢＣａｂｃ１２３！？「」、。ー〜ガパヴ";
  for (const char* script : {"tsukiyo.PXJ", "tsukiyo_novel.PXJ"}) {
    const auto bytes = platform::readWholeFile(std::string(PRYX_SOURCE_DIR) + "/samples/tsukiyo/" + script);
    ASSERT_TRUE(bytes);
    for (char32_t c : toFullWidth(platform::decodeSjis(std::string(bytes->begin(), bytes->end()))))
      if (c > U'\x7F' && characters.find(c) == std::u32string::npos) characters.push_back(c);
  }
  ASSERT_GT(characters.size(), 200u);
  for (TextFont font : {TextFont::Message, TextFont::NovelMessage, TextFont::NovelChoice}) {
    QFont qtFont(QString::fromUtf8(kWindowFontFamily));
    qtFont.setPixelSize(pixelSizeForPoints(pointsOf(font)));
    qtFont.setStyleStrategy(QFont::NoAntialias);
    const int step = qtFont.pixelSize() + 3;
    for (std::size_t first = 0; first < characters.size(); first += 200) {
      Screen screen;
      QImage drawnByQt = solidPicture(kScreenWidth, kScreenHeight, kBlack);
      QPainter painter(&drawnByQt);
      painter.setFont(qtFont);
      painter.setPen(Qt::white);
      const int ascent = QFontMetrics(qtFont).ascent();
      for (std::size_t i = first; i < std::min(characters.size(), first + 200); ++i) {
        const int x = static_cast<int>((i - first) % 20) * step, y = static_cast<int>((i - first) / 20) * step;
        screen.drawText(std::u32string_view(characters).substr(i, 1), x, y, kWhiteColour, font);
        painter.drawText(QPoint(x, y + ascent), QString::fromUcs4(&characters[i], 1));
      }
      // A whole caption, as novel-mode choices are drawn.
      const std::u32string caption = characters.substr(first, 12);
      screen.drawText(caption, 3, 440, kWhiteColour, font);
      painter.drawText(QPoint(3, 440 + ascent), QString::fromUcs4(caption.data(), static_cast<qsizetype>(caption.size())));
      painter.end();
      EXPECT_EQ(shown(screen.picture()), drawnByQt) << "font size " << qtFont.pixelSize() << ", from " << first;
    }
  }
}

}  // namespace
}  // namespace pryx::player
