// Music on the recording sequencer and the virtual clock, and the message speed.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace pryx::player::testing {
namespace {

using ::testing::ElementsAre;
using Action = headless::RecordingSequencer::Action;

std::vector<Action> actionsOf(const GameRun& game) {
  std::vector<Action> actions;
  for (const auto& call : game.sequencer.calls()) actions.push_back(call.action);
  return actions;
}

const std::string kMusic = std::string(kNormalGame) + "@DEF,BGM,night,night.MID\n@DEF,BGM,feast,feast.MID\n";

TEST(EngineMusic, APieceOpensPlaysAndChangesOnlyWhenItsNumberDoes) {
  auto game = GameRun::fromScript(kMusic + "#,a\n@BGM,night\n@BGM,night\n@BGM,feast\n@BGM,\n@BGM,\n@END\n");
  game->write("night.mid", "MThd");
  game->write("feast.MID", "MThd");
  game->run();
  EXPECT_THAT(actionsOf(*game), ElementsAre(Action::Open, Action::Play, Action::Close, Action::Open, Action::Play,
                                            Action::Close));
  EXPECT_EQ(game->sequencer.calls()[0].path, game->path("night.mid"));
  EXPECT_THAT(numberFields(game->trace("bgm"), "bgm"), ElementsAre(1, 2, 0));
}

TEST(EngineMusic, APieceRestartsWithinHalfASecondAfterItsEnd) {
  auto game = GameRun::fromScript(kMusic + "#,a\n@BGM,night\n@BTN,1,x,{\n@END\n}\n@BTN,2,y,{\n@END\n}\n@EVTWAIT\n");
  game->write("night.MID", "MThd");
  game->pieceLength = 60000;
  game->host.at(130000, [](PlayerInput& input) { input.buttonClicked(0); });
  EXPECT_EQ(game->run().reason, EndReason::End);
  std::vector<std::int64_t> plays;
  for (const auto& call : game->sequencer.calls()) {
    if (call.action == Action::Play) plays.push_back(call.at);
  }
  ASSERT_EQ(plays.size(), 3u);
  EXPECT_EQ(plays[0], 0);
  EXPECT_GE(plays[1], 60000);
  EXPECT_LE(plays[1], 60500);
  EXPECT_GE(plays[2], plays[1] + 60000);
  EXPECT_LE(plays[2], plays[1] + 60500);
  auto actions = actionsOf(*game);
  EXPECT_THAT(std::vector<Action>(actions.begin() + 2, actions.begin() + 5),
              ElementsAre(Action::Stop, Action::Rewind, Action::Play));
  EXPECT_EQ(actions.back(), Action::Close) << "the music stops when the run ends";
}

// A headless run that never ends restarts its music for ever: it keeps counts only.
TEST(EngineMusic, AHeadlessRunCountsRestartsWithoutKeepingThem) {
  headless::VirtualClock clock;
  headless::RecordingSequencer sequencer(clock, [](const std::string&) { return std::int64_t{1000}; });
  ASSERT_TRUE(sequencer.open(std::string(PRYX_SOURCE_DIR) + "/samples/tsukiyo/bgm/tsukiyo.MID"));
  for (int restart = 0; restart < 1'000'000; ++restart) {
    sequencer.rewind();
    sequencer.play();
  }
  EXPECT_EQ(sequencer.count(Action::Play), 1'000'000);
  EXPECT_EQ(sequencer.count(Action::Open), 1);
  EXPECT_TRUE(sequencer.calls().empty());
}

TEST(EngineMusic, AMissingPieceStaysSilentWithoutRestarts) {
  auto game = GameRun::fromScript(kMusic + "#,a\n@BGM,night\n@BTN,1,x,{\n@END\n}\n@BTN,2,y,{\n@END\n}\n@EVTWAIT\n");
  game->host.at(5000, [](PlayerInput& input) { input.buttonClicked(0); });
  game->run();
  EXPECT_THAT(actionsOf(*game), ElementsAre(Action::Close)) << "nothing to open, nothing to restart";
  EXPECT_EQ(game->player().state().currentBgm, 1);
}

struct SpeedCase {
  Speed speed;
  int wait;
  int expected;
};

TEST(EngineSpeed, TheCheckedSpeedScalesEveryWait) {
  for (SpeedCase c : {SpeedCase{Speed::Quick, 50, 25}, SpeedCase{Speed::Slow, 50, 75},
                      SpeedCase{Speed::NoWait, 50, 0}, SpeedCase{Speed::Normal, 50, 50},
                      SpeedCase{Speed::Quick, 7, 3}, SpeedCase{Speed::Slow, 7, 10}}) {
    // The speed is chosen at the first page's choice and stays checked through the
    // second page's @WAIT.
    auto game = GameRun::fromScript(std::string(kNormalGame) + "#,a\n@BTN,1,x,{\n@JMP,b\n}\n@BTN,2,y,{\n@END\n}\n"
                                    "@EVTWAIT\n#,b\n@WAIT," + std::to_string(c.wait) + "\n@END\n");
    game->host.onWait([&](WaitKind) {
      game->host.duringWait([&](PlayerInput& input) { input.speedChosen(c.speed); });
      game->host.duringWait([](PlayerInput& input) { input.buttonClicked(0); });
    });
    game->run();
    EXPECT_EQ(game->player().state().messageWait, c.expected) << c.wait;
    EXPECT_EQ(game->host.speedChecked(), c.speed);
  }
}

TEST(EngineSpeed, TypingTakesTheMessageWaitPerCharacter) {
  auto game = GameRun::fromScript(std::string(kNormalGame) + "@WAIT,30\n#,a\n@TEXT,{\nあい\nう\n}\n@END\n");
  game->run();
  EXPECT_EQ(game->clock.milliseconds(), 90) << "line breaks take no time";
}

}  // namespace
}  // namespace pryx::player::testing
