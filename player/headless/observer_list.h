#pragma once
// Hands every event of a run to several observers in turn.

#include <initializer_list>
#include <vector>

#include "player/observer.h"

namespace pryx::player::headless {

class ObserverList final : public PlayObserver {
 public:
  ObserverList() = default;
  ObserverList(std::initializer_list<PlayObserver*> observers) : observers_(observers) {}
  void add(PlayObserver& observer) { observers_.push_back(&observer); }

  void label(std::int32_t pc, int label) override { each(&PlayObserver::label, pc, label); }
  void cg(std::int32_t pc, int cg) override { each(&PlayObserver::cg, pc, cg); }
  void chr(std::int32_t pc, int chr) override { each(&PlayObserver::chr, pc, chr); }
  void bgm(std::int32_t pc, int bgm) override { each(&PlayObserver::bgm, pc, bgm); }
  void text(std::int32_t pc, int message, const std::string& text) override {
    each(&PlayObserver::text, pc, message, text);
  }
  void choices(std::int32_t pc, const std::vector<std::string>& captions) override { each(&PlayObserver::choices, pc, captions); }
  void choose(std::int32_t pc, int slot) override { each(&PlayObserver::choose, pc, slot); }
  void variable(std::int32_t pc, int variable, std::int32_t value) override {
    each(&PlayObserver::variable, pc, variable, value);
  }
  void save(std::int32_t pc, int slot, bool done) override { each(&PlayObserver::save, pc, slot, done); }
  void load(std::int32_t pc, int slot, bool done) override { each(&PlayObserver::load, pc, slot, done); }
  void waitStarted(std::int32_t pc, WaitKind kind) override { each(&PlayObserver::waitStarted, pc, kind); }
  void waitEnded() override { each(&PlayObserver::waitEnded); }
  void ended(std::int32_t pc, EndReason reason, const std::string& message) override {
    each(&PlayObserver::ended, pc, reason, message);
  }

 private:
  template <typename Method, typename... Arguments>
  void each(Method method, const Arguments&... arguments) {
    for (PlayObserver* observer : observers_) (observer->*method)(arguments...);
  }

  std::vector<PlayObserver*> observers_;
};

}  // namespace pryx::player::headless
