#include "editor/test_run.h"

#include "editor/run_values.h"

#include "platform/number_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace pryx::editor {
namespace {

using project::ButtonEvent;
using F = project::ButtonField;

project::Message startQuestion() {
  return {"現在選択されているページから実行を行いますか？", "確認", project::MessageIcon::Question,
          project::MessageButtons::YesNo, true};
}

project::Message conditionQuestion() {
  return {"条件分岐が存在します。\r\n無条件に、結果を\"真\"として実行しますか？", "確認",
          project::MessageIcon::Question, project::MessageButtons::YesNo, false};
}

// The text cut into what is typed at one go: one character each, a line break whole.
std::vector<std::string_view> typedPieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t length = 1;
    if (text.compare(at, 2, "\r\n") == 0) {
      length = 2;
    } else {
      while (at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) ++length;
    }
    pieces.push_back(text.substr(at, length));
    at += length;
  }
  return pieces;
}

std::string filePathOf(const project::NumberedList<project::Resource>& list, std::int64_t reference,
                       const std::string& projectPath) {
  const project::Resource* resource = list.find(reference);
  return resource ? project::resourceFilePath(projectPath, resource->path) : std::string();
}

}  // namespace

TestRun::TestRun(const project::Project& project, std::string projectPath, EditorState& state, TestRunHost& host)
    : project_(project), projectPath_(std::move(projectPath)), state_(state), host_(host) {}

void TestRun::run() {
  start();
  while (true) {
    if (state_.runStopRequest() != 0) {  // the frame is closing: nothing is restored
      state_.setToolbarStart(false);
      return;
    }
    host_.pumpEvents();
    if (page_ > project_.pageCount() || state_.runState() == 0) break;
    playPage();
    state_.setRunChoice(0);
    if (page_ < 1) state_.setRunState(0);
  }
  finish();
}

void TestRun::start() {
  variables_.assign(kVariableEntries, "0");
  random_.seed(static_cast<std::uint32_t>(host_.milliseconds()));
  int startPage = host_.selectedPage();
  host_.enterRunMode();
  state_.setRunState(1);
  state_.setRunStopRequest(0);
  goTo(1);
  messageWait_ = platform::leadingWholeNumber(project_.option(project::ProjectOption::MessageWait));
  host_.playMusic({});
  lastMusic_.reset();
  lastBackground_.reset();
  state_.setRunChoice(0);
  if (state_.toolbarStart() && host_.ask(startQuestion()) == Answer::Yes) goTo(startPage);
}

void TestRun::finish() {
  state_.setRunStopRequest(1);
  host_.leaveRunMode(currentPage() ? page_ : 0);
  state_.setRunState(0);
  state_.setToolbarStart(false);
}

void TestRun::playPage() {
  const project::Page* page = currentPage();
  if (!page) return;
  for (int slot = 0; slot < project::kButtonSlots; ++slot) operate(slot, 1);
  showMedia(*page);
  host_.startMessage();
  state_.setRunChoice(0);
  if (typeText(page->text) == PageEnd::Leave) return;
  state_.setRunChoice(0);

  if (!page->buttons[0].inUse()) {
    state_.setRunState(0);  // the run ends with this page's text
    return;
  }
  if (!page->buttons[1].inUse()) {  // one button: a click goes on, no button is shown
    if (awaitClick() == PageEnd::Leave) return;
    state_.setRunState(1);
    operate(0, 0);
    jump(0);
    return;
  }
  awaitChoice(*page);
}

void TestRun::showMedia(const project::Page& page) {
  std::int64_t music = page.music.value();
  if (lastMusic_ != music) {
    host_.playMusic(filePathOf(project_.bgms, music, projectPath_));  // no file stops the music
    lastMusic_ = music;
  }
  std::int64_t background = page.backgroundCg.value();
  if (lastBackground_ != background) {
    host_.showBackground(filePathOf(project_.cgs, background, projectPath_));
    lastBackground_ = background;
  }
}

