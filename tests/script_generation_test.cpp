#include "authoring/script_generation.h"

#include "tests/support/recording_progress.h"

#include <gtest/gtest.h>

namespace pryx::authoring {
namespace {

using project::ButtonField;
using project::newProject;
using project::Page;
using project::PageReference;
using project::Project;
using project::ProjectOption;
using F = ButtonField;
using Lines = std::vector<std::string>;

Lines lines(const std::string& text) {
  Lines result;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    result.push_back(text.substr(start, end - start));
  }
  result.push_back(text.substr(start));
  return result;
}

std::string generated(const Project& project) {
  platform::SilentProgress progress;
  return generateScript(project, progress);
}

// The lines of page `page`, from its label up to the next one.
Lines pageLines(const Project& project, int page) {
  Lines all = lines(generated(project));
  auto label = all.begin();
  for (int seen = 0; seen < page; ++seen) {
    label = std::find_if(seen ? label + 1 : label, all.end(), [](const std::string& line) { return line.starts_with("#,"); });
  }
  auto next = std::find_if(label + 1, all.end(), [](const std::string& line) { return line.starts_with("#,"); });
  return Lines(label, next);
}

Project twoPages() {
  Project project = newProject();
  project.variables.append("flag");
  project.variables.append("score");
  project.pages.append(Page{"End", {}, {}, {}, {}, {}, {}});
  return project;
}

TEST(ScriptGeneration, NewProjectWithOneButtonGivesThirteenLines) {
  Project project = newProject();
  project.pages[1].buttons[0][F::Caption] = "Go";
  testing::RecordingProgress progress;
  std::string text = generateScript(project, progress);
  EXPECT_EQ(text,
            "@VERSION,1,5\r\n@WAIT,50\r\n@GAMEMODE,1\r\n@EFFECT,0\r\n@TCOLORA\r\n#,TopPage\r\n@CG,\r\n@CHR,\r\n@BGM,\r\n"
            "@BTN, 1,Go,{\r\n@END\r\n}\r\n@EVTWAIT");
  EXPECT_EQ(progress.calls, (Lines{"show データの作成中", "label プログラムの変換作業を行っています...", "maximum 1",
                                   "value 1", "hide"}));
}

TEST(ScriptGeneration, WritesDefinitionsAndSettingsAsStored) {
  Project project = newProject();
  project.cgs.append({"forest", "C:\\pictures\\forest.bmp"});
  project.chrs.append({"hero", "hero, tall.bmp"});
  project.bgms.append({"theme", "theme.mid"});
  project.variables.append("flag");
  project.option(ProjectOption::MessageWait) = " 30";
  project.option(ProjectOption::GameMode) = "2";
  project.option(ProjectOption::EffectType) = "3";
  project.option(ProjectOption::TransparentColour) = "255";
  Lines header = lines(generated(project));
  header.resize(10);
  EXPECT_EQ(header, (Lines{"@VERSION,1,5", "@DEF,CG,forest,C:\\pictures\\forest.bmp", "@DEF,CHR,hero,hero, tall.bmp",
                           "@DEF,BGM,theme,theme.mid", "@DEF,PARAM,flag", "@WAIT, 30", "@GAMEMODE,2", "@EFFECT,3",
                           "@TCOLORB, 0, 0, 255", "#,TopPage"}));
  project.option(ProjectOption::TransparentColour) = "0";
  EXPECT_EQ(lines(generated(project))[8], "@TCOLORB, 0, 0, 0");
  project.option(ProjectOption::TransparentColour) = " 1193046";  // 0x123456
  EXPECT_EQ(lines(generated(project))[8], "@TCOLORB, 18, 52, 86");
}

TEST(ScriptGeneration, WritesPageSettingsAroundTheMessage) {
  Project project = newProject();
  project.cgs.append({"forest", "forest.bmp"});
  Page& page = project.pages[1];
  page.backgroundCg = PageReference::text("1");
  page.music = PageReference::number(5);  // past the end of the list: an empty name
  page.text = "first\r\nsecond";
  page.options = {100, true, 0x00FF8040, 0, true, 3, 3};  // save and load slot 3: only the save
  EXPECT_EQ(pageLines(project, 1),
            (Lines{"#,TopPage", "@CG,forest", "@CHR,", "@BGM,", "@WAIT, 100", "@FCOLORL,64,128,255", "@FCOLORD,0,0,0",
                   "@QUICK", "@SAVE, 3", "@TEXT,{", "first", "second", "}", "@WAIT,50", "@FCOLORL,255,255,255",
                   "@FCOLORD,0,0,0", "@END"}));
  page.options = {};
  page.options.loadSlot = 7;
  EXPECT_EQ(pageLines(project, 1)[4], "@LOAD, 7");
}

TEST(ScriptGeneration, WritesConditionsJumpsAndOperations) {
  Project project = twoPages();
  project::ButtonEvent& first = project.pages[1].buttons[0];
  first[F::Caption] = "test";
  first[F::ConditionVariable1] = "1";
  first[F::Comparison1] = "4";
  first[F::ConditionValue1] = " 3";
  first[F::Logic] = "0";
  first[F::ConditionTarget] = "2";
  first[F::OperationTiming] = "0";
  first[F::OperationVariable] = "2";
  first[F::OperationOperator] = "6";
  first[F::OperationValue] = "2";
  project::ButtonEvent& both = project.pages[1].buttons[1];
  both[F::Caption] = "both";
  both[F::ConditionVariable1] = "1";
  both[F::Comparison1] = "1";
  both[F::ConditionValue1] = "1";
  both[F::Logic] = "1";
  both[F::ConditionVariable2] = "2";
  both[F::Comparison2] = "2";
  both[F::ConditionValue2] = "0";
  both[F::JumpTarget] = "1";
  project::ButtonEvent& half = project.pages[1].buttons[2];
  half[F::Caption] = "half";
  half[F::ConditionVariable1] = "1";
  half[F::Comparison1] = "1";
  half[F::Logic] = "2";
  half[F::ConditionVariable2] = "2";
  project.pages[2].buttons[0][F::Caption] = "stay";
  EXPECT_EQ(pageLines(project, 1),
            (Lines{"#,TopPage", "@CG,", "@CHR,", "@BGM,",
                   "@BTN, 1,test,{", "@,score,\\,2", "@IFA,flag,!=, 3,End", "@JMP,End", "}",
                   "@BTN, 2,both,{", "@IFB,flag,=,1,&&,score,>,0,", "@JMP,TopPage", "}",
                   "@BTN, 3,half,{", "@JMP,End", "}", "@EVTWAIT"}));
  EXPECT_EQ(pageLines(project, 2), (Lines{"#,End", "@CG,", "@CHR,", "@BGM,", "@BTN, 1,stay,{", "@END", "}", "@EVTWAIT"}));
}

TEST(ScriptGeneration, PageEntryOperationsNeedOnlyAnOperatorText) {
  Project project = twoPages();
  project::ButtonEvent& entry = project.pages[1].buttons[3];  // no caption: still written
  entry[F::OperationTiming] = "1";
  entry[F::OperationVariable] = "1";
  entry[F::OperationOperator] = "0";
  entry[F::OperationValue] = "5";
  project::ButtonEvent& pressed = project.pages[1].buttons[0];
  pressed[F::Caption] = "go";
  pressed[F::OperationTiming] = "0";
  pressed[F::OperationVariable] = "1";
  pressed[F::OperationOperator] = "0";
  pressed[F::OperationValue] = "5";
  project.pages[1].buttons[2][F::Caption] = "behind an empty slot";
  EXPECT_EQ(pageLines(project, 1), (Lines{"#,TopPage", "@,flag,,5", "@CG,", "@CHR,", "@BGM,", "@BTN, 1,go,{",
                                          "@JMP,End", "}", "@EVTWAIT"}));
  entry[F::OperationOperator] = "";
  EXPECT_EQ(pageLines(project, 1)[1], "@CG,");
}

TEST(ScriptGeneration, APageWithoutAFirstButtonEnds) {
  Project project = twoPages();
  project.pages[1].buttons[1][F::Caption] = "ignored";
  EXPECT_EQ(pageLines(project, 1), (Lines{"#,TopPage", "@CG,", "@CHR,", "@BGM,", "@END"}));
  for (auto& button : project.pages[1].buttons) button[F::Caption] = "b";
  Lines page = pageLines(project, 1);
  EXPECT_EQ(std::count(page.begin(), page.end(), "@JMP,End"), 5);
  EXPECT_EQ(page.back(), "@EVTWAIT");
}

}  // namespace
}  // namespace pryx::authoring
