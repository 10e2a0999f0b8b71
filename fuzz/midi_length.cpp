// Any bytes as a MIDI file: the length reader must stay inside them, end, and give
// either no length or a length that is not negative.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "player/music/midi_length.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::optional<std::int64_t> length = pryx::player::midiLengthMilliseconds(std::span(data, size));
  if (length && *length < 0) std::abort();
  return 0;
}
