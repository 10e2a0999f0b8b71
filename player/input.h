#pragma once
// The window's events as the engine takes them. The host calls these only from
// inside EventPump::pumpEvents or waitForEvents, on the engine's thread.

#include "player/host.h"
#include "player/observer.h"

namespace pryx::player {

inline constexpr int kEscapeKey = 27;

class PlayerInput {
 public:
  virtual ~PlayerInput() = default;
  virtual void windowClicked() = 0;
  virtual void buttonClicked(int slot) = 0;  // 0..4
  virtual void pointerMoved(int x, int y) = 0;
  virtual void keyPressed(int key) = 0;  // Esc closes the window, after asking
  virtual void saveChosen(int slot) = 0;  // menu item save(1..5)
  virtual void loadChosen(int slot) = 0;  // menu item load(1..5)
  virtual void speedChosen(Speed speed) = 0;
  virtual void endChosen() = 0;  // menu item file_end: asks, then ends
  // The close box: asks, then ends. Returns whether the run is ending; the window
  // stays open until the engine has unwound.
  virtual bool closeRequested() = 0;
  // Ends the run without asking, at the engine's next step.
  virtual void endRequested(EndReason reason) = 0;
};

}  // namespace pryx::player
