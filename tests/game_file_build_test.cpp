#include "project/distribution.h"
#include "project/game_file_build.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "player/gamefile/chains.h"
#include "player/gamefile/image.h"
#include "tests/support/code_listing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace pryx::project {
namespace {

using F = ButtonField;
using gamefile::testing::codeListing;
using Lines = std::vector<std::string>;

std::vector<std::uint8_t> built(const Project& project) {
  platform::SilentProgress progress;
  return buildGameFile(project, progress);
}

// The code of one page: from its label to the instruction before the next label or the end.
Lines pageCode(const Project& project, int page) {
  Lines code = codeListing(built(project));
  auto label = code.begin();
  for (int seen = 0; seen < page; ++seen) label = std::find(seen ? label + 1 : label, code.end(), "#");
  return Lines(label, std::find(label + 1, code.end(), "#"));
}

const Lines kHeaderCode = {"@VERSION 1 5", "@WAIT 50", "byte 132", "byte 134", "@GAMEMODE 0", "@EFFECT 0", "@TCOLORA"};

TEST(GameFileBuild, NewProjectGivesTheSmallestGame) {
  std::vector<std::uint8_t> expected = {'P', 'R', 'Y', 'X',
                                        67, 0, 0, 0,    // CHR names
                                        66, 0, 0, 0,    // CG names, right after the end of code
                                        68, 0, 0, 0,    // BGM names
                                        69, 0, 0, 0,    // captions
                                        70, 0, 0, 0,    // messages
                                        50, 0, 0, 0,    // the only label's link field
                                        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                        1, 1, 5, 4, 50, 132, 134, 11, 0, 136, 0, 138,
                                        5, 0xFF, 0xFF, 0xFF, 0xFF,  // the label, end of its chain
                                        6, 0, 0, 129, 0, 0, 137, 0, 0, 15, 9, 255};
  EXPECT_EQ(built(newProject()), expected);
}

TEST(GameFileBuild, WritesDefinitionsSettingsAndPools) {
  Project project = newProject();
  project.cgs.append({"forest", "C:\\game\\Forest.BMP"});
  project.cgs.append({"sea", "pictures/海.jpg"});
  project.chrs.append({"hero", "hero.bmp"});
  project.bgms.append({"theme", "x.mid"});
  project.option(ProjectOption::MessageWait) = " 30.5";
  project.option(ProjectOption::GameMode) = "2";
  project.option(ProjectOption::EffectType) = "7";
  project.option(ProjectOption::TransparentColour) = "255";  // pure red
  project.pages[1].text = "A\r\nB";
  project.pages[1].buttons[0][F::Caption] = "__two_blanks";
  auto file = built(project);
  Lines code = codeListing(file);
  Lines header = {"@VERSION 1 5", "@DEF,CG 1 6", "@DEF,CG 2 2", "@DEF,CHR 1 4", "@DEF,BGM 1 1", "@WAIT 30",
                  "byte 132", "byte 134", "@GAMEMODE 1", "@EFFECT 0", "@TCOLORB 0 0 255"};
  EXPECT_EQ(Lines(code.begin(), code.begin() + 11), header);

  gamefile::GameImage image(file);
  auto pool = [&](gamefile::HeaderSlot slot, int length) { return image.textAt(*image.headerSlot(slot), length).value_or("?"); };
  EXPECT_EQ(pool(gamefile::HeaderSlot::CgPool, 8), "Forest" + platform::encodeSjis("海"));
  EXPECT_EQ(pool(gamefile::HeaderSlot::ChrPool, 4), "hero");
  EXPECT_EQ(pool(gamefile::HeaderSlot::BgmPool, 1), "x");
  auto tables = gamefile::loadTextTables(image);
  EXPECT_EQ(tables.message(1), "A\r\nB");
  EXPECT_EQ(tables.caption(0, 1), "  two_blanks");
}

TEST(GameFileBuild, WritesPageSettingsAroundTheMessage) {
  Project project = newProject();
  Page& page = project.pages[1];
  page.music = PageReference::number(2);
  page.backgroundCg = PageReference::text(" 3");
  page.text = "Hello";
  page.options = {80, true, 0x00FF8040, 0x000000, true, 3, 3};
  EXPECT_EQ(pageCode(project, 1), (Lines{"#", "@BGM 2", "@CG 3", "@CHR 0", "@WAIT 80", "@FCOLORL 64 128 255",
                                         "@FCOLORD 0 0 0", "@QUICK", "@SAVE 3", "@TEXT 1 5", "{", "}", "@WAIT 50",
                                         "@FCOLORL 255 255 255", "@FCOLORD 0 0 0", "@END", "@EVTWAIT"}));
  page.options = {};
  page.options.loadSlot = 3;
  page.options.textColour = -5;  // outside the colour field: held at black
  EXPECT_EQ(pageCode(project, 1)[4], "@FCOLORL 0 0 0");
  EXPECT_EQ(pageCode(project, 1)[6], "@LOAD 3");
}

TEST(GameFileBuild, WritesButtonsConditionsJumpsAndOperations) {
  Project project = newProject();
  project.pages.append(Page{"second", {}, {}, {}, {}, {}, {}});
  ButtonEvent& entered = project.pages[1].buttons[0];
  entered[F::Caption] = "enter";
  entered[F::OperationTiming] = "1";
  entered[F::OperationVariable] = " 2";
  entered[F::OperationOperator] = " 7";
  entered[F::OperationValue] = "6";
  entered[F::ConditionVariable1] = "1";
  entered[F::Comparison1] = "4";
  entered[F::ConditionValue1] = "3000000000";
  entered[F::Logic] = "0";
  entered[F::ConditionTarget] = "2";
  ButtonEvent& pressed = project.pages[1].buttons[1];
  pressed[F::Caption] = "press";
  pressed[F::OperationTiming] = "0";
  pressed[F::OperationVariable] = "1";
  pressed[F::OperationOperator] = "2";
  pressed[F::OperationValue] = "40000";
  pressed[F::ConditionVariable1] = "1";
  pressed[F::Comparison1] = "2";
  pressed[F::ConditionValue1] = "-1.5";  // -2, which the player reads as -1
  pressed[F::Logic] = "3";
  pressed[F::ConditionVariable2] = "2";
  pressed[F::Comparison2] = "1";
  pressed[F::ConditionValue2] = "x";
  pressed[F::ConditionTarget] = "1";
  pressed[F::JumpTarget] = "1";
  ButtonEvent& incomplete = project.pages[1].buttons[2];
  incomplete[F::Caption] = "incomplete";
  incomplete[F::ConditionVariable1] = "1";
  incomplete[F::Comparison1] = "1";
  incomplete[F::Logic] = "1";
  project.pages[1].buttons[4] = entered;  // behind the empty slot 3: no button, but its page-entry operation

  EXPECT_EQ(pageCode(project, 1),
            (Lines{"#", "@ 2 7 6", "@ 2 7 6", "@BGM 0", "@CG 0", "@CHR 0",
                   "@BTN 1 0 5", "{", "@IFA 1 4 2147483647 2", "@JMP 2", "}",
                   "@BTN 1 1 5", "{", "@ 1 2 32767", "@IFB 1 2 -1 3 2 1 0 1", "@JMP 1", "}",
                   "@BTN 1 2 10", "{", "@JMP 2", "}", "@EVTWAIT"}));
}

TEST(GameFileBuild, AJumpWithoutTargetOnTheLastPageStaysThere) {
  Project project = newProject();
  project.pages.append(Page{"last", {}, {}, {}, {}, {}, {}});
  project.pages[1].buttons[0][F::Caption] = "on";
  project.pages[2].buttons[0][F::Caption] = "again";
  project.pages[2].buttons[0][F::JumpTarget] = "0";
  EXPECT_EQ(pageCode(project, 1)[6], "@JMP 2");
  EXPECT_EQ(pageCode(project, 2)[6], "@JMP 2");
}

TEST(GameFileBuild, ButtonsEndAtTheFirstEmptyCaption) {
  Project project = newProject();
  project.pages[1].buttons[0][F::Caption] = "zero";
  project.pages[1].buttons[2][F::Caption] = "two";
  auto tables = gamefile::loadTextTables(gamefile::GameImage(built(project)));
  EXPECT_EQ(tables.buttonRecords, 1);
  EXPECT_EQ(tables.caption(0, 1), "zero");
}

TEST(GameFileBuild, CaptionsShowLeadingUnderscoresAsBlanks) { EXPECT_EQ(displayedCaption("__a_b"), "  a_b"); }

class Distribution : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() /
            ("pryx-distribution-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(root_);
    for (const char* folder : {"program/runtime", "project/pictures", "out"}) {
      std::filesystem::create_directories(root_ / folder);
    }
    write("program/runtime/" + platform::playerProgramFileName(), "player");
    write("program/runtime/" + std::string(platform::kDisplayLibraryFileName), "library");
    write("project/pictures/forest.bmp", "forest");
    write("elsewhere.mid", "music");
    project_.cgs.append({"forest", "pictures\\forest.bmp"});
    project_.bgms.append({"music", (root_ / "elsewhere.mid").string()});
    project_.chrs.append({"gone", "missing.bmp"});
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  void write(const std::string& name, std::string_view text) { std::ofstream(root_ / name, std::ios::binary) << text; }
  std::string read(const std::string& name) {
    auto bytes = platform::readWholeFile((root_ / name).string());
    return bytes ? std::string(bytes->begin(), bytes->end()) : "(missing)";
  }
  DistributionResult build(bool overwrite) {
    platform::SilentProgress progress;
    return buildDistribution(project_, {(root_ / "out").string(), "game", overwrite, (root_ / "project/game.PXK").string(),
                                        (root_ / "program").string()},
                             progress);
  }

  std::filesystem::path root_;
  Project project_ = newProject();
};

TEST_F(Distribution, CopiesEverythingAndWritesTheGameFile) {
  write("out/forest.bmp", "old picture");
  write("out/game.PRY", "old game");
  DistributionResult result = build(false);
  ASSERT_EQ(result.failures().size(), 1u);  // the character file does not exist
  EXPECT_NE(result.failures()[0].target.find("missing.bmp"), std::string::npos);
  EXPECT_EQ(result.message.title, "警告");
  EXPECT_EQ(result.message.icon, MessageIcon::Warning);
  EXPECT_NE(result.message.text.find("missing.bmp"), std::string::npos);

  EXPECT_EQ(read("out/forest.bmp"), "old picture");  // kept: no overwriting
  EXPECT_EQ(read("out/elsewhere.mid"), "music");
  EXPECT_EQ(read("out/game" + std::string(platform::kExecutableSuffix)), "player");
  EXPECT_EQ(read("out/" + std::string(platform::kDisplayLibraryFileName)), "library");
  auto game = read("out/game.PRY");
  EXPECT_EQ(std::vector<std::uint8_t>(game.begin(), game.end()), built(project_));  // replaced whatever the choice

  build(true);
  EXPECT_EQ(read("out/forest.bmp"), "forest");
}

TEST_F(Distribution, SaysDoneOnlyWhenEveryStepSucceeded) {
  project_.chrs.clear();
  DistributionResult result = build(false);
  EXPECT_TRUE(result.succeeded());
  EXPECT_EQ(result.message, (Message{"作成完了", "完成", MessageIcon::Information, MessageButtons::Ok}));

  std::filesystem::remove(root_ / "program/runtime" / platform::playerProgramFileName());
  std::filesystem::remove(root_ / "out/game.PRY");
  std::filesystem::create_directories(root_ / "out/game.PRY");  // the game file cannot be written
  result = build(true);
  ASSERT_EQ(result.failures().size(), 2u);
  EXPECT_FALSE(result.succeeded());
  EXPECT_NE(result.failures()[1].target.find("game.PRY"), std::string::npos);
}

TEST_F(Distribution, AFailedWriteOfTheKitsOwnFileGivesItsReason) {
  const std::vector<platform::FileCopy> copies{
      {"", "out/files.json", platform::CopyOutcome::Failed, "out/files.json: No space left on device", true},
      {"", "out/moon.BMP", platform::CopyOutcome::Failed, "", false}};
  const std::vector<FailedStep> failed = failedCopies(copies);
  ASSERT_EQ(failed.size(), 2u);
  EXPECT_EQ(failed[0].reason, "out/files.json: No space left on device");
  EXPECT_EQ(failed[1].reason, "ファイルが指定されていません");
}

}  // namespace
}  // namespace pryx::project
