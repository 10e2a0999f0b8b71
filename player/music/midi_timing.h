#pragma once
// What decides the timing of a Standard MIDI File: its division, its tempo changes
// and where its tracks end. Read once by the length reader and by the time-code
// conversion, so both agree on what the file holds.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pryx::player::midi {

// How ticks become time: ticks per quarter note under the tempo map, or a fixed
// number of ticks per second of time code.
struct Division {
  std::int64_t ticksPerQuarter = 0;  // 0 for time code
  std::int64_t ticksPerFrame = 0;
  std::int64_t framesNumerator = 0;  // frames per second = numerator / denominator
  std::int64_t framesDenominator = 1;
};

struct TempoChange {
  std::int64_t tick;
  std::int64_t microsecondsPerQuarter;
  std::size_t dataOffset;  // where its three tempo bytes lie in the file
};

struct Timing {
  static constexpr std::size_t kDivisionOffset = 12;  // in the header chunk, after format and track count

  Division division;
  std::vector<TempoChange> tempos;                // in file order
  std::vector<std::size_t> trackLengthOffsets;    // where each track chunk's length lies in the file
  std::int64_t endTick = 0;                       // the latest end of a track
};

// Formats 0, 1 and 2, running status, meta and system-exclusive events, and
// time-code divisions (24, 25, 29.97 and 30 frames per second). nullopt when the
// bytes are not a complete MIDI file: a wrong header, a cut-off chunk or event,
// fewer tracks than announced, or an event no MIDI file may hold.
std::optional<Timing> readTiming(std::span<const std::uint8_t> file);

}  // namespace pryx::player::midi
