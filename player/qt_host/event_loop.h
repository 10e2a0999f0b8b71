#pragma once
// The engine's waits on Qt's event loop, and its clock.

#include <QElapsedTimer>
#include <QTimer>

#include "player/host.h"

namespace pryx::player {

class QtEventPump final : public EventPump {
 public:
  QtEventPump();

  void pumpEvents() override;
  void waitForEvents(int maxMilliseconds) override;
  // Keeps the window painted while sleeping; clicks, keys and menus wait for the
  // next pump, as the engine expects.
  void sleep(int milliseconds) override;

 private:
  QTimer wakeUp_;
};

class ElapsedClock final : public Clock {
 public:
  ElapsedClock() { elapsed_.start(); }
  std::int64_t milliseconds() const override { return elapsed_.elapsed(); }

 private:
  QElapsedTimer elapsed_;
};

}  // namespace pryx::player
