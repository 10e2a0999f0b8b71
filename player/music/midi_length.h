#pragma once
// The playing time of a Standard MIDI File, read from its tempo map. Music restarts
// when this time has passed, so it must match what the synthesizer plays: every
// track runs at once and a tempo change in any track applies to all.

#include <cstdint>
#include <optional>
#include <span>

namespace pryx::player {

// Milliseconds from the start to the latest end of a track (its End of Track event,
// or its last event when it has none), rounded to the nearest millisecond. Formats
// 0, 1 and 2, running status, meta and system-exclusive events, and time-code
// divisions (24, 25, 29.97 and 30 frames per second) are understood. nullopt when
// the bytes are not a complete MIDI file: a wrong header, a cut-off chunk or event,
// fewer tracks than announced, or an event no MIDI file may hold.
std::optional<std::int64_t> midiLengthMilliseconds(std::span<const std::uint8_t> file);

}  // namespace pryx::player
