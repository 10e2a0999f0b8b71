// The editor's test run on a scripted host: how it starts, how pages go on, how
// buttons and variables steer it, and how it ends.

#include "editor/test_run.h"
#include "tests/support/scripted_run_host.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

namespace pryx::editor {
namespace {

using project::ButtonField;
using testing::clickStage;
using testing::closeFrame;
using testing::doubleClickMessage;
using testing::pressButton;
using testing::stopRun;
using F = ButtonField;

class TestRunTest : public ::testing::Test {
 protected:
  TestRunTest() {
    project_.pages.clear();
    project_.option(project::ProjectOption::MessageWait) = "0";
    project_.variables.append("score");
  }

  // A page with `text` and buttons with these captions, each jumping to the next page.
  project::Page& addPage(std::string text, std::initializer_list<const char*> captions = {}) {
    project::Page page;
    page.name = "page";
    page.text = std::move(text);
    std::size_t slot = 0;
    for (const char* caption : captions) page.buttons[slot++][F::Caption] = caption;
    project_.pages.append(std::move(page));
    return project_.pages[project_.pageCount()];
  }
  project::ButtonEvent& button(int page, int slot) {
    return project_.pages[page].buttons[static_cast<std::size_t>(slot)];
  }
  void setOperation(int page, int slot, const char* timing, const char* op, const char* value) {
    button(page, slot)[F::OperationTiming] = timing;
    button(page, slot)[F::OperationVariable] = "1";
    button(page, slot)[F::OperationOperator] = op;
    button(page, slot)[F::OperationValue] = value;
  }
  // Score compared with `value`; true leads to `target`.
  void setCondition(int page, int slot, const char* comparison, const char* value, const char* target) {
    button(page, slot)[F::ConditionVariable1] = "1";
    button(page, slot)[F::Comparison1] = comparison;
    button(page, slot)[F::ConditionValue1] = value;
    button(page, slot)[F::ConditionTarget] = target;
  }

  void run() {
    TestRun testRun(project_, "/story/game.PXK", state_, host());
    testRun.run();
    score_ = testRun.variables()[1];
  }

  // The run ended through finishing: the shared values as editing expects them.
  void expectFinished(int selected) {
    EXPECT_EQ(host().leftAt(), selected);
    EXPECT_FALSE(host().inRunMode());
    EXPECT_EQ(state_.runState(), 0);
    EXPECT_EQ(state_.runStopRequest(), 1);
    EXPECT_FALSE(state_.toolbarStart());
  }

  project::Project project_ = project::newProject();
  EditorState state_;
  // A fresh author for a second run.
  void newHost() { host_.emplace(state_); }
  testing::ScriptedRunHost& host() { return *host_; }

