#pragma once
// FluidSynth's file player times pieces only in ticks per quarter note: a piece timed
// in frames of time code would play in silence. Such a division is a constant number
// of ticks per second, which a constant tempo expresses exactly.

#include <cstdint>
#include <span>
#include <vector>

namespace pryx::player {

// A time-code-timed file rewritten to play alike in ticks per quarter note: the new
// division, one tempo at the start, and its own tempo changes (which time code
// ignores) set to that same tempo. Any other file comes back unchanged.
std::vector<std::uint8_t> withQuarterNoteTiming(std::span<const std::uint8_t> file);

}  // namespace pryx::player
