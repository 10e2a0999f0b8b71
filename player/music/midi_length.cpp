#include "player/music/midi_length.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "player/music/midi_timing.h"

namespace pryx::player {
namespace {

constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kDefaultTempo = 500000;  // microseconds per quarter note: 120 beats a minute

using midi::Division;
using midi::TempoChange;

// Hostile files can announce absurd times; they saturate instead of overflowing.
std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) { return a > kLargest - b ? kLargest : a + b; }
std::int64_t saturatingMultiply(std::int64_t a, std::int64_t b) {
  return a != 0 && b > kLargest / a ? kLargest : a * b;
}
std::int64_t roundedQuotient(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t quotient = numerator / denominator;
  return numerator % denominator >= denominator - numerator % denominator ? quotient + 1 : quotient;
}

std::int64_t milliseconds(std::int64_t endTick, const Division& division, std::vector<TempoChange> tempos) {
  if (division.ticksPerQuarter == 0) {
    // ticks / (frames per second · ticks per frame) seconds
    const std::int64_t numerator = saturatingMultiply(saturatingMultiply(endTick, 1000), division.framesDenominator);
    return roundedQuotient(numerator, division.framesNumerator * division.ticksPerFrame);
  }
  std::stable_sort(tempos.begin(), tempos.end(),
                   [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  // Microseconds times ticks per quarter note, summed exactly, divided once.
  std::int64_t scaledMicroseconds = 0;
  std::int64_t segmentStart = 0;
  std::int64_t tempo = kDefaultTempo;
  for (const TempoChange& change : tempos) {
    if (change.tick >= endTick) break;
    scaledMicroseconds = saturatingAdd(scaledMicroseconds, saturatingMultiply(change.tick - segmentStart, tempo));
    segmentStart = change.tick;
    tempo = change.microsecondsPerQuarter;
  }
  scaledMicroseconds = saturatingAdd(scaledMicroseconds, saturatingMultiply(endTick - segmentStart, tempo));
  return roundedQuotient(scaledMicroseconds, division.ticksPerQuarter * 1000);
}

}  // namespace

std::optional<std::int64_t> midiLengthMilliseconds(std::span<const std::uint8_t> file) {
  std::optional<midi::Timing> timing = midi::readTiming(file);
  if (!timing) return std::nullopt;
  return milliseconds(timing->endTick, timing->division, std::move(timing->tempos));
}

}  // namespace pryx::player
