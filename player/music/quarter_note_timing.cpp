#include "player/music/quarter_note_timing.h"

#include "player/music/midi_timing.h"

namespace pryx::player {
namespace {

void putWord(std::vector<std::uint8_t>& file, std::size_t offset, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) {
    file[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * (size - 1 - i)));
  }
}

std::uint32_t getWord32(const std::vector<std::uint8_t>& file, std::size_t offset) {
  return std::uint32_t{file[offset]} << 24 | std::uint32_t{file[offset + 1]} << 16 |
         std::uint32_t{file[offset + 2]} << 8 | file[offset + 3];
}

}  // namespace

std::vector<std::uint8_t> withQuarterNoteTiming(std::span<const std::uint8_t> file) {
  std::vector<std::uint8_t> converted(file.begin(), file.end());
  const std::optional<midi::Timing> timing = midi::readTiming(file);
  if (!timing || timing->division.ticksPerQuarter != 0) return converted;

  // F frames of T ticks a second (F = n / d): a quarter note of round(F)·T ticks lasts
  // round(F)·d / n seconds, a whole number of microseconds for 24, 25, 29.97 and 30.
  const midi::Division& division = timing->division;
  const std::int64_t wholeFrames = (division.framesNumerator + division.framesDenominator / 2) / division.framesDenominator;
  const std::int64_t ticksPerQuarter = wholeFrames * division.ticksPerFrame;  // at most 30 · 255
  const std::int64_t tempo = wholeFrames * division.framesDenominator * 1000000 / division.framesNumerator;

  putWord(converted, midi::Timing::kDivisionOffset, static_cast<std::uint32_t>(ticksPerQuarter), 2);
  for (const midi::TempoChange& change : timing->tempos) {
    putWord(converted, change.dataOffset, static_cast<std::uint32_t>(tempo), 3);
  }
  const std::size_t lengthOffset = timing->trackLengthOffsets.front();
  putWord(converted, lengthOffset, getWord32(converted, lengthOffset) + 7, 4);
  const std::uint8_t setTempo[] = {0x00, 0xFF, 0x51, 0x03, static_cast<std::uint8_t>(tempo >> 16),
                                   static_cast<std::uint8_t>(tempo >> 8), static_cast<std::uint8_t>(tempo)};
  converted.insert(converted.begin() + static_cast<std::ptrdiff_t>(lengthOffset + 4), std::begin(setTempo),
                   std::end(setTempo));
  return converted;
}

}  // namespace pryx::player
