#include "project/project_check.h"
#include "project/story_graph.h"

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

// A new project only ends at once; a sample one has only what its random jumps make
// of the story, which the story graph finds.
TEST(ProjectCheck, ACleanProjectHasNoFindings) {
  EXPECT_EQ(checkProject(newProject()),
            (std::vector<Finding>{{1, 0, "the page has no button: the game ends here", true}}));
  Project project = samples::sampleProject({.pages = 30, .seed = 5, .scriptCompatible = true});
  std::vector<std::string> story;
  for (const StoryFinding& finding : storyFindings(project, storyGraph(project))) {
    story.push_back(describe(project, {finding.page, finding.button, storyFindingText(project, finding)}));
  }
  EXPECT_EQ(described(project), story);
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
                "page 1 \"TopPage\", button 1: operation value 40000 does not fit its field (-32768..32767); written as 32767",
                "page 1 \"TopPage\", button 1: the operation has no operator and is left out",
                "page 1 \"TopPage\", button 2: operation value -300 is below -256: the game file holds no such number",
                "page 1 \"TopPage\", button 4: the button has no caption, so its page-entry operation is left out",
                "page 1 \"TopPage\", button 5: the button is left out: a button before it has no caption",
                "page 1 \"TopPage\", button 1: jump target 4 is not a page (1 pages)",
            }));
}

// The story as the built game runs it: a THEN and a GOTO jump per conditional button,
// no jump behind an empty slot, page-entry operations setting variables too.
TEST(ProjectCheck, FindsWhatTheStoryGraphShowsWrong) {
  Project project = newProject();
  for (const char* name : {"second", "cut off", "ending"}) project.pages.append(Page{name, "", {}, {}, {}, {}, {}});
  for (const char* name : {"tested", "entered", "pressed"}) project.variables.append(name);
  ButtonEvent& branch = project.pages[1].buttons[0];
  branch[F::Caption] = "go";
  branch[F::ConditionVariable1] = "1";
  branch[F::Comparison1] = "1";
  branch[F::ConditionTarget] = "9";
  branch[F::JumpTarget] = "2";
  ButtonEvent& onward = project.pages[2].buttons[0];
  onward[F::Caption] = "on";
  onward[F::JumpTarget] = "4";
  onward[F::ConditionVariable1] = "2";
  onward[F::Comparison1] = "1";
  onward[F::ConditionTarget] = "4";
  project.pages[2].buttons[2] = onward;  // behind an empty slot: left out
  project.pages[2].buttons[2][F::JumpTarget] = "3";
  project.pages[4].buttons[1][F::Caption] = "stay";
  project.pages[4].buttons[1][F::OperationTiming] = "1";  // entering the page sets variable 2
  project.pages[4].buttons[1][F::OperationVariable] = "2";
  project.pages[4].buttons[1][F::OperationOperator] = "1";
  project.pages[4].buttons[0][F::Caption] = "again";
  project.pages[4].buttons[0][F::OperationVariable] = "3";  // pressing it sets variable 3
  project.pages[4].buttons[0][F::OperationOperator] = "2";
  project.pages[4].buttons[0][F::JumpTarget] = "4";

  StoryGraph graph = storyGraph(project);
  EXPECT_EQ(graph.jumpsFrom[1], (std::vector<StoryJump>{{1, 1, JumpKind::Then, 9}, {1, 1, JumpKind::Goto, 2}}));
  EXPECT_EQ(graph.jumpsFrom[2], (std::vector<StoryJump>{{2, 1, JumpKind::Then, 4}, {2, 1, JumpKind::Goto, 4}}));
  EXPECT_EQ(graph.reachable, (std::vector<bool>{false, true, true, false, true}));
  EXPECT_EQ(storyFindings(project, graph),
            (std::vector<StoryFinding>{{StoryProblem::JumpToNoPage, 1, 1, 9, JumpKind::Then},
                                       {StoryProblem::Unreachable, 3},
                                       {StoryProblem::GameEndsHere, 3},
                                       {StoryProblem::TestedNeverSet, 1, 1, 0, JumpKind::Goto, 1}}));
  EXPECT_EQ(described(project),
            (std::vector<std::string>{
                "page 2 \"second\", button 3: the button is left out: a button before it has no caption",
                "page 1 \"TopPage\", button 1: condition target 9 is not a page (4 pages)",
                "page 3 \"cut off\": no route from page 1 reaches the page",
                "page 3 \"cut off\": the page has no button: the game ends here",
                "page 1 \"TopPage\", button 1: variable 1 \"tested\" is tested but never set: it is always 0"}));
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
