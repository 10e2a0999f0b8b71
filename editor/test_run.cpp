#include "editor/test_run.h"

#include "project/button_rules.h"

#include "platform/number_text.h"
#include "player/gamefile/variables.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace pryx::editor {
namespace {

using project::ButtonEvent;
using project::OperationTiming;
using project::RuleReader;

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
      constexpr unsigned char kFollowMask = 0xC0, kFollowByte = 0x80;  // the later bytes of a UTF-8 character
      while (at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & kFollowMask) == kFollowByte) {
        ++length;
      }
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
  variables_.assign(kVariableEntries, 0);
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
  for (const ButtonEvent& button : page->buttons) operate(button, OperationTiming::PageEntered);
  showMedia(*page);
  host_.startMessage();
  state_.setRunChoice(0);
  if (typeText(page->text) == PageEnd::Leave) return;
  state_.setRunChoice(0);

  std::size_t offered = project::buttonsInUse(*page).size();
  if (offered == 0) {
    state_.setRunState(0);  // the run ends with this page's text
    return;
  }
  if (offered == 1) {  // a click goes on, no button is shown
    if (awaitClick() == PageEnd::Leave) return;
    state_.setRunState(1);
    operate(page->buttons[0], OperationTiming::ButtonPressed);
    jump(page->buttons[0]);
    return;
  }
  awaitChoice(*page, offered);
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
    if (messageWait_ == 0 || state_.runChoice() > project::kButtonSlots) {  // a click shows the rest at once
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

void TestRun::awaitChoice(const project::Page& page, std::size_t offered) {
  std::array<std::string, project::kButtonSlots> captions;
  for (std::size_t slot = 0; slot < offered; ++slot) captions[slot] = page.buttons[slot].caption();
  host_.showButtons(captions);
  while (true) {
    if (stopped()) return;
    state_.setRunState(2);
    host_.showButtonWindow();
    if (state_.runChoice() >= 1 && state_.runChoice() <= project::kButtonSlots) break;
    host_.pumpEvents();
  }
  const ButtonEvent& chosen = page.buttons[static_cast<std::size_t>(state_.runChoice() - 1)];
  operate(chosen, OperationTiming::ButtonPressed);
  jump(chosen);
  host_.hideButtons();
  state_.setRunState(1);
}

// Operations and conditions take the numbers the game file carries and count as
// the player does, so that the test run predicts the game.
void TestRun::operate(const ButtonEvent& button, OperationTiming timing) {
  if (!project::operationRuns(button, timing, RuleReader::GameFile)) return;
  project::VariableOperation operation = project::buttonOperation(button);
  if (operation.variable < 0 || operation.variable >= kVariableEntries) return;
  std::int32_t& value = variables_[static_cast<std::size_t>(operation.variable)];
  auto draw = [this] { return std::uniform_real_distribution<double>(0.0, 1.0)(random_); };
  auto result = gamefile::applyOperation(value, platform::saturate<int>(operation.operatorCode),
                                         project::gameOperand(operation), draw);
  if (result) value = *result;
}

void TestRun::jump(const ButtonEvent& button) {
  project::ButtonCondition condition = project::buttonCondition(button);
  project::ConditionForm form = project::conditionForm(condition, RuleReader::GameFile);
  if (form != project::ConditionForm::None) {
    bool holds = comparisonHolds(condition.first);
    if (form == project::ConditionForm::TwoComparisons) {
      bool second = comparisonHolds(condition.second);
      holds = gamefile::combineConditions(platform::saturate<int>(condition.logic), holds, second);
    }
    // From the toolbar the author may take every branch, whatever the variables say.
    if (state_.toolbarStart() && host_.ask(conditionQuestion()) == Answer::Yes) holds = true;
    if (holds) {
      goTo(condition.target == 0 ? page_ + 1 : condition.target);
      return;
    }
  }
  // Past the last page the run ends, as a generated script ends the game.
  project::Jump next = project::buttonJump(button, page_, project_.pageCount(), RuleReader::Script);
  goTo(next.endsGame ? std::int64_t{project_.pageCount()} + 1 : next.page);
}

bool TestRun::comparisonHolds(const project::Comparison& comparison) const {
  if (comparison.variable < 0 || comparison.variable >= kVariableEntries) return false;
  return gamefile::compareVariable(variables_[static_cast<std::size_t>(comparison.variable)],
                                   platform::saturate<int>(comparison.comparison), project::gameValue(comparison));
}

void TestRun::goTo(std::int64_t page) {
  page_ = platform::saturate<int>(page);
  state_.setRunPage(page_);
}

}  // namespace pryx::editor
