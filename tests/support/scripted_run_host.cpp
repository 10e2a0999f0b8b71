#include "tests/support/scripted_run_host.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pryx::testing {

void ScriptedRunHost::pumpEvents() {
  auto due = std::stable_partition(timed_.begin(), timed_.end(), [this](const Timed& t) { return t.moment > now_; });
  std::vector<Timed> given(std::make_move_iterator(due), std::make_move_iterator(timed_.end()));
  timed_.erase(due, timed_.end());
  for (Timed& t : given) t.input(state_);

  if (state_.runState() != 2) return;
  if (clickThrough_ && !buttonsShown_) {
    state_.setRunChoice(6);
  } else if (waitInputs_.empty()) {
    state_.setRunState(0);
  } else {
    Input input = std::move(waitInputs_.front());
    waitInputs_.pop_front();
    input(state_);
  }
}

void ScriptedRunHost::enterRunMode() {
  EXPECT_FALSE(inRunMode_) << "the run entered run mode twice";
  inRunMode_ = true;
  message_.clear();
}

void ScriptedRunHost::leaveRunMode(int page) {
  inRunMode_ = false;
  buttonsShown_ = false;
  leftAt_ = page;
}

void ScriptedRunHost::startMessage() {
  message_.clear();
  pages_.push_back(state_.runPage());
  if (onPage_) onPage_(state_.runPage());
}

void ScriptedRunHost::showButtons(const std::array<std::string, project::kButtonSlots>& captions) {
  buttonsShown_ = true;
  std::vector<std::string> shown;
  for (const std::string& caption : captions) {
    if (!caption.empty()) shown.push_back(caption);
  }
  offered_.push_back(std::move(shown));
}

editor::Answer ScriptedRunHost::ask(const project::Message& question) {
  questions_.push_back(question);
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected question: " << question.text;
    return editor::Answer::No;
  }
  editor::Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

ScriptedRunHost::Input clickStage() {
  return [](editor::EditorState& state) { state.setRunChoice(6); };
}

ScriptedRunHost::Input doubleClickMessage() {
  return [](editor::EditorState& state) {
    state.setRunChoice(7);
    state.setRunState(1);
  };
}

ScriptedRunHost::Input pressButton(int slot) {
  return [slot](editor::EditorState& state) { state.setRunChoice(slot + 1); };
}

ScriptedRunHost::Input stopRun() {
  return [](editor::EditorState& state) { state.setRunState(0); };
}

ScriptedRunHost::Input closeFrame() {
  return [](editor::EditorState& state) { state.setRunStopRequest(2); };
}

}  // namespace pryx::testing
