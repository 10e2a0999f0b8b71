#include "player/web/web_host.h"

#include <emscripten.h>

#include "platform/json_text.h"

// Every call goes to the page's host object (host.js). The async ones suspend the
// engine until the page's promise settles.

// clang-format off
// The page draws when it next shows a frame, taking the pixels as they are then
// (the memory may have grown meanwhile, so the view is made at that moment);
// `now` draws at once.
EM_JS(void, pryx_paint, (const void* pixels, int width, int height, int now), {
  Module.pryxHost.paint(() => HEAPU8.subarray(pixels, pixels + width * height * 4), width, height, !!now);
});
EM_JS(void, pryx_caption, (const char* caption), { Module.pryxHost.setTitle(UTF8ToString(caption)); });
EM_JS(void, pryx_novel_mode, (), { Module.pryxHost.enterNovelMode(); });
EM_JS(void, pryx_typing, (int typing), { Module.pryxHost.setTyping(!!typing); });
EM_JS(void, pryx_choice_menus, (int enabled), { Module.pryxHost.setChoiceMenusEnabled(!!enabled); });
EM_JS(void, pryx_load_item, (int slot, int enabled), { Module.pryxHost.setLoadItemEnabled(slot, !!enabled); });
EM_JS(void, pryx_speed_checked, (int speed), { Module.pryxHost.setSpeedChecked(speed); });
EM_JS(void, pryx_button_caption, (int slot, const char* caption), {
  Module.pryxHost.setButtonCaption(slot, UTF8ToString(caption));
});
EM_JS(void, pryx_button_visible, (int slot, int visible), { Module.pryxHost.setButtonVisible(slot, !!visible); });
EM_JS(void, pryx_saved, (const char* path), { Module.pryxHost.saved(UTF8ToString(path)); });
EM_JS(void, pryx_wait_started, (int kind, int novel, int textEndRow), {
  Module.pryxHost.waitStarted(kind, !!novel, textEndRow);
});
EM_JS(void, pryx_wait_ended, (), { Module.pryxHost.waitEnded(); });
EM_JS(void, pryx_switches_checked, (int autoMode, int skipping, int readAloud), {
  Module.pryxHost.setSwitchesChecked(!!autoMode, !!skipping, !!readAloud);
});
EM_JS(void, pryx_describe, (const char* message, const char* description), {
  Module.pryxHost.describe(UTF8ToString(message), UTF8ToString(description));
});
// The lines as a JSON array of {slot, caption, top, height}.
EM_JS(void, pryx_choice_lines, (const char* lines, int highlighted), {
  Module.pryxHost.showChoiceLines(JSON.parse(UTF8ToString(lines)), highlighted);
});
EM_JS(void, pryx_history_open, (const char* entries), {
  Module.pryxHost.openHistory(JSON.parse(UTF8ToString(entries)));
});
EM_JS(double, pryx_now, (), { return Module.pryxHost.now(); });
// The next input as kind | first << 4 | second << 18, or -1 when none is queued.
EM_JS(int, pryx_next_input, (), { return Module.pryxHost.nextInput(); });
EM_ASYNC_JS(void, pryx_wait_for_input, (int milliseconds), { await Module.pryxHost.waitForInput(milliseconds); });
EM_ASYNC_JS(void, pryx_sleep, (int milliseconds), { await Module.pryxHost.sleep(milliseconds); });
EM_ASYNC_JS(int, pryx_message_box, (const char* text, const char* title, int icon, int buttons, int answer), {
  return await Module.pryxHost.messageBox(UTF8ToString(text), UTF8ToString(title), icon, buttons, answer);
});
// clang-format on

