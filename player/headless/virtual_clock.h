#pragma once
// A clock that moves only when told: sleeping and waiting advance it, so a run
// takes the same course every time.

#include <cstdint>

#include "player/host.h"

namespace pryx::player::headless {

class VirtualClock final : public Clock {
 public:
  std::int64_t milliseconds() const override { return now_; }
  void advance(std::int64_t milliseconds) { now_ += milliseconds > 0 ? milliseconds : 0; }
  void advanceTo(std::int64_t moment) { now_ = moment > now_ ? moment : now_; }

 private:
  std::int64_t now_ = 0;
};

}  // namespace pryx::player::headless
