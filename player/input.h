#pragma once
// The window's events as the engine takes them. The host calls these only from
// inside EventPump::pumpEvents or waitForEvents, on the engine's thread.

#include "player/host.h"
#include "player/observer.h"

namespace pryx::player {

// Keys by their Windows virtual-key codes, whatever the host calls them.
inline constexpr int kEscapeKey = 27;
inline constexpr int kEnterKey = 13;
inline constexpr int kSpaceKey = 32;
inline constexpr int kUpKey = 38;
inline constexpr int kRightKey = 39;
inline constexpr int kDownKey = 40;
inline constexpr int kDigitOneKey = 49;  // 1 to 5: 49 to 53

class PlayerInput {
 public:
  virtual ~PlayerInput() = default;
  virtual void windowClicked() = 0;
  virtual void buttonClicked(int slot) = 0;  // 0..4
  virtual void pointerMoved(int x, int y) = 0;
  // Esc closes the window, after asking; Enter, Space and Right continue where a
  // click does; 1 to 5 take choice 1 to 5; Up and Down move over novel-mode choices.
  virtual void keyPressed(int key) = 0;
  virtual void saveChosen(int slot) = 0;  // menu item save(1..5)
  virtual void loadChosen(int slot) = 0;  // menu item load(1..5)
  virtual void speedChosen(Speed speed) = 0;
  virtual void endChosen() = 0;  // menu item file_end: asks, then ends
  // The close box: asks, then ends. Returns whether the run is ending; the window
  // stays open until the engine has unwound.
  virtual bool closeRequested() = 0;
  // Ends the run without asking, at the engine's next step.
  virtual void endRequested(EndReason reason) = 0;

  // Skip while the skip key is held, or from the menu until it stops by itself.
  virtual void skipHeld(bool held) = 0;
  virtual void skipToggled() = 0;
  virtual void autoToggled() = 0;
  virtual void readAloudToggled() = 0;
  // While the message history is shown the game waits, also in auto and skip.
  virtual void historyShown(bool shown) = 0;
};

}  // namespace pryx::player
