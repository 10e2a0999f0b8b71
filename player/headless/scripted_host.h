#pragma once
// A deterministic host for the engine: no window, a virtual clock that advances on
// sleeps and waits, and input that a test or a route gives in advance — at moments
// of the clock, or for each wait as it starts. A wait that has no input left to
// come ends the run ("no-more-input") instead of hanging.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "player/headless/virtual_clock.h"
#include "player/host.h"
#include "player/input.h"
#include "player/observer.h"

namespace pryx::player::headless {

class ScriptedHost final : public EventPump,
                           public PlayerWindow,
                           public MessageBoxes,
                           public PlayerMenus,
                           public ChoiceButtons,
                           public PlayObserver {
 public:
  using Action = std::function<void(PlayerInput&)>;
  using WaitResponder = std::function<void(WaitKind)>;

  explicit ScriptedHost(VirtualClock& clock) : clock_(clock) {}

  void attach(PlayerInput& input) { input_ = &input; }

  // Input at a moment of the clock, delivered at the first pump from then on.
  void at(std::int64_t moment, Action action);
  // Called when a wait starts; it may queue input for that wait with duringWait.
  void onWait(WaitResponder responder) { responder_ = std::move(responder); }
  // Input for the wait under way, one action per pump; what is left when the wait
  // ends is dropped.
  void duringWait(Action action) { waitActions_.push_back(std::move(action)); }

  // Questions are answered from the queue first, then by the standing answer.
  void answerQuestions(bool yes) { answerYes_ = yes; }
  void queueAnswer(bool yes) { queuedAnswers_.push_back(yes); }

  // What the engine showed and set.
  const std::vector<MessageBoxRequest>& messages() const { return messages_; }
  int refreshes() const { return refreshes_; }
  const std::string& caption() const { return caption_; }
  bool novelMode() const { return novelMode_; }
  bool typing() const { return typing_; }
  bool choiceMenusEnabled() const { return choiceMenusEnabled_; }
  bool loadItemEnabled(int slot) const { return loadItems_.at(static_cast<std::size_t>(slot)); }
  Speed speedChecked() const { return speed_; }
  const std::string& buttonCaption(int slot) const { return captions_.at(static_cast<std::size_t>(slot)); }
  bool buttonVisible(int slot) const { return visible_.at(static_cast<std::size_t>(slot)); }
  int waitsStarted() const { return waitsStarted_; }

  PlayerHost host(Clock& clock, Sequencer& sequencer, DisplayFunctions& display);

  void pumpEvents() override;
  void waitForEvents(int maxMilliseconds) override;
  void sleep(int milliseconds) override { clock_.advance(milliseconds); }

  void refresh(const Picture& picture) override;
  void setCaption(const std::string& caption) override { caption_ = caption; }
  void enterNovelMode() override { novelMode_ = true; }
  void setTyping(bool typing) override { typing_ = typing; }
  void* nativeHandle() override { return this; }

  MessageAnswer show(const MessageBoxRequest& request) override;

  void setChoiceMenusEnabled(bool enabled) override { choiceMenusEnabled_ = enabled; }
  void setLoadItemEnabled(int slot, bool enabled) override;
  void setSpeedChecked(Speed speed) override { speed_ = speed; }

  void setCaption(int slot, const std::string& caption) override;
  void setVisible(int slot, bool visible) override;

  void waitStarted(std::int32_t pc, WaitKind kind) override;
  void waitEnded() override;

 private:
  struct TimedAction {
    std::int64_t moment;
    Action action;
  };

  bool deliverDue();
  bool deliverWaitAction();
  void endIfNothingCanCome();

  VirtualClock& clock_;
  PlayerInput* input_ = nullptr;
  std::vector<TimedAction> timed_;  // by moment, in the order given
  std::deque<Action> waitActions_;
  WaitResponder responder_;
  bool waitActive_ = false;
  bool endRequested_ = false;
  int waitsStarted_ = 0;

  bool answerYes_ = true;
  std::deque<bool> queuedAnswers_;
  std::vector<MessageBoxRequest> messages_;

  int refreshes_ = 0;
  std::string caption_;
  bool novelMode_ = false;
  bool typing_ = false;
  bool choiceMenusEnabled_ = false;
  std::array<bool, kMenuSaveSlots + 1> loadItems_{};
  Speed speed_ = Speed::Normal;
  std::array<std::string, kChoiceButtons> captions_;
  std::array<bool, kChoiceButtons> visible_{};
};

}  // namespace pryx::player::headless
