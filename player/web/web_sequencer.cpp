#include "player/web/web_sequencer.h"

#include <emscripten.h>

#include "platform/files.h"
#include "player/music/midi_length.h"

// clang-format off
EM_JS(void, pryx_music_open, (const void* bytes, int size), {
  Module.pryxHost.music.open(HEAPU8.slice(bytes, bytes + size));
});
EM_JS(void, pryx_music_play, (), { Module.pryxHost.music.play(); });
EM_JS(void, pryx_music_stop, (), { Module.pryxHost.music.stop(); });
EM_JS(void, pryx_music_rewind, (), { Module.pryxHost.music.rewind(); });
EM_JS(void, pryx_music_close, (), { Module.pryxHost.music.close(); });
// clang-format on

namespace pryx::player::web {

bool WebSequencer::open(const std::string& path) {
  close();
  auto bytes = platform::readWholeFile(path);
  if (!bytes) return false;
  auto length = midiLengthMilliseconds(*bytes);
  if (!length) return false;
  pryx_music_open(bytes->data(), static_cast<int>(bytes->size()));
  open_ = true;
  length_ = *length;
  return true;
}

void WebSequencer::play() {
  if (open_) pryx_music_play();
}

void WebSequencer::stop() {
  if (open_) pryx_music_stop();
}

void WebSequencer::rewind() {
  if (open_) pryx_music_rewind();
}

void WebSequencer::close() {
  if (!open_) return;
  pryx_music_close();
  open_ = false;
  length_ = 0;
}

}  // namespace pryx::player::web
