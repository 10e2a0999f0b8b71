// Command buttons and the wait for a choice: push buttons in normal mode, text lines
// with a pulsing highlight in novel mode, the menus that work only meanwhile, and
// closing the window.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "player/gamefile/writer.h"
#include "player/messages.h"

namespace pryx::player::testing {
namespace {

using ::testing::ElementsAre;

const std::string kThreeWays = std::string(kNormalGame) +
                               "@DEF,PARAM,way\n#,ask\n@TEXT,{\nどうする？\n}\n"
                               "@BTN,1,north,{\n@,way,=,1\n@JMP,end\n}\n"
                               "@BTN,3,south,{\n@,way,=,3\n@JMP,end\n}\n@EVTWAIT\n#,end\n@END\n";

TEST(EngineChoices, PushButtonsOfferTheCaptionsAndAClickRunsItsBody) {
  auto game = GameRun::fromScript(kThreeWays);
  std::vector<bool> visible;
  std::vector<std::string> captions;
  bool menusDuringChoice = false;
  game->host.onWait([&](WaitKind kind) {
    EXPECT_EQ(kind, WaitKind::Choice);
    for (int slot = 0; slot < kChoiceButtons; ++slot) {
      visible.push_back(game->host.buttonVisible(slot));
      captions.push_back(game->host.buttonCaption(slot));
    }
    menusDuringChoice = game->host.choiceMenusEnabled();
    game->host.duringWait([](PlayerInput& input) { input.windowClicked(); });   // ignored
    game->host.duringWait([](PlayerInput& input) { input.buttonClicked(1); });  // an unused slot
    game->host.duringWait([](PlayerInput& input) { input.buttonClicked(2); });
  });
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_THAT(visible, ElementsAre(true, false, true, false, false));
  EXPECT_THAT(captions, ElementsAre("north", "", "south", "", ""));
  EXPECT_TRUE(menusDuringChoice);
  EXPECT_FALSE(game->host.choiceMenusEnabled());
  EXPECT_FALSE(game->host.buttonVisible(0));
  EXPECT_TRUE(game->host.buttonCaption(0).empty());
  EXPECT_EQ(game->player().state().variables[1], 3);
  EXPECT_THAT(game->trace("choices"), ElementsAre(::testing::HasSubstr("\"captions\":[\"north\",\"\",\"south\"]")));
  EXPECT_THAT(numberFields(game->trace("choose"), "slot"), ElementsAre(3));
}

TEST(EngineChoices, ASingleButtonWaitsForAClickAnywhere) {
  auto game = GameRun::fromScript(std::string(kNormalGame) +
                                  "@DEF,PARAM,x\n#,a\n@BTN,1,next,{\n@,x,=,5\n@END\n}\n@EVTWAIT\n");
  game->followRoute(clickThrough());
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_FALSE(game->host.buttonVisible(0));
  EXPECT_TRUE(game->trace("choices").empty());
  EXPECT_THAT(numberFields(game->trace("choose"), "slot"), ElementsAre(1));
  EXPECT_EQ(game->player().state().variables[1], 5);
}

TEST(EngineChoices, ButtonsOutsideTheFiveSlotsAreSkippedAndCaptionZeroRunsInLine) {
  gamefile::GameFileWriter writer;
  writer.label();
  writer.button(1, 7, "no such slot");
  writer.instruction(gamefile::Opcode::BlockOpen);
  writer.instruction(gamefile::Opcode::VarOp, {1, 1, 99});
  writer.instruction(gamefile::Opcode::BlockClose);
  writer.button(0, 0, "");
  writer.instruction(gamefile::Opcode::BlockOpen);
  writer.instruction(gamefile::Opcode::VarOp, {2, 1, 7});
  writer.instruction(gamefile::Opcode::BlockClose);
  writer.instruction(gamefile::Opcode::End);
  auto game = GameRun::fromBytes(std::move(writer).finish(gamefile::kCompilerPools));
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_EQ(game->player().state().variables[1], 0);
  EXPECT_EQ(game->player().state().variables[2], 7);
}

TEST(EngineChoices, MenusWorkOnlyWhileAChoiceWaits) {
  auto game = GameRun::fromScript(std::string(kNormalGame) + "@WAIT,40\n#,a\n@TEXT,{\nあいうえお\n}\n"
                                  "@BTN,1,x,{\n@END\n}\n@BTN,2,y,{\n@END\n}\n@EVTWAIT\n");
  game->host.at(0, [](PlayerInput& input) {
    input.speedChosen(Speed::Slow);
    input.saveChosen(1);
  });
  game->host.onWait([&](WaitKind) {
    game->host.duringWait([](PlayerInput& input) { input.speedChosen(Speed::Quick); });
    game->host.duringWait([](PlayerInput& input) { input.buttonClicked(0); });
  });
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_TRUE(game->host.messages().empty()) << "no save question while typing";
  EXPECT_EQ(game->player().state().speed, Speed::Quick);
  EXPECT_EQ(game->host.speedChecked(), Speed::Quick);
  EXPECT_EQ(game->player().state().messageWait, 20);
}

TEST(EngineChoices, NovelChoicesFollowThePointerAndAClickChooses) {
  auto game = GameRun::fromScript(std::string(kNovelGame) + "@DEF,PARAM,way\n#,ask\n@TEXT,{\nどっち？\n}\n"
                                  "@BTN,1,left,{\n@,way,=,1\n@END\n}\n@BTN,2,right,{\n@,way,=,2\n@END\n}\n"
                                  "@EVTWAIT\n");
  QImage highlighted;
  game->host.onWait([&](WaitKind kind) {
    ASSERT_EQ(kind, WaitKind::Choice);
    const int endRow = game->player().state().novelTextEndRow;  // 2: one line of text
    game->host.duringWait([](PlayerInput& input) { input.windowClicked(); });  // nothing highlighted yet
    game->host.duringWait([endRow](PlayerInput& input) { input.pointerMoved(60, 29 * (endRow + 1) + 10); });
    game->host.duringWait([&](PlayerInput&) { highlighted = game->picture().copy(); });
    game->host.duringWait([](PlayerInput& input) { input.windowClicked(); });
  });
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_EQ(game->player().state().variables[1], 2);
  const int row = game->player().state().novelTextEndRow + 1;
  EXPECT_GT(countPixels(highlighted, QRect(50, 29 * row, 200, 32), qRgb(255, 0, 0)), 5);
  EXPECT_GT(countPixels(highlighted, QRect(50, 29 * row, 200, 32), qRgb(127, 0, 0)), 5);
  EXPECT_EQ(countPixels(highlighted, QRect(50, 29 * (row - 1), 200, 29), qRgb(255, 0, 0)), 0);
  EXPECT_THAT(numberFields(game->trace("choose"), "slot"), ElementsAre(2));
}

TEST(EngineChoices, TheHighlightPulsesBetween128And255AtAFifthOfTheMessageWait) {
  auto game = GameRun::fromScript(std::string(kNovelGame) +
                                  "@WAIT,50\n#,ask\n@BTN,1,only,{\n@END\n}\n@EVTWAIT\n");
  std::vector<int> levels;
  std::vector<std::int64_t> moments;
  game->host.onWait([&](WaitKind) {
    game->host.duringWait([](PlayerInput& input) { input.pointerMoved(60, 10); });
    for (int round = 0; round < 40; ++round) {
      game->host.duringWait([&](PlayerInput&) {
        levels.push_back(game->player().state().highlightLevel);
        moments.push_back(game->clock.milliseconds());
      });
    }
    game->host.duringWait([](PlayerInput& input) { input.windowClicked(); });
  });
  EXPECT_EQ(game->run().reason, EndReason::End);
  ASSERT_EQ(levels.size(), 40u);
  EXPECT_EQ(levels[0], 255);
  EXPECT_EQ(levels[1], 251);
  EXPECT_EQ(*std::min_element(levels.begin(), levels.end()), 128);
  EXPECT_EQ(levels[33], 132) << "back up from 128";
  EXPECT_EQ(moments[1] - moments[0], 10);
}

TEST(EngineChoices, AtTheFastestSpeedsThePulseStillRestsAMillisecondPerRound) {
  auto game = GameRun::fromScript(std::string(kNovelGame) +
                                  "@WAIT,4\n#,ask\n@BTN,1,only,{\n@END\n}\n@EVTWAIT\n");
  std::vector<std::int64_t> moments;
  game->host.onWait([&](WaitKind) {
    game->host.duringWait([](PlayerInput& input) { input.pointerMoved(60, 10); });
    for (int round = 0; round < 3; ++round)
      game->host.duringWait([&](PlayerInput&) { moments.push_back(game->clock.milliseconds()); });
    game->host.duringWait([](PlayerInput& input) { input.windowClicked(); });
  });
  EXPECT_EQ(game->run().reason, EndReason::End);
  ASSERT_EQ(moments.size(), 3u);
  EXPECT_EQ(moments[2] - moments[1], 1);
}

TEST(EngineClosing, EscapeAsksAndCancelReturnsToTheGame) {
  auto game = GameRun::fromScript(kThreeWays);
  game->host.queueAnswer(false);
  game->host.onWait([&](WaitKind) {
    game->host.duringWait([](PlayerInput& input) { input.keyPressed(kEscapeKey); });
    game->host.duringWait([](PlayerInput& input) { input.buttonClicked(0); });
  });
  EXPECT_EQ(game->run().reason, EndReason::End);
  ASSERT_EQ(game->host.messages().size(), 1u);
  const MessageBoxRequest& question = game->host.messages()[0];
  EXPECT_EQ(question.text, text::kCloseQuestion);
  EXPECT_EQ(question.title, text::kConfirmTitle);
  EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
  EXPECT_EQ(question.defaultAnswer, MessageAnswer::Cancel);
  EXPECT_EQ(question.icon, MessageIcon::Question);
}

TEST(EngineClosing, ClosingOrTheEndItemEndsTheRunInOrder) {
  auto closed = GameRun::fromScript(kThreeWays);
  closed->host.onWait([&](WaitKind) {
    closed->host.duringWait([&](PlayerInput& input) { EXPECT_TRUE(input.closeRequested()); });
  });
  EXPECT_EQ(closed->run().reason, EndReason::Closed);
  EXPECT_THAT(closed->display.modes(), ElementsAre(0));

  auto ended = GameRun::fromScript(kThreeWays);
  ended->host.onWait([&](WaitKind) {
    ended->host.duringWait([](PlayerInput& input) { input.endChosen(); });
  });
  EXPECT_EQ(ended->run().reason, EndReason::Closed);
  ASSERT_EQ(ended->host.messages().size(), 1u);
  EXPECT_EQ(ended->host.messages()[0].text, text::kEndQuestion);
  EXPECT_EQ(ended->host.messages()[0].title, text::kEndConfirmTitle);
  EXPECT_EQ(ended->host.messages()[0].defaultAnswer, MessageAnswer::No);
  EXPECT_THAT(ended->trace("end"), ElementsAre(::testing::HasSubstr("\"reason\":\"closed\"")));
}

}  // namespace
}  // namespace pryx::player::testing
