// Pumping the window's events inside the waits, the handlers they run, and the end
// of a run.

#include <algorithm>

#include "player/messages.h"
#include "player/player.h"
#include "player/speed.h"

namespace pryx::player {
namespace {

// How long an idle wait blocks at most when no timer is due sooner.
constexpr int kIdleWait = 100;

}  // namespace

void Player::pump() {
  host_.events.pumpEvents();
  afterEvents();
}

void Player::idle() {
  int timeout = kIdleWait;
  if (musicTimerOn_) {
    auto untilTick = nextMusicTick_ - host_.clock.milliseconds();
    timeout = static_cast<int>(std::clamp<std::int64_t>(untilTick, 0, kIdleWait));
  }
  host_.events.waitForEvents(timeout);
  afterEvents();
}

// Runs what the events asked for once the host's pump has returned: an end is
// unwound from here, never from inside the host's event handling.
void Player::afterEvents() {
  if (endPending_) endRun(*endPending_);
  if (!musicTimerOn_) return;
  auto now = host_.clock.milliseconds();
  if (now < nextMusicTick_) return;
  bgmchecker();
  nextMusicTick_ += kMusicTimerInterval * ((now - nextMusicTick_) / kMusicTimerInterval + 1);
}

void Player::pause(int milliseconds) { host_.events.sleep(std::max(milliseconds, 0)); }

void Player::refresh() { host_.window.refresh(screen_.picture()); }

MessageAnswer Player::ask(const std::string& message, const std::string& title, MessageIcon icon, MessageButtons buttons) {
  MessageBoxRequest request;
  request.text = message;
  request.title = title.empty() ? location_.name : title;
  request.icon = icon;
  request.buttons = buttons;
  // Questions put the negative answer on the default button.
  request.defaultAnswer = buttons == MessageButtons::YesNo      ? MessageAnswer::No
                          : buttons == MessageButtons::OkCancel ? MessageAnswer::Cancel
                                                                : MessageAnswer::Ok;
  return host_.messages.show(request);
}

void Player::endRun(EndReason reason, const std::string& message) { throw RunEnd{reason, message}; }

void Player::endWithMessage(EndReason reason, const std::string& message, MessageIcon icon,
                            const std::string& title) {
  ask(message, title, icon, MessageButtons::Ok);
  endRun(reason, message);
}

void Player::endWithCodeError() {
  endWithMessage(EndReason::Error, text::kCodeError, MessageIcon::Critical, {});
}

void Player::startWait(WaitKind kind) {
  waiting_ = true;
  observer_.waitStarted(static_cast<std::int32_t>(state_.programCounter), kind);
}

void Player::endWait() {
  waiting_ = false;
  observer_.waitEnded();
}

void Player::wtchecker(std::optional<Speed> speed) {
  state_.speed = speed.value_or(state_.speed);
  state_.messageWait = messageWaitFor(state_.speed, state_.baseWait);
  host_.menus.setSpeedChecked(state_.speed);
}

void Player::MenuONorOFF(bool enabled) {
  choiceMenusEnabled_ = enabled;
  host_.menus.setChoiceMenusEnabled(enabled);
}

void Player::enableLoadItem(int slot, bool enabled) {
  loadItemEnabled_[static_cast<std::size_t>(slot)] = enabled;
  host_.menus.setLoadItemEnabled(slot, enabled);
}

void Player::windowClicked() { state_.clickState = 1; }

void Player::buttonClicked(int slot) {
  if (slot >= 0 && slot < kChoiceButtons) state_.clickState = slot + 2;
}

void Player::pointerMoved(int x, int y) {
  if (!state_.novelMode() || state_.typing) return;
  if (x != state_.mouseX || y != state_.mouseY) keyHighlight_ = -1;
  state_.mouseX = x;
  state_.mouseY = y;
}

void Player::keyPressed(int key) {
  if (key == kEscapeKey) {
    closeRequested();
  } else if (key == kEnterKey || key == kSpaceKey || key == kRightKey) {
    windowClicked();
  } else if (key >= kDigitOneKey && key < kDigitOneKey + kChoiceButtons) {
    chooseByKey(key - kDigitOneKey);
  } else if (key == kUpKey || key == kDownKey) {
    moveKeyHighlight(key == kUpKey ? -1 : 1);
  }
}

// The menus that could disturb the program counter work only while a choice is
// awaited, whatever the window shows.
void Player::saveChosen(int slot) {
  if (!choiceMenusEnabled_ || slot < 1 || slot > kMenuSaveSlots) return;
  state_.scriptSave = false;
  save(slot);
}

void Player::loadChosen(int slot) {
  if (!choiceMenusEnabled_ || slot < 1 || slot > kMenuSaveSlots) return;
  if (!loadItemEnabled_[static_cast<std::size_t>(slot)]) return;
  state_.scriptSave = false;
  load(slot);
}

void Player::speedChosen(Speed speed) {
  if (choiceMenusEnabled_) wtchecker(speed);
}

void Player::endChosen() {
  if (ask(text::kEndQuestion, text::kEndConfirmTitle, MessageIcon::Question, MessageButtons::YesNo) ==
      MessageAnswer::Yes) {
    endPending_ = EndReason::Closed;
  }
}

bool Player::closeRequested() {
  if (ask(text::kCloseQuestion, text::kConfirmTitle, MessageIcon::Question, MessageButtons::OkCancel) ==
      MessageAnswer::Ok) {
    endPending_ = EndReason::Closed;
  }
  return endPending_.has_value();
}

void Player::endRequested(EndReason reason) { endPending_ = reason; }

}  // namespace pryx::player
