// Save slots: the .SAV layout, the questions and messages, replaying the saved page
// after a load, the game's own silent slots and save files that cannot be trusted.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>

#include <sys/stat.h>

#include "engine_test_support.h"
#include "platform/files.h"
#include "player/messages.h"
#include "player/save_file.h"

namespace pryx::player::testing {
namespace {

using ::testing::ElementsAre;

QByteArray saveBytes(std::int32_t position, std::vector<std::int32_t> variables) {
  auto bytes = encodeSave({position, std::move(variables)});
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

std::optional<platform::Bytes> fileBytes(const GameRun& game, const std::string& name) {
  return platform::readWholeFile(game.path(name));
}

// Page 1 counts its visits and offers two ways; way 1 leads to page 2, which offers
// two more; way 2 ends the game.
const std::string kTwoPages = std::string(kNormalGame) +
                              "@DEF,PARAM,visits\n@DEF,PARAM,seen\n"
                              "#,first\n@,visits,+,1\n@SAVE,8\n@TEXT,{\nはじめ\n}\n"
                              "@BTN,1,on,{\n@,seen,=,7\n@JMP,second\n}\n@BTN,2,stop,{\n@END\n}\n@EVTWAIT\n"
                              "#,second\n@,visits,+,10\n@BTN,1,a,{\n@END\n}\n@BTN,2,b,{\n@END\n}\n@EVTWAIT\n";

headless::Route route(std::vector<int> choices, std::vector<headless::MenuAction> menu) {
  headless::Route result = clickThrough(std::move(choices));
  result.menuActions = std::move(menu);
  return result;
}

using Kind = headless::MenuAction::Kind;

TEST(EngineSaves, AMenuSaveAsksWritesTheLayoutAndEnablesItsLoadItem) {
  auto game = GameRun::fromScript(kTwoPages);
  game->followRoute(route({1, 1}, {{2, Kind::Save, 3}}));
  game->player();
  EXPECT_FALSE(game->host.loadItemEnabled(3));
  game->run();
  EXPECT_TRUE(game->host.loadItemEnabled(3));
  auto bytes = fileBytes(*game, "game3.SAV");
  ASSERT_TRUE(bytes);
  // H = 2, the position of the second page's label, then visits 11 and seen 7.
  auto position = static_cast<std::uint32_t>(game->labelPosition(2));
  ASSERT_LT(position, 65536u);
  EXPECT_EQ(*bytes, (platform::Bytes{2, 0, static_cast<std::uint8_t>(position), static_cast<std::uint8_t>(position >> 8), 0,
                                     0, 11, 0, 0, 0, 7, 0, 0, 0}));
  std::vector<std::string> texts = game->messageTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "セーブ 3にデータを保存しますか。");
  EXPECT_EQ(texts[1], text::kSaved);
  const auto& question = game->host.messages()[0];
  EXPECT_EQ(question.title, text::kConfirmTitle);
  EXPECT_EQ(question.buttons, MessageButtons::YesNo);
  EXPECT_EQ(question.defaultAnswer, MessageAnswer::No);
  EXPECT_EQ(game->host.messages()[1].icon, MessageIcon::Information);
  EXPECT_THAT(numberFields(game->trace("save"), "slot"), ElementsAre(8, 3));
}

TEST(EngineSaves, AnsweringNoSavesAndLoadsNothing) {
  auto game = GameRun::fromScript(kTwoPages);
  game->write("game4.SAV", saveBytes(0, {}));
  auto run = route({1, 1}, {{1, Kind::Save, 1}, {2, Kind::Load, 4}});
  run.answerYes = false;
  game->followRoute(run);
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_FALSE(platform::fileExists(game->path("game1.SAV")));
  EXPECT_THAT(game->messageTexts(), ElementsAre("セーブ 1にデータを保存しますか。", "セーブ 4をロードしますか。"));
  EXPECT_THAT(game->trace("load"), ElementsAre(::testing::HasSubstr("\"slot\":4,\"done\":false")));
}

TEST(EngineSaves, ALoadDuringAChoiceReplaysTheSavedPageWithoutItsOperations) {
  auto game = GameRun::fromScript(kTwoPages);
  game->followRoute(route({1, 2}, {{1, Kind::Save, 1}, {2, Kind::Load, 1}}));
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_THAT(numberFields(game->trace("label"), "label"), ElementsAre(1, 2, 1));
  // visits + 1 on the first visit only; seen = 7 in the first button; visits + 10 on page 2.
  EXPECT_THAT(numberFields(game->trace("var"), "value"), ElementsAre(1, 7, 11));
  EXPECT_THAT(numberFields(game->trace("save"), "slot"), ElementsAre(8, 1)) << "@SAVE is skipped in the replay";
  EXPECT_EQ(game->player().state().variables[1], 1);
  EXPECT_EQ(game->player().state().variables[2], 0) << "restored as saved";
  EXPECT_FALSE(game->player().state().replaying);
  EXPECT_THAT(game->messageTexts(), ElementsAre("セーブ 1にデータを保存しますか。", text::kSaved,
                                                "セーブ 1をロードしますか。", text::kLoaded));
  EXPECT_THAT(numberFields(game->trace("choose"), "slot"), ElementsAre(1, 2));
}

TEST(EngineSaves, ALoadOnAOneButtonPageReplaysWithoutAClick) {
  // The game's own @SAVE of a menu slot asks and confirms like the menu.
  auto game = GameRun::fromScript(std::string(kNormalGame) +
                                  "@DEF,PARAM,x\n#,a\n@,x,+,1\n@SAVE,1\n@BTN,1,on,{\n@JMP,b\n}\n@EVTWAIT\n"
                                  "#,b\n@,x,+,10\n@BTN,1,on,{\n@END\n}\n@EVTWAIT\n");
  int waits = 0;
  game->host.onWait([&](WaitKind kind) {
    EXPECT_EQ(kind, WaitKind::SingleButton);
    ++waits;
    if (waits == 2) game->host.duringWait([](PlayerInput& input) { input.loadChosen(1); });
    else game->host.duringWait([](PlayerInput& input) { input.windowClicked(); });
  });
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_THAT(numberFields(game->trace("label"), "label"), ElementsAre(1, 2, 1, 2));
  EXPECT_THAT(numberFields(game->trace("save"), "slot"), ElementsAre(1)) << "not again in the replay";
  EXPECT_EQ(game->player().state().variables[1], 11);
  EXPECT_THAT(game->messageTexts(), ElementsAre("セーブ 1にデータを保存しますか。", text::kSaved,
                                                "セーブ 1をロードしますか。", text::kLoaded));
}

TEST(EngineSaves, ASaveWithoutVariablesIsSixBytesAndItsLoadClearsThemAll) {
  auto game = GameRun::fromScript(std::string(kNormalGame) +
                                  "@DEF,PARAM,x\n#,a\n@BTN,1,go,{\n@JMP,b\n}\n@BTN,2,stop,{\n@END\n}\n@EVTWAIT\n"
                                  "#,b\n@,x,=,5\n@BTN,1,go,{\n@END\n}\n@BTN,2,stop,{\n@END\n}\n@EVTWAIT\n");
  game->followRoute(route({1, 2}, {{1, Kind::Save, 2}, {2, Kind::Load, 2}}));
  game->run();
  EXPECT_EQ(fileBytes(*game, "game2.SAV")->size(), 6u);
  EXPECT_EQ(game->player().state().variables[1], 0);
  EXPECT_EQ(game->player().state().highestVariable, 0);
}

TEST(EngineSaves, TheGamesOwnSlotsSaveAndLoadSilently) {
  auto saving = GameRun::fromScript(std::string(kNormalGame) + "@DEF,PARAM,x\n#,a\n@,x,=,5\n@SAVE,7\n@SAVE,12\n@END\n");
  saving->write("game2.SAV", saveBytes(0, {}));
  saving->run();
  EXPECT_TRUE(saving->host.messages().empty());
  auto position = static_cast<std::uint8_t>(saving->labelPosition(1));
  EXPECT_EQ(*fileBytes(*saving, "game7.SAV"), (platform::Bytes{1, 0, position, 0, 0, 0, 5, 0, 0, 0}));
  EXPECT_EQ(fileBytes(*saving, "game12.SAV"), fileBytes(*saving, "game7.SAV"));
  EXPECT_EQ(fileBytes(*saving, "game2.SAV")->size(), 6u) << "slot 12 leaves the menu's slot 2 alone";

  auto again = GameRun::fromScript(std::string(kNormalGame) + "@DEF,PARAM,x\n#,a\n@LOAD,7\n@END\n#,b\n@,x,+,1\n@END\n");
  again->write("game7.SAV", saveBytes(again->labelPosition(2), {42}));
  EXPECT_EQ(again->run().reason, EndReason::End);
  EXPECT_TRUE(again->host.messages().empty());
  EXPECT_THAT(numberFields(again->trace("label"), "label"), ElementsAre(1, 2));
  EXPECT_EQ(again->player().state().variables[1], 42) << "the replayed page skips its operation";
}

TEST(EngineSaves, SavingInsideASubroutineStoresTheOutermostCaller) {
  auto game = GameRun::fromScript(std::string(kNormalGame) +
                                  "#,caller\n@SUBR,middle\n@END\n#,middle\n@SUBR,inner\n@RET\n#,inner\n@SAVE,9\n@RET\n");
  game->run();
  auto bytes = fileBytes(*game, "game9.SAV");
  ASSERT_TRUE(bytes);
  EXPECT_EQ((*bytes)[2], static_cast<std::uint8_t>(game->labelPosition(1)));
}

TEST(EngineSaves, ASaveThatDoesNotFitTheGameIsRefused) {
  const std::string script =
      std::string(kNormalGame) + "@DEF,PARAM,x\n#,a\n@,x,=,3\n@LOAD,7\n@END\n#,b\n@END\n";
  auto probe = GameRun::fromScript(script);
  std::vector<QByteArray> refused = {
      QByteArray(),                                    // empty
      QByteArray("\x01\x00\x25", 3),                   // too short for the position
      saveBytes(1, {}),                                // not a label
      saveBytes(probe->labelPosition(1) + 1, {}),  // inside a label
  };
  QByteArray tooMany = saveBytes(probe->labelPosition(1), {});
  tooMany[0] = static_cast<char>(0x11);  // H = 10001
  tooMany[1] = static_cast<char>(0x27);
  refused.push_back(tooMany);
  // Longer than any save can be: a file that is no save, or a device, is not read to its end.
  refused.push_back(saveBytes(probe->labelPosition(1), {}) + QByteArray(40'001, '\0'));
  for (const QByteArray& file : refused) {
    auto game = GameRun::fromScript(script);
    game->write("game7.SAV", file);
    EXPECT_EQ(game->run().reason, EndReason::End);
    EXPECT_THAT(game->trace("load"), ElementsAre(::testing::HasSubstr("\"done\":false")));
    EXPECT_EQ(game->player().state().variables[1], 3);
  }
  auto fifo = GameRun::fromScript(script);
  ASSERT_EQ(mkfifo(fifo->path("game7.SAV").c_str(), 0600), 0);  // it would block a reader
  EXPECT_EQ(fifo->run().reason, EndReason::End);
  EXPECT_THAT(fifo->trace("load"), ElementsAre(::testing::HasSubstr("\"done\":false")));
  // Variables past the end of a short file read as 0.
  auto shortFile = GameRun::fromScript(script);
  QByteArray cut = saveBytes(probe->labelPosition(2), {8, 9});
  shortFile->write("game7.SAV", cut.left(cut.size() - 2));
  shortFile->run();
  EXPECT_EQ(shortFile->player().state().variables[1], 8);
  EXPECT_EQ(shortFile->player().state().variables[2], 0);
  EXPECT_EQ(shortFile->player().state().highestVariable, 2);
}

TEST(EngineSaves, AFailedSaveSaysSoInsteadOfSaved) {
  auto game = GameRun::fromScript(kTwoPages);
  QDir(QString::fromStdString(game->location().folder)).mkdir("game3.SAV");  // cannot be replaced by a file
  game->followRoute(route({2}, {{1, Kind::Save, 3}}));
  game->run();
  ASSERT_EQ(game->host.messages().size(), 2u);
  EXPECT_EQ(game->host.messages()[1].text, text::kSaveFailed);
  EXPECT_EQ(game->host.messages()[1].title, text::kWarningTitle);
  EXPECT_EQ(game->host.messages()[1].icon, MessageIcon::Critical);
  EXPECT_FALSE(game->host.loadItemEnabled(3));
  // A route test sees the failure in the trace, as it sees a failed load.
  EXPECT_THAT(game->trace("save"), ElementsAre(::testing::HasSubstr("\"slot\":8,\"done\":true"),
                                               ::testing::HasSubstr("\"slot\":3,\"done\":false")));
}

TEST(EngineSaves, OnlyTheLoadItemsOfExistingSavesAreEnabledAtStart) {
  auto game = GameRun::fromScript(kTwoPages);
  game->write("game2.SAV", saveBytes(0, {}));
  game->write("game5.SAV", saveBytes(0, {}));
  game->write("game7.SAV", saveBytes(0, {}));
  game->player();
  for (int slot = 1; slot <= 5; ++slot) EXPECT_EQ(game->host.loadItemEnabled(slot), slot == 2 || slot == 5) << slot;
  EXPECT_FALSE(game->host.choiceMenusEnabled());
}

}  // namespace
}  // namespace pryx::player::testing
