// The interpreter's instructions: jumps, conditions, variable arithmetic,
// subroutines, version checks and every way a run ends.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "engine_test_support.h"
#include "player/gamefile/writer.h"
#include "player/messages.h"

namespace pryx::player::testing {
namespace {

using ::testing::ElementsAre;

std::int32_t variableAfter(GameRun& game, int number) {
  return game.player().state().variables[static_cast<std::size_t>(number)];
}

std::string withLines(std::string_view head, std::initializer_list<std::string_view> lines) {
  std::string script(head);
  for (std::string_view line : lines) script += std::string(line) + "\n";
  return script;
}

TEST(EngineArithmetic, OperationsWorkIn32BitsAndRoundHalvesToEven) {
  auto game = GameRun::fromScript(withLines(kNormalGame, {
      "@DEF,PARAM,a", "@DEF,PARAM,b", "@DEF,PARAM,c", "@DEF,PARAM,d", "@DEF,PARAM,e", "@DEF,PARAM,f",
      "@DEF,PARAM,g", "@DEF,PARAM,h", "#,start",
      "@,a,=,7", "@,a,/,2",                     // 3.5 -> 4
      "@,b,=,5", "@,b,/,2",                     // 2.5 -> 2
      "@,c,=,-701", "@,c,\\,2",               // -350.5 truncated -> -350
      "@,d,=,-703", "@,d,/,2",                  // -351.5 -> -352
      "@,e,=,32767", "@,e,*,32767", "@,e,*,4",  // 4294705156 wraps around
      "@,f,=,10", "@,f,+,5", "@,f,-,300", "@,f,*,-300",
      "@,g,=,9", "@,g,/,0", "@,g,\\,0", "@,g,%,4",  // unchanged
      "@,h,=,-7",                                // an int16 with high byte 255 reads as -1
      "@END"}));
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_EQ(variableAfter(*game, 1), 4);
  EXPECT_EQ(variableAfter(*game, 2), 2);
  EXPECT_EQ(variableAfter(*game, 3), -350);
  EXPECT_EQ(variableAfter(*game, 4), -352);
  EXPECT_EQ(variableAfter(*game, 5), -262140);
  EXPECT_EQ(variableAfter(*game, 6), 85500);
  EXPECT_EQ(variableAfter(*game, 7), 9);
  EXPECT_EQ(variableAfter(*game, 8), -1);
  EXPECT_EQ(game->player().state().highestVariable, 8);
  EXPECT_EQ(game->trace("var").size(), 17u) << "operations that leave the variable as it is are not traced";
}

TEST(EngineArithmetic, RandomDrawsEveryNumberFromOneToTheOperand) {
  std::string script = withLines(kNormalGame, {"@DEF,PARAM,r", "#,start"});
  for (int i = 0; i < 300; ++i) script += "@,r,RND,6\n";
  auto game = GameRun::fromScript(script + "@END\n");
  game->run();
  std::set<std::int64_t> drawn;
  for (auto value : numberFields(game->trace("var"), "value")) drawn.insert(value);
  EXPECT_EQ(drawn, (std::set<std::int64_t>{1, 2, 3, 4, 5, 6}));
}

struct ConditionCase {
  std::string_view condition;
  bool jumps;
};

// Names the case by its line: printed as bytes, the padding would change the name
// from one build to the next.
void PrintTo(const ConditionCase& test, std::ostream* out) { *out << test.condition; }

class EngineConditions : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(EngineConditions, JumpOnlyWhenTheConditionHolds) {
  auto game = GameRun::fromScript(withLines(kNormalGame, {
      "@DEF,PARAM,five", "@DEF,PARAM,zero", "#,start", "@,five,=,5",
      GetParam().condition, "@END", "#,taken", "@END"}));
  game->run();
  bool jumped = numberFields(game->trace("label"), "label") == std::vector<std::int64_t>{1, 2};
  EXPECT_EQ(jumped, GetParam().jumps) << GetParam().condition;
}

INSTANTIATE_TEST_SUITE_P(
    IfaAndIfb, EngineConditions,
    ::testing::Values(ConditionCase{"@IFA,five,=,5,taken", true}, ConditionCase{"@IFA,five,=,4,taken", false},
                      ConditionCase{"@IFA,five,>,4,taken", true}, ConditionCase{"@IFA,five,>,5,taken", false},
                      ConditionCase{"@IFA,five,<,6,taken", true}, ConditionCase{"@IFA,five,<,5,taken", false},
                      ConditionCase{"@IFA,five,<>,4,taken", true}, ConditionCase{"@IFA,five,<>,5,taken", false},
                      ConditionCase{"@IFA,five,==,5,taken", false},  // not a comparison: never true
                      ConditionCase{"@IFA,nothing,=,0,taken", false},  // no variable: nothing happens
                      ConditionCase{"@IFB,five,=,5,&&,zero,=,0,taken", true},
                      ConditionCase{"@IFB,five,=,5,&&,zero,=,1,taken", false},
                      ConditionCase{"@IFB,five,=,4,||,zero,=,0,taken", true},
                      ConditionCase{"@IFB,five,=,4,||,zero,=,1,taken", false},
                      ConditionCase{"@IFB,five,=,4,!!,zero,=,1,taken", true},
                      ConditionCase{"@IFB,five,=,5,!!,zero,=,1,taken", false},
                      // variable B numbered 0: condition B is false
                      ConditionCase{"@IFB,five,=,4,!!,nothing,=,0,taken", true},
                      ConditionCase{"@IFB,five,=,5,&&,nothing,=,0,taken", false},
                      ConditionCase{"@IFB,five,=,5,??,zero,=,0,taken", false}));

TEST(EngineJumps, JumpsGoToTheLabelAndLabelZeroContinues) {
  auto game = GameRun::fromScript(withLines(kNormalGame, {
      "@DEF,PARAM,x", "#,start", "@JMP,nowhere", "@,x,=,1", "@JMP,last", "@,x,=,2", "#,last", "@END"}));
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_EQ(variableAfter(*game, 1), 1);
  EXPECT_THAT(numberFields(game->trace("label"), "label"), ElementsAre(1, 2));
}

TEST(EngineSubroutines, SubRunsTheCallingPageAgainAndSubrContinuesAfterItself) {
  auto game = GameRun::fromScript(withLines(kNormalGame, {
      "@DEF,PARAM,visits", "@DEF,PARAM,after", "#,page", "@,visits,+,1", "@IFA,visits,=,2,second",
      "@SUB,sub", "@END",
      "#,sub", "@RET",
      "#,second", "@SUBR,sub", "@,after,=,1", "@RET", "@END"}));
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_THAT(numberFields(game->trace("label"), "label"), ElementsAre(1, 2, 1, 3, 2));
  EXPECT_EQ(variableAfter(*game, 1), 2);
  EXPECT_EQ(variableAfter(*game, 2), 1) << "@RET outside a subroutine does nothing";
  EXPECT_EQ(game->player().state().depth(), 0);
}

TEST(EngineSubroutines, TheThousandthNestedCallEndsWithAMessage) {
  for (auto [command, message] : {std::pair{"@SUB", text::kSubOverflow}, std::pair{"@SUBR", text::kSubrOverflow}}) {
    auto game = GameRun::fromScript(withLines(kNormalGame, {"#,deeper", std::string(command) + ",deeper"}));
    RunEnd end = game->run();
    EXPECT_EQ(end.reason, EndReason::Error);
    EXPECT_EQ(end.message, message);
    ASSERT_EQ(game->host.messages().size(), 1u);
    EXPECT_EQ(game->host.messages()[0].icon, MessageIcon::None);
    EXPECT_EQ(game->host.messages()[0].title, "game");
    EXPECT_EQ(game->trace("label").size(), 1001u);
    EXPECT_THAT(game->display.modes(), ElementsAre(0)) << "the display mode is restored at the end";
  }
}

TEST(EngineVersion, AGameAskingForANewerPlayerIsRefused) {
  for (std::string_view version : {"1,6", "0,7", "2,0"}) {
    auto game = GameRun::fromScript("@VERSION," + std::string(version) + "\n#,a\n@END\n");
    RunEnd end = game->run();
    EXPECT_EQ(end.reason, EndReason::Version) << version;
    EXPECT_EQ(end.message, text::kNewerVersionNeeded);
    EXPECT_EQ(game->host.messages().at(0).icon, MessageIcon::Information);
  }
  for (std::string_view version : {"1,5", "1,0", "0,5"}) {
    auto game = GameRun::fromScript("@VERSION," + std::string(version) + "\n#,a\n@END\n");
    EXPECT_EQ(game->run().reason, EndReason::End) << version;
  }
}

TEST(EngineEnds, EveryWayARunEnds) {
  auto ended = GameRun::fromScript(withLines(kNormalGame, {"#,a", "@END"}));
  EXPECT_EQ(ended->run().reason, EndReason::End);
  auto codeEnd = GameRun::fromScript(withLines(kNormalGame, {"#,a"}));
  EXPECT_EQ(codeEnd->run().reason, EndReason::CodeEnd);
  auto pastEnd = GameRun::fromBytes(rawGame({22, 7, 8}));
  EXPECT_EQ(pastEnd->run().reason, EndReason::PastEnd) << "a game without labels plays";
  auto noButton = GameRun::fromScript(withLines(kNormalGame, {"#,a", "@EVTWAIT"}));
  EXPECT_EQ(noButton->run().reason, EndReason::NoButton);
  auto stepLimit = GameRun::fromScript(withLines(kNormalGame, {"#,a", "@JMP,a"}));
  stepLimit->instructionLimit = 1000;
  EXPECT_EQ(stepLimit->run().reason, EndReason::StepLimit);
  for (auto* game : {ended.get(), codeEnd.get(), pastEnd.get(), noButton.get()}) {
    EXPECT_TRUE(game->host.messages().empty());
    EXPECT_THAT(game->display.modes(), ElementsAre(0));
    EXPECT_EQ(game->trace("end").size(), 1u);
  }
  EXPECT_EQ(ended->trace("end")[0], "{\"event\":\"end\",\"pc\":" + std::to_string(ended->player().state().programCounter) +
                                        ",\"reason\":\"END\",\"message\":\"\"}");
}

TEST(EngineGameMode, NovelModeGoesFullScreenWithoutCaption) {
  auto game = GameRun::fromScript(withLines(kNovelGame, {"#,a", "@END"}));
  game->player();
  EXPECT_EQ(game->host.caption(), "game");
  game->run();
  EXPECT_TRUE(game->host.novelMode());
  EXPECT_TRUE(game->host.caption().empty());
  EXPECT_THAT(game->display.modes(), ElementsAre(1, 0));
  EXPECT_THAT(game->display.fullScreenWindows(), ElementsAre(game->host.nativeHandle()));
}

TEST(EngineText, MessageNumberZeroShowsNothing) {
  gamefile::GameFileWriter writer;
  writer.label();
  writer.text(0, "never shown");
  writer.instruction(gamefile::Opcode::End);
  auto game = GameRun::fromBytes(std::move(writer).finish(gamefile::kCompilerPools));
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_TRUE(game->trace("text").empty());
  EXPECT_EQ(game->clock.milliseconds(), 0);
}

}  // namespace
}  // namespace pryx::player::testing
