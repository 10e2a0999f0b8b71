#include "project/project_check.h"

#include "tests/support/sample_projects.h"

#include <gtest/gtest.h>

namespace pryx::project {
namespace {

using F = ButtonField;

std::vector<std::string> described(const Project& project) {
  std::vector<std::string> texts;
  for (const Finding& finding : checkProject(project)) texts.push_back(describe(project, finding));
  return texts;
}

TEST(ProjectCheck, ACleanProjectHasNoFindings) {
  EXPECT_TRUE(checkProject(newProject()).empty());
  Project project = samples::sampleProject({.pages = 30, .seed = 5, .scriptCompatible = true});
  EXPECT_EQ(described(project), std::vector<std::string>{});
}

TEST(ProjectCheck, FindsWhatTheBuilderWritesDifferently) {
  Project project = newProject();
  project.cgs.append({"bg", "pictures/bg.png"});
  project.chrs.append({"hero", "other/BG.PNG"});
  project.variables.append("flag");
  project.option(ProjectOption::EffectType) = "9";
  Page& page = project.pages[1];
  page.backgroundCg = PageReference::number(2);
  page.options.speedOn = true;
  page.options.speed = 300;
  ButtonEvent& first = page.buttons[0];
  first[F::Caption] = std::string(256, 'x');
  first[F::ConditionVariable1] = "3";
  first[F::Comparison1] = "1";
  first[F::ConditionValue1] = "-5";
  first[F::Logic] = "0";
  first[F::ConditionTarget] = "0";
  first[F::JumpTarget] = "4";
  first[F::OperationTiming] = "0";
  first[F::OperationVariable] = "1";
  first[F::OperationValue] = "40000";
  ButtonEvent& second = page.buttons[1];
  second[F::Caption] = "second";
  second[F::JumpTarget] = "1";
  second[F::OperationTiming] = "1";
  second[F::OperationVariable] = "1";
  second[F::OperationOperator] = "1";
  second[F::OperationValue] = "-300";
  page.buttons[4][F::Caption] = "behind";
  page.buttons[3][F::OperationTiming] = "1";
  page.buttons[3][F::OperationVariable] = "1";
  EXPECT_EQ(described(project),
            (std::vector<std::string>{
                "effect type 9 is outside 0..4; written as 0",
                "CG 1 \"bg\": the player looks for \"bg.BMP\" or \"bg.JPG\", not \"bg.png\"",
                "CHR 1 \"hero\": the player looks for \"BG.BMP\", not \"BG.PNG\"",
                "CHR 1 \"hero\" has the same file name as CG 1 \"bg\": only one of the two files ships",
                "page 1 \"TopPage\": background CG 2 is not in the CG list (1 entries)",
                "page 1 \"TopPage\": page speed 300 does not fit its field (0..255); written as 255",
                "page 1 \"TopPage\", button 1: the caption is 256 bytes long; only the first 255 are written",
                "page 1 \"TopPage\", button 1: condition variable 3 is not defined (1 variables)",
                "page 1 \"TopPage\", button 1: condition value -5 is below -1: the player reads it as -1",
                "page 1 \"TopPage\", button 1: the condition has no target page: when it holds, nothing happens",
                "page 1 \"TopPage\", button 1: jump target 4 is not a page (1 pages)",
                "page 1 \"TopPage\", button 1: operation value 40000 does not fit its field (-32768..32767); written as 32767",
                "page 1 \"TopPage\", button 1: the operation has no operator and is left out",
                "page 1 \"TopPage\", button 2: operation value -300 is below -256: the game file holds no such number",
                "page 1 \"TopPage\", button 4: the button has no caption, so its page-entry operation is left out",
                "page 1 \"TopPage\", button 5: the button is left out: a button before it has no caption",
            }));
}

TEST(ProjectCheck, FindsIncompleteConditionsAndAnEmptyProject) {
  Project project = newProject();
  project.variables.append("flag");
  ButtonEvent& button = project.pages[1].buttons[0];
  button[F::Caption] = "go";
  button[F::ConditionVariable1] = "1";
  button[F::Comparison1] = "1";
  button[F::Logic] = "1";
  EXPECT_EQ(described(project),
            std::vector<std::string>{"page 1 \"TopPage\", button 1: the condition is incomplete and is left out"});
  project.pages.clear();
  EXPECT_EQ(described(project),
            std::vector<std::string>{"the project has no pages: the player needs at least one label to start"});
}

}  // namespace
}  // namespace pryx::project
