#include "player/web/trace_lines.h"

#include <emscripten.h>

EM_JS(void, pryx_trace_line, (const char* line), { Module.pryxHost.traceLine(UTF8ToString(line)); });

namespace pryx::player::web {

TraceLines::int_type TraceLines::overflow(int_type character) {
  if (traits_type::eq_int_type(character, traits_type::eof())) return traits_type::not_eof(character);
  if (traits_type::to_char_type(character) == '\n') {
    pryx_trace_line(line_.c_str());
    line_.clear();
  } else {
    line_ += traits_type::to_char_type(character);
  }
  return character;
}

}  // namespace pryx::player::web