  std::optional<testing::ScriptedRunHost> host_{std::in_place, state_};
  std::int32_t score_ = 0;
};

TEST_F(TestRunTest, TheMenuStartsAtPageOneAndNeverAsks) {
  addPage("one", {"a", "b"});
  addPage("two", {"a", "b"});
  setCondition(2, 0, "1", "0", "1");  // holds: back to page 1
  addPage("three");
  host().setSelectedPage(3);
  host().then(pressButton(1));
  host().then(pressButton(0));
  host().then(pressButton(1));
  host().then(pressButton(1));
  run();
  EXPECT_TRUE(host().questions().empty());
  EXPECT_EQ(host().pages(), (std::vector<int>{1, 2, 1, 2, 3}));
  EXPECT_EQ(host().offered().front(), (std::vector<std::string>{"a", "b"}));
  expectFinished(3);
}

TEST_F(TestRunTest, TheToolbarAsksForTheStartPageAndBeforeEveryCondition) {
  addPage("one", {"a", "b"});
  addPage("two", {"a", "b"});
  setCondition(2, 0, "1", "5", "1");  // false: score is "0"
  addPage("three");
  for (Answer start : {Answer::Yes, Answer::No}) {
    SCOPED_TRACE(start == Answer::Yes ? "from the selected page" : "from page 1");
    newHost();
    state_.setToolbarStart(true);
    host().setSelectedPage(2);
    host().answer(start);
    host().answer(Answer::Yes);  // the false condition taken as true
    host().answer(Answer::No);   // the condition as it is
    if (start == Answer::No) host().then(pressButton(1));
    for (int press = 0; press < 3; ++press) host().then(pressButton(0));
    run();
    std::vector<int> played = {2, 1, 2, 3};
    if (start == Answer::No) played.insert(played.begin(), 1);
    EXPECT_EQ(host().pages(), played);
    ASSERT_EQ(host().questions().size(), 3u);
    const project::Message& first = host().questions()[0];
    EXPECT_EQ(first.text, "現在選択されているページから実行を行いますか？");
    EXPECT_EQ(first.title, "確認");
    EXPECT_EQ(first.buttons, project::MessageButtons::YesNo);
    EXPECT_TRUE(first.positiveDefault);
    const project::Message& condition = host().questions()[1];
    EXPECT_EQ(condition.text, "条件分岐が存在します。\r\n無条件に、結果を\"真\"として実行しますか？");
    EXPECT_FALSE(condition.positiveDefault);
    expectFinished(3);
  }
}

TEST_F(TestRunTest, OneButtonPagesShowNoButtonAndGoOnAfterAClick) {
  addPage("one", {"only"});
  setOperation(1, 0, "0", "2", "4");
  addPage("two", {"only"});
  setOperation(2, 0, "0", "3", "10");
  button(2, 0)[F::JumpTarget] = "1";
  host().then(clickStage());
  host().then(doubleClickMessage());
  host().then(clickStage());
  host().then(stopRun());
  run();
  EXPECT_TRUE(host().offered().empty());
  EXPECT_EQ(host().pages(), (std::vector<int>{1, 2, 1, 2}));
  EXPECT_EQ(score_, -2);  // "-" below zero keeps its sign
  expectFinished(2);
}

TEST_F(TestRunTest, TargetZeroIsTheNextPageAndThePastTheLastPageEndsTheRun) {
  addPage("one", {"a", "b"});
  addPage("two", {"a", "b"});
  host().then(pressButton(0));
  host().then(pressButton(1));
  run();
  EXPECT_EQ(host().pages(), (std::vector<int>{1, 2}));
  expectFinished(0);  // no page to select
}

TEST_F(TestRunTest, TextIsTypedAtTheMessageWaitUntilAClick) {
  project_.option(project::ProjectOption::MessageWait) = "50";
  addPage("あい\r\nう");
  run();
  EXPECT_EQ(host().message(), "あい\r\nう");
  EXPECT_EQ(host().now(), 4 * 50);  // the line break is typed as one

  newHost();
  host().at(60, clickStage());
  run();
  EXPECT_EQ(host().message(), "あい\r\nう");
  EXPECT_EQ(host().now(), 100);
}

TEST_F(TestRunTest, StoppingEndsTheRunAndClosingTheFrameAbandonsIt) {
  project_.option(project::ProjectOption::MessageWait) = "10";
  addPage("long text", {"a", "b"});
  host().at(30, stopRun());
  run();
  EXPECT_EQ(host().message(), "lon");
  expectFinished(1);

  newHost();
  state_.setToolbarStart(true);
  host().answer(Answer::No);
  host().then(closeFrame());
  run();
  EXPECT_TRUE(host().inRunMode());  // nothing restored
  EXPECT_FALSE(host().leftAt());
  EXPECT_EQ(state_.runStopRequest(), 2);
  EXPECT_FALSE(state_.toolbarStart());
}

TEST_F(TestRunTest, VariablesAreTheGamesWholeNumbers) {
  // Each step is an operation on entering a page of its own.
  struct Case {
    std::vector<std::pair<const char*, const char*>> steps;  // operator, operand
    std::int32_t result;
  };
  const Case cases[] = {
      {{{"1", " 07x"}}, 7},                           // "=" stores the number, not the text
      {{{"1", "3"}, {"2", "4.5"}}, 7},                // the operand is a whole number, halves to even
      {{{"1", "7"}, {"5", "2"}}, 4},                  // "/" rounds the quotient, halves to even
      {{{"1", "5"}, {"5", "2"}}, 2},
      {{{"1", "-7"}, {"6", "2"}}, -3},                // "\" truncates
      {{{"1", "7"}, {"5", "0"}}, 7},                  // a division by zero changes nothing
      {{{"1", "2"}, {"4", "99999"}}, 65534},          // the operand is held inside 16 bits
      {{{"1", "32767"}, {"4", "32767"}, {"4", "4"}}, -262140},  // 32-bit results wrap around
  };
  for (const Case& c : cases) {
    project_.pages.clear();
    for (auto [op, operand] : c.steps) {
      addPage("step", {"on"});
      setOperation(project_.pageCount(), 0, "1", op, operand);
    }
    newHost();
    host().clickThroughLoneButtons();
    run();
    EXPECT_EQ(score_, c.result) << c.steps.back().first << " " << c.steps.back().second;
  }
  // "=" compares numbers: "01" equals 1.
  project_.pages.clear();
  addPage("one", {"a", "b"});
  setOperation(1, 0, "1", "1", "1");
  setCondition(1, 0, "1", "01", "3");
  addPage("two");
  addPage("three");
  newHost();
  host().then(pressButton(0));
  run();
  EXPECT_EQ(host().pages(), (std::vector<int>{1, 3}));
}

}  // namespace
}  // namespace pryx::editor