TestRun::PageEnd TestRun::typeText(const std::string& text) {
  for (std::string_view piece : typedPieces(text)) {
    host_.pumpEvents();
    if (stopped()) return PageEnd::Leave;
    if (messageWait_ == 0 || state_.runChoice() > 5) {  // a click shows the rest at once
      host_.setMessage(text);
      break;
    }
    host_.appendMessage(piece);
    host_.sleep(static_cast<int>(std::clamp<std::int64_t>(messageWait_, 0, INT32_MAX)));
  }
  return PageEnd::Next;
}

TestRun::PageEnd TestRun::awaitClick() {
  state_.setRunState(2);
  while (state_.runChoice() != 6 && state_.runChoice() != 7) {
    if (stopped()) return PageEnd::Leave;
    host_.pumpEvents();
  }
  return PageEnd::Next;
}

void TestRun::awaitChoice(const project::Page& page) {
  std::array<std::string, project::kButtonSlots> captions;
  for (int slot = 0; slot < project::kButtonSlots; ++slot) {
    captions[static_cast<std::size_t>(slot)] = page.buttons[static_cast<std::size_t>(slot)].caption();
  }
  host_.showButtons(captions);
  while (true) {
    if (stopped()) return;
    state_.setRunState(2);
    host_.showButtonWindow();
    if (state_.runChoice() >= 1 && state_.runChoice() <= project::kButtonSlots) break;
    host_.pumpEvents();
  }
  int slot = state_.runChoice() - 1;
  operate(slot, 0);
  jump(slot);
  host_.hideButtons();
  state_.setRunState(1);
}

void TestRun::operate(int slot, std::int64_t timing) {
  const project::Page* page = currentPage();
  if (!page) return;
  const ButtonEvent& button = page->buttons[static_cast<std::size_t>(slot)];
  if (button.number(F::OperationTiming) != timing) return;
  std::int64_t variable = button.number(F::OperationVariable);
  if (variable < 0 || variable >= kVariableEntries) return;
  std::string& value = variables_[static_cast<std::size_t>(variable)];
  auto draw = [this] { return std::uniform_real_distribution<double>(0.0, 1.0)(random_); };
  if (auto result = operateOnText(value, button.number(F::OperationOperator), button[F::OperationValue], draw)) {
    value = std::move(*result);
  }
}

void TestRun::jump(int slot) {
  const ButtonEvent& button = currentPage()->buttons[static_cast<std::size_t>(slot)];
  if (button.number(F::ConditionVariable1) == 0 || button.number(F::Comparison1) == 0) {
    goTo(button.number(F::JumpTarget));
    return;
  }
  bool holds = conditionHolds(button, F::ConditionVariable1, F::Comparison1, F::ConditionValue1);
  std::int64_t logic = button.number(F::Logic);
  if (logic != 0 && button.number(F::ConditionVariable2) != 0 && button.number(F::Comparison2) != 0) {
    holds = combineTextConditions(logic, holds,
                                  conditionHolds(button, F::ConditionVariable2, F::Comparison2, F::ConditionValue2));
  }
  // From the toolbar the author may take every branch, whatever the variables say.
  if (state_.toolbarStart() && host_.ask(conditionQuestion()) == Answer::Yes) holds = true;
  goTo(button.number(holds ? F::ConditionTarget : F::JumpTarget));
}

bool TestRun::conditionHolds(const ButtonEvent& button, F variable, F comparison, F value) const {
  std::int64_t number = button.number(variable);
  if (number < 0 || number >= kVariableEntries) return false;
  return textConditionHolds(variables_[static_cast<std::size_t>(number)], button.number(comparison), button[value]);
}

// Target 0 is the next page.
void TestRun::goTo(std::int64_t target) {
  page_ = target == 0 ? page_ + 1 : platform::saturate<int>(target);
  state_.setRunPage(page_);
}

}  // namespace pryx::editor
