// Any bytes as a MIDI file: the length reader and the reader of the presets a piece
// selects must stay inside them and end. A piece with a length (one the player
// plays) always has its presets read, or a distribution would carry more than it
// needs; the length is never negative.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/midi_presets.h"
#include "player/music/midi_length.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> piece(data, size);
  std::optional<std::int64_t> length = pryx::player::midiLengthMilliseconds(piece);
  if (length && *length < 0) std::abort();
  if (length && !pryx::platform::presetsReachedBy(std::span(&piece, 1))) std::abort();
  return 0;
}
