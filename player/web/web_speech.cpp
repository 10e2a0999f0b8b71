#include "player/web/web_speech.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, pryx_say, (const char* text), { Module.pryxHost.speech.say(UTF8ToString(text)); });
EM_JS(void, pryx_stop_speaking, (), { Module.pryxHost.speech.stop(); });
EM_JS(int, pryx_speaking, (), { return Module.pryxHost.speech.speaking() ? 1 : 0; });
// clang-format on

namespace pryx::player::web {

void WebSpeech::say(const std::string& text) { pryx_say(text.c_str()); }

void WebSpeech::stop() { pryx_stop_speaking(); }

bool WebSpeech::speaking() const { return pryx_speaking() != 0; }

}  // namespace pryx::player::web
