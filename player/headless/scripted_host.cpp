#include "player/headless/scripted_host.h"

#include <algorithm>

namespace pryx::player::headless {

void ScriptedHost::at(std::int64_t moment, Action action) {
  auto later = std::upper_bound(timed_.begin(), timed_.end(), moment,
                                [](std::int64_t m, const TimedAction& timed) { return m < timed.moment; });
  timed_.insert(later, TimedAction{moment, std::move(action)});
}

PlayerHost ScriptedHost::host(Clock& clock, Sequencer& sequencer, DisplayFunctions& display) {
  return PlayerHost{*this, clock, *this, *this, *this, *this, sequencer, display};
}

bool ScriptedHost::deliverDue() {
  bool delivered = false;
  while (!timed_.empty() && timed_.front().moment <= clock_.milliseconds()) {
    Action action = std::move(timed_.front().action);
    timed_.erase(timed_.begin());
    if (input_) action(*input_);
    delivered = true;
  }
  return delivered;
}

bool ScriptedHost::deliverWaitAction() {
  if (!waitActive_ || waitActions_.empty()) return false;
  Action action = std::move(waitActions_.front());
  waitActions_.pop_front();
  if (input_) action(*input_);
  return true;
}

void ScriptedHost::endIfNothingCanCome() {
  if (!waitActive_ || !waitActions_.empty() || !timed_.empty() || endRequested_ || !input_) return;
  endRequested_ = true;
  input_->endRequested(EndReason::NoMoreInput);
}

void ScriptedHost::pumpEvents() {
  bool delivered = deliverDue();
  delivered = deliverWaitAction() || delivered;
  if (!delivered) endIfNothingCanCome();
}

void ScriptedHost::waitForEvents(int maxMilliseconds) {
  if (deliverDue() || deliverWaitAction()) return;
  if (!timed_.empty()) {
    clock_.advanceTo(std::min(timed_.front().moment, clock_.milliseconds() + maxMilliseconds));
    deliverDue();
    return;
  }
  if (waitActive_) {
    endIfNothingCanCome();
    return;
  }
  clock_.advance(maxMilliseconds);
}

void ScriptedHost::refresh(const Picture&) { ++refreshes_; }

MessageAnswer ScriptedHost::show(const MessageBoxRequest& request) {
  messages_.push_back(request);
  if (request.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  bool yes = answerYes_;
  if (!queuedAnswers_.empty()) {
    yes = queuedAnswers_.front();
    queuedAnswers_.pop_front();
  }
  if (request.buttons == MessageButtons::YesNo) return yes ? MessageAnswer::Yes : MessageAnswer::No;
  return yes ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void ScriptedHost::setLoadItemEnabled(int slot, bool enabled) {
  if (slot >= 1 && slot <= kMenuSaveSlots) loadItems_[static_cast<std::size_t>(slot)] = enabled;
}

void ScriptedHost::setCaption(int slot, const std::string& caption) {
  if (slot >= 0 && slot < kChoiceButtons) captions_[static_cast<std::size_t>(slot)] = caption;
}

void ScriptedHost::setVisible(int slot, bool visible) {
  if (slot >= 0 && slot < kChoiceButtons) visible_[static_cast<std::size_t>(slot)] = visible;
}

void ScriptedHost::waitStarted(std::int32_t, WaitKind kind) {
  waitActive_ = true;
  waitActions_.clear();
  ++waitsStarted_;
  if (responder_) responder_(kind);
}

void ScriptedHost::waitEnded() {
  waitActive_ = false;
  waitActions_.clear();
}

}  // namespace pryx::player::headless
