// Typing messages: the message box and its page prompt in normal mode, the planned
// pages of novel mode, click-to-finish and the colours of text and shadow.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace pryx::player::testing {
namespace {

using ::testing::ElementsAre;

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kPureGreen = 0xFF00FF00;

// Clicks through every wait, keeping the picture as each wait starts.
std::vector<QImage> clickEveryWait(GameRun& game) {
  auto pictures = std::make_shared<std::vector<QImage>>();
  game.host.onWait([&game, pictures](WaitKind kind) {
    pictures->push_back(game.picture().copy());
    if (kind == WaitKind::Choice) game.host.duringWait([](PlayerInput& input) { input.buttonClicked(0); });
    else game.host.duringWait([](PlayerInput& input) { input.windowClicked(); });
  });
  game.run();
  return *pictures;
}

std::vector<std::string> waitsOf(const GameRun& game) {
  std::vector<std::string> waits;
  for (const auto& event : game.clocked.events()) {
    if (event.what.starts_with("wait") && event.what != "wait end") waits.push_back(event.what);
  }
  return waits;
}

std::string page(std::string_view head, std::string_view message, std::string_view afterText = "") {
  return std::string(head) + "#,page\n" + std::string(afterText) + "@TEXT,{\n" + std::string(message) +
         "\n}\n@BTN,1,next,{\n@END\n}\n@EVTWAIT\n";
}

std::string repeated(std::string_view text, int times, std::string_view separator = "") {
  std::string result;
  for (int i = 0; i < times; ++i) result += std::string(i ? separator : "") + std::string(text);
  return result;
}

TEST(EngineTyping, ASeventhLineOfTheBoxWaitsBehindThePrompt) {
  auto sixLines = GameRun::fromScript(page(kNormalGame, repeated("あ", 6, "\n")));
  clickEveryWait(*sixLines);
  EXPECT_THAT(waitsOf(*sixLines), ElementsAre("wait click"));

  auto wrappedSix = GameRun::fromScript(page(kNormalGame, repeated("あ", 180)));  // 30 to a line
  clickEveryWait(*wrappedSix);
  EXPECT_THAT(waitsOf(*wrappedSix), ElementsAre("wait click"));

  auto seven = GameRun::fromScript(page(kNormalGame, repeated("あ", 181)));
  auto pictures = clickEveryWait(*seven);
  EXPECT_THAT(waitsOf(*seven), ElementsAre("wait prompt", "wait click"));
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_GT(countPixels(pictures[0], QRect(548, 464, 16, 16), qRgb(64, 64, 255)), 10) << "the first prompt colour";
}

TEST(EngineTyping, AClickShowsTheRestOfThePageAndThePromptRestoresTheSpeed) {
  std::string message = repeated(repeated("い", 10), 7, "\n");
  auto game = GameRun::fromScript(page(std::string(kNormalGame) + "@WAIT,10\n", message));
  game->host.at(25, [](PlayerInput& input) { input.windowClicked(); });
  clickEveryWait(*game);
  // Characters 1 to 4 take 10 ms each (the click is seen at the fourth character's
  // look at the events), the rest of the page none; after the prompt's 4 ms the
  // seventh line takes its 10 ms a character again.
  EXPECT_EQ(game->clocked.momentOf("wait prompt"), 40);
  EXPECT_EQ(game->clocked.momentOf("wait click"), 44 + 100);
  EXPECT_EQ(game->player().state().messageWait, 10);
}

TEST(EngineTyping, HalfWidthTextIsDrawnFullWidth) {
  auto game = GameRun::fromScript(page(kNormalGame, "ABC"));
  auto pictures = clickEveryWait(*game);
  ASSERT_EQ(pictures.size(), 1u);
  Screen expected;
  expected.clear();
  expected.drawText(U"Ａ", 85, 364, kWhiteColour, TextFont::Message);
  expected.drawText(U"Ｂ", 101, 364, kWhiteColour, TextFont::Message);
  expected.drawText(U"Ｃ", 117, 364, kWhiteColour, TextFont::Message);
  QRect cells(80, 360, 64, 24);
  EXPECT_EQ(pictures[0].copy(cells), shown(expected.picture()).copy(cells));
  Screen halfWidth;
  halfWidth.clear();
  halfWidth.drawText(U"A", 85, 364, kWhiteColour, TextFont::Message);
  EXPECT_NE(pictures[0].copy(QRect(85, 364, 16, 16)), shown(halfWidth.picture()).copy(QRect(85, 364, 16, 16)));
}

TEST(EngineTyping, TheShadowIsDrawnOnlyOverAPicture) {
  std::string colours = "@FCOLORL,0,255,0\n@FCOLORD,255,0,0\n";
  std::string withCg = std::string(kNormalGame) + "@DEF,CG,grey,grey.BMP\n" + colours + "#,page\n@CG,grey\n";
  auto shown = GameRun::fromScript(withCg + "@TEXT,{\nあいう\n}\n@BTN,1,next,{\n@END\n}\n@EVTWAIT\n");
  shown->writePicture("grey.BMP", solidPicture(640, 480, qRgb(128, 128, 128)));
  auto overPicture = clickEveryWait(*shown);
  auto bare = GameRun::fromScript(page(std::string(kNormalGame) + colours, "あいう"));
  auto overBlack = clickEveryWait(*bare);
  QRect line(85, 364, 3 * 16 + 2, 18);
  EXPECT_GT(countPixels(overPicture.at(0), line, kRed), 5);
  EXPECT_GT(countPixels(overPicture.at(0), line, kPureGreen), 5);
  EXPECT_EQ(countPixels(overBlack.at(0), line, kRed), 0);
  EXPECT_GT(countPixels(overBlack.at(0), line, kPureGreen), 5);
}

TEST(EngineTyping, TheMessageBoxTintsTheBottomOfThePicture) {
  auto game = GameRun::fromScript(std::string(kNormalGame) +
                                  "@DEF,CG,wall,wall.BMP\n#,page\n@CG,wall\n@TEXT,{\nあ\n}\n"
                                  "@BTN,1,next,{\n@END\n}\n@EVTWAIT\n");
  game->writePicture("wall.BMP", solidPicture(320, 240, qRgb(200, 100, 50)));
  auto pictures = clickEveryWait(*game);
  const QImage& picture = pictures.at(0);
  const QRgb tinted = qRgb(116, 80, 89);  // half (200, 100, 50), half (32, 60, 128)
  EXPECT_TRUE(allPixelsAre(picture, QRect(0, 0, 640, 350), qRgb(200, 100, 50)));
  EXPECT_TRUE(allPixelsAre(picture, QRect(0, 350, 640, 14), tinted));
  EXPECT_TRUE(allPixelsAre(picture, QRect(0, 380, 540, 100), tinted)) << "the prompt stands at (548, 464)";
  EXPECT_EQ(game->display.boxes(), 2) << "one box for the picture, one for the cleared page";
}

TEST(EngineTyping, NovelModePlansTwelveRowsOverTwoPagesWithTheChoicesBelow) {
  std::string lines = repeated("う", 1);
  for (int row = 2; row <= 12; ++row) lines += "\n" + repeated("う", row % 3 + 1);
  auto game = GameRun::fromScript(std::string(kNovelGame) + "#,page\n@TEXT,{\n" + lines +
                                  "\n}\n@BTN,1,one,{\n@END\n}\n@BTN,2,two,{\n@END\n}\n@EVTWAIT\n");
  bool typingAtPageWait = false;
  auto pictures = std::make_shared<std::vector<QImage>>();
  game->host.onWait([&](WaitKind kind) {
    pictures->push_back(game->picture().copy());
    if (kind == WaitKind::NovelPage) typingAtPageWait = game->host.typing();
    game->host.duringWait([](PlayerInput& input) { input.windowClicked(); });
  });
  EXPECT_EQ(game->run().reason, EndReason::NoMoreInput) << "a click without a highlighted choice chooses nothing";
  EXPECT_THAT(waitsOf(*game), ElementsAre("wait page", "wait choice"));
  EXPECT_TRUE(typingAtPageWait);
  EXPECT_FALSE(game->host.typing());
  ASSERT_EQ(pictures->size(), 2u);
  // The middle of a text row: glyphs of 29 pixels reach a little into the next row.
  auto rowHasInk = [](const QImage& picture, int row) {
    return countPixels(picture, QRect(0, 29 * row + 8, 640, 12), 0xFF000000) < 640 * 12;
  };
  const QImage& first = pictures->at(0);
  for (int row = 0; row < 7; ++row) EXPECT_TRUE(rowHasInk(first, row)) << "first page, row " << row;
  EXPECT_FALSE(rowHasInk(first, 7)) << "the first page breaks before its eighth line";
  const QImage& last = pictures->at(1);
  for (int row = 0; row < 5; ++row) EXPECT_TRUE(rowHasInk(last, row)) << "second page, row " << row;
  EXPECT_FALSE(rowHasInk(last, 5));
  EXPECT_TRUE(rowHasInk(last, 6)) << "first choice";
  EXPECT_TRUE(rowHasInk(last, 7)) << "second choice";
  EXPECT_EQ(game->player().state().novelTextEndRow, 6);
  EXPECT_GT(countPixels(last, QRect(50, 29 * 6, 200, 29), qRgb(127, 127, 127)), 5) << "grey shadow of a choice";
}

TEST(EngineTyping, QuickSpendsItsFlagOnTheNextMessageBox) {
  auto game = GameRun::fromScript(std::string(kNormalGame) + "@DEF,CG,wall,wall.BMP\n#,page\n@QUICK\n@END\n");
  game->run();
  EXPECT_TRUE(game->player().state().quick);
  auto spent = GameRun::fromScript(std::string(kNormalGame) + "@DEF,CG,wall,wall.BMP\n#,page\n@QUICK\n@CG,wall\n@END\n");
  spent->writePicture("wall.BMP", solidPicture(64, 48, qRgb(1, 2, 3)));
  spent->run();
  EXPECT_FALSE(spent->player().state().quick);
}

}  // namespace
}  // namespace pryx::player::testing