namespace pryx::player::web {
namespace {

// How long the engine may run at a stretch before the page gets a turn, so that
// typing without a wait still lets the page draw and take clicks.
constexpr double kLongestStretch = 10;

enum class InputKind {
  Click = 1, Button, Pointer, Key, Save, Load, Speed, End, Close,
  SkipHeld, Skip, Auto, ReadAloud, History
};

// A JSON array of `items`, each written by `element`.
template <typename Items, typename Element>
std::string jsonArray(const Items& items, Element element) {
  std::string json = "[";
  for (const auto& item : items) json += (json.size() > 1 ? "," : "") + element(item);
  return json + "]";
}

}  // namespace

// One input a pump, as a window delivers its events: the engine looks at its state
// after each.
bool WebHost::deliverInput() {
  int input = pryx_next_input();
  if (input < 0 || !player_) return false;
  int first = (input >> 4) & 0x3FFF;
  int second = (input >> 18) & 0x3FFF;
  switch (static_cast<InputKind>(input & 0xF)) {
    case InputKind::Click: player_->windowClicked(); break;
    case InputKind::Button: player_->buttonClicked(first); break;
    case InputKind::Pointer: player_->pointerMoved(first, second); break;
    case InputKind::Key: player_->keyPressed(first); break;
    case InputKind::Save: player_->saveChosen(first); break;
    case InputKind::Load: player_->loadChosen(first); break;
    case InputKind::Speed: player_->speedChosen(static_cast<Speed>(first)); break;
    case InputKind::End: player_->endChosen(); break;
    case InputKind::Close: player_->closeRequested(); break;
    case InputKind::SkipHeld: player_->skipHeld(first != 0); break;
    case InputKind::Skip: player_->skipToggled(); break;
    case InputKind::Auto: player_->autoToggled(); break;
    case InputKind::ReadAloud: player_->readAloudToggled(); break;
    case InputKind::History: showHistory(first != 0); break;
  }
  return true;
}

// The page shows the history once the engine waits for it to close: entries as
// [isChoice, text], oldest first.
void WebHost::showHistory(bool shown) {
  player_->historyShown(shown);
  if (!shown) return;
  const std::string entries = jsonArray(player_->history().entries(), [](const MessageHistory::Entry& entry) {
    const bool choice = entry.kind == MessageHistory::Entry::Kind::Choice;
    return std::string(choice ? "[true," : "[false,") + platform::jsonString(entry.text) + "]";
  });
  pryx_history_open(entries.c_str());
}

void WebHost::pumpEvents() {
  deliverInput();
  if (emscripten_get_now() - lastYield_ < kLongestStretch) return;
  pryx_sleep(0);
  lastYield_ = emscripten_get_now();
  deliverInput();
}

void WebHost::waitForEvents(int maxMilliseconds) {
  if (deliverInput()) return;
  pryx_wait_for_input(maxMilliseconds);
  lastYield_ = emscripten_get_now();
  deliverInput();
}

void WebHost::sleep(int milliseconds) {
  // Typing without a wait sleeps 0 after every character: the page's turn comes at
  // the pumps' pace then, not at every character.
  if (milliseconds <= 0 && emscripten_get_now() - lastYield_ < kLongestStretch) return;
  pryx_sleep(milliseconds);
  lastYield_ = emscripten_get_now();
}

std::int64_t WebHost::milliseconds() const { return static_cast<std::int64_t>(pryx_now()); }

void WebHost::refresh(const Picture& picture) { pryx_paint(picture.pixels(), picture.width(), picture.height(), false); }

void WebHost::setCaption(const std::string& caption) { pryx_caption(caption.c_str()); }

void WebHost::enterNovelMode() { pryx_novel_mode(); }

void WebHost::setTyping(bool typing) { pryx_typing(typing); }

// For screen readers, as the desktop window gives them: the message is the picture's
// name, the message with the choices after it its description.
void WebHost::describe(const std::string& message, const std::vector<std::string>& choices) {
  pryx_describe(message.c_str(), messageWithChoices(message, choices).c_str());
}

MessageAnswer WebHost::show(const MessageBoxRequest& request) {
  int answer = pryx_message_box(request.text.c_str(), request.title.c_str(), static_cast<int>(request.icon),
                                static_cast<int>(request.buttons), static_cast<int>(request.defaultAnswer));
  return static_cast<MessageAnswer>(answer);
}

void WebHost::setChoiceMenusEnabled(bool enabled) { pryx_choice_menus(enabled); }

void WebHost::setLoadItemEnabled(int slot, bool enabled) { pryx_load_item(slot, enabled); }

void WebHost::setSpeedChecked(Speed speed) { pryx_speed_checked(static_cast<int>(speed)); }

void WebHost::setSwitchesChecked(const PlayerSwitches& switches, bool skipping) {
  pryx_switches_checked(switches.autoMode, skipping, switches.readAloud);
}

// Lines as {slot, caption, top, height}, in the picture's pixels.
void WebHost::showChoiceLines(const std::vector<ChoiceLine>& lines, int highlighted) {
  const std::string json = jsonArray(lines, [](const ChoiceLine& line) {
    return "{\"slot\":" + std::to_string(line.slot) + ",\"caption\":" + platform::jsonString(line.caption) +
           ",\"top\":" + std::to_string(line.top) + ",\"height\":" + std::to_string(line.height) + "}";
  });
  pryx_choice_lines(json.c_str(), highlighted);
}

void WebHost::setCaption(int slot, const std::string& caption) { pryx_button_caption(slot, caption.c_str()); }

void WebHost::setVisible(int slot, bool visible) { pryx_button_visible(slot, visible); }

void WebHost::save(std::int32_t, int slot, bool done) {
  if (done) pryx_saved(saveFilePath(location_, slot).c_str());
}

// The picture at a wait is the one the player shows there: painted now, whatever
// the page's own drawing schedule.
void WebHost::waitStarted(std::int32_t, WaitKind kind) {
  if (!player_) return;
  const Picture& picture = player_->screen().picture();
  if (!picture.isNull()) pryx_paint(picture.pixels(), picture.width(), picture.height(), true);
  const InterpreterState& state = player_->state();
  pryx_wait_started(static_cast<int>(kind), state.novelMode(), state.novelTextEndRow);
}

void WebHost::waitEnded() { pryx_wait_ended(); }

}  // namespace pryx::player::web
