// What the player offers beyond the mouse: the message history, read marks with
// skip, auto, reading aloud and the keys for choices. With every switch off and no
// key pressed none of it changes what a game does.

#include <algorithm>

#include "player/player.h"

namespace pryx::player {
namespace {

// Auto continues this long after a page is typed, and longer the more it holds.
constexpr std::int64_t kAutoPause = 1000;
constexpr std::int64_t kAutoPausePerCharacter = 60;

}  // namespace

void Player::messageStarted(int number, const std::string& message) {
  currentMessage_ = message;
  currentMessageNumber_ = number;
  currentMessageRead_ = marks_.isRead(number);
  charactersOnPage_ = 0;
  history_.addMessage(message);
  host_.window.describe(message, {});
  if (readingAloud()) {
    speech_->stop();
    speech_->say(message);
  }
  if (!currentMessageRead_) stopSkip();
}

void Player::messageTyped() {
  if (currentMessageRead_) return;
  marks_.markRead(currentMessageNumber_);
  marksChanged_ = true;
}

void Player::pageWaitStarted(WaitKind kind) {
  startWait(kind);
  autoDue_ = host_.clock.milliseconds() + kAutoPause + kAutoPausePerCharacter * charactersOnPage_;
}

void Player::pageWaitEnded() {
  endWait();
  charactersOnPage_ = 0;
}

// A page prompt, a full novel page or a one-button page continues without a click
// while skipping, or in auto once its pause has passed and nothing is being read aloud.
bool Player::continuesByItself() const {
  if (historyShown_) return false;
  if (skipsNow()) return true;
  return marks_.switches.autoMode && host_.clock.milliseconds() >= autoDue_ && !(readingAloud() && speech_->speaking());
}

void Player::stopSkip() {
  if (!skipping()) return;
  skipOn_ = false;
  if (skipHeld_) skipStopped_ = true;
  announceSwitches();
}

void Player::choiceOffered(const std::vector<std::string>& captions) {
  choiceWaiting_ = true;
  choiceIsList_ = !captions.empty();
  if (marksChanged_) keepReadMarks();
  if (!choiceIsList_) return;  // one-button pages are skipped over
  stopSkip();
  host_.window.describe(currentMessage_, captions);
  if (readingAloud()) {
    for (const std::string& caption : captions) {
      if (!caption.empty()) speech_->say(caption);
    }
  }
}

// Continuing interrupts what is being read aloud.
void Player::choiceEnded(int chosen, const std::string& caption) {
  choiceWaiting_ = false;
  keyHighlight_ = -1;
  if (readingAloud()) speech_->stop();
  if (chosen >= 0 && choiceIsList_) history_.addChoice(caption);
}

void Player::chooseByKey(int slot) {
  if (!choiceWaiting_ || state_.captions[static_cast<std::size_t>(slot)].empty()) return;
  // A page with one button waits for a click anywhere.
  state_.clickState = choiceIsList_ ? slot + 2 : 1;
}

// Up and Down go round the novel-mode choice lines, from the one highlighted.
void Player::moveKeyHighlight(int direction) {
  if (!choiceWaiting_ || !choiceIsList_ || !state_.novelMode()) return;
  int slot = keyHighlight_;
  if (slot < 0) {
    const int pointed = state_.mouseY / kNovelLineHeight - state_.novelTextEndRow;
    slot = state_.mouseY >= 0 && pointed >= 0 && pointed < kChoiceButtons ? pointed : (direction > 0 ? -1 : kChoiceButtons);
  }
  for (int step = 0; step < kChoiceButtons; ++step) {
    slot = ((slot + direction) % kChoiceButtons + kChoiceButtons) % kChoiceButtons;
    if (!state_.captions[static_cast<std::size_t>(slot)].empty()) {
      keyHighlight_ = slot;
      return;
    }
  }
}

void Player::describeChoiceLines(int highlighted) {
  std::vector<ChoiceLine> lines;
  for (int slot = 0; slot < kChoiceButtons; ++slot) {
    const std::string& caption = state_.captions[static_cast<std::size_t>(slot)];
    if (caption.empty()) continue;
    lines.push_back({slot, caption, (slot + state_.novelTextEndRow) * kNovelLineHeight, kNovelLineHeight});
  }
  host_.window.showChoiceLines(lines, highlighted);
}

void Player::keepReadMarks() {
  marksChanged_ = false;
  if (marksStore_) marksStore_->keep(marks_);
}

void Player::announceSwitches() { host_.menus.setSwitchesChecked(marks_.switches, skipping()); }

void Player::skipHeld(bool held) {
  skipHeld_ = held;
  if (!held) skipStopped_ = false;
  announceSwitches();
}

void Player::skipToggled() {
  skipOn_ = !skipOn_;
  announceSwitches();
}

void Player::autoToggled() {
  marks_.switches.autoMode = !marks_.switches.autoMode;
  autoDue_ = host_.clock.milliseconds() + kAutoPause;
  keepReadMarks();
  announceSwitches();
}

void Player::readAloudToggled() {
  marks_.switches.readAloud = !marks_.switches.readAloud;
  if (speech_ && !marks_.switches.readAloud) speech_->stop();
  keepReadMarks();
  announceSwitches();
}

void Player::historyShown(bool shown) {
  historyShown_ = shown;
  // The pause of auto starts again when the game comes back.
  if (!shown) autoDue_ = std::max(autoDue_, host_.clock.milliseconds() + kAutoPause);
}

}  // namespace pryx::player
