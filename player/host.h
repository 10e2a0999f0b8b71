#pragma once
// What the player engine needs from the program around it: a window, its menus and
// buttons, message boxes, a clock, the MIDI sequencer and the display library. Each
// interface has one purpose; the window program implements them with Qt, the
// headless host with a virtual clock and scripted input.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/zorvex.h"
#include "player/screen/picture.h"
#include "player/sequencer.h"

namespace pryx::player {

// Events are delivered only while the engine pumps them: the engine runs on the
// window's thread and every handler (clicks, menus, keys) runs nested inside a pump.
class EventPump {
 public:
  virtual ~EventPump() = default;
  // Delivers the events that are pending and returns at once.
  virtual void pumpEvents() = 0;
  // Delivers events, blocking until at least one came or `maxMilliseconds` passed.
  virtual void waitForEvents(int maxMilliseconds) = 0;
  // Sleeps without delivering events.
  virtual void sleep(int milliseconds) = 0;
};

// Milliseconds since some fixed moment (the player's GetTickCount).
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t milliseconds() const = 0;
};

// What screen readers are told of the picture beyond its message: the message, then
// each choice offered on a line of its own.
inline std::string messageWithChoices(const std::string& message, const std::vector<std::string>& choices) {
  std::string description = message;
  for (const std::string& choice : choices) {
    if (!choice.empty()) description += "\n" + choice;
  }
  return description;
}

// A novel-mode choice line as the picture shows it: for screen readers.
struct ChoiceLine {
  int slot = 0;  // 0..4
  std::string caption;
  int top = 0;  // in the picture's pixels
  int height = 0;
};

// The player's window.
class PlayerWindow {
 public:
  virtual ~PlayerWindow() = default;
  // Shows the 640 × 480 picture the engine draws on.
  virtual void refresh(const Picture& picture) = 0;
  virtual void setCaption(const std::string& caption) = 0;  // UTF-8
  // Novel mode: the window loses its frame and its menu bar is hidden; the bar
  // comes back while the pointer touches the top edge, except while typing.
  virtual void enterNovelMode() = 0;
  // On while a novel-mode message is typed.
  virtual void setTyping(bool typing) = 0;
  // The handle the display library's FullScreenMode takes.
  virtual void* nativeHandle() = 0;
  // For screen readers: the message shown and the choices offered after it (none
  // while it is typed).
  virtual void describe(const std::string& /*message*/, const std::vector<std::string>& /*choices*/) {}
  // Novel mode: the choice lines on the picture and the one highlighted (-1: none);
  // no lines once the choice is made.
  virtual void showChoiceLines(const std::vector<ChoiceLine>& /*lines*/, int /*highlighted*/) {}
};

enum class MessageIcon { None, Critical, Question, Information };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageBoxRequest {
  std::string text;  // UTF-8, as every text of the engine
  std::string title;
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
  MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

// Modal message boxes and questions.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer show(const MessageBoxRequest& request) = 0;
};

// The message speed items of the speed menu, by the number the engine gives them.
enum class Speed { NoWait = 1, Quick = 2, Normal = 3, Slow = 4 };

inline constexpr int kMenuSaveSlots = 5;

// The player's switches for a game, kept with its read marks; all off at first.
struct PlayerSwitches {
  bool autoMode = false;   // continue after each message by itself
  bool readAloud = false;  // speak messages and choices

  bool operator==(const PlayerSwitches&) const = default;
};

// The state of the window's menus.
class PlayerMenus {
 public:
  virtual ~PlayerMenus() = default;
  // Save, load and speed menus: enabled only while a choice is awaited.
  virtual void setChoiceMenusEnabled(bool enabled) = 0;
  // Load item `slot` (1..5): enabled when the slot's save file exists.
  virtual void setLoadItemEnabled(int slot, bool enabled) = 0;
  // Exactly one speed item carries the check mark.
  virtual void setSpeedChecked(Speed speed) = 0;
  // The check marks of the switches that the player adds to the defined menus.
  virtual void setSwitchesChecked(const PlayerSwitches& /*switches*/, bool /*skipping*/) {}
};

inline constexpr int kChoiceButtons = 5;

// The five push buttons of normal mode that offer a page's choices.
class ChoiceButtons {
 public:
  virtual ~ChoiceButtons() = default;
  virtual void setCaption(int slot, const std::string& caption) = 0;
  virtual void setVisible(int slot, bool visible) = 0;
};

// The display library's four functions, as the window program binds them from
// libZORVEX.so / ZORVEX.dll (platform/zorvex/display_library.h).
class DisplayFunctions {
 public:
  virtual ~DisplayFunctions() = default;
  virtual void DispChange(std::int32_t mode) = 0;
  virtual void FullScreenMode(void* window) = 0;
  virtual void ABox(ZorvexSurface& surface, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                    std::int32_t width, std::int32_t height, std::int32_t colour, std::int32_t strength) = 0;
  virtual void Blend(ZorvexSurface& destination, std::int32_t destinationWidth, std::int32_t destinationHeight,
                     const ZorvexSurface& source, std::int32_t sourceX, std::int32_t sourceY,
                     std::int32_t sourceWidth, std::int32_t sourceHeight) = 0;
};

// Everything the engine talks through, handed over at its construction.
struct PlayerHost {
  EventPump& events;
  Clock& clock;
  PlayerWindow& window;
  MessageBoxes& messages;
  PlayerMenus& menus;
  ChoiceButtons& buttons;
  Sequencer& sequencer;
  DisplayFunctions& display;
};

}  // namespace pryx::player
