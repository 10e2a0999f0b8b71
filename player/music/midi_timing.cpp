#include "player/music/midi_timing.h"

#include "platform/midi_tracks.h"

#include <algorithm>

namespace pryx::player::midi {
namespace {

std::optional<Division> readDivision(std::uint32_t word) {
  Division division;
  if ((word & 0x8000) == 0) {
    if (word == 0) return std::nullopt;
    division.ticksPerQuarter = word;
    return division;
  }
  division.ticksPerFrame = word & 0xFF;
  const int frames = 256 - static_cast<int>(word >> 8 & 0xFF);  // stored as a negative byte
  if (frames == 29) {
    division.framesNumerator = 30000;  // 29.97: drop-frame time code
    division.framesDenominator = 1001;
  } else if (frames == 24 || frames == 25 || frames == 30) {
    division.framesNumerator = frames;
  } else {
    return std::nullopt;
  }
  if (division.ticksPerFrame == 0) return std::nullopt;
  return division;
}

}  // namespace

std::optional<Timing> readTiming(std::span<const std::uint8_t> file) {
  std::optional<platform::midi::Tracks> tracks = platform::midi::readTracks(file);
  if (!tracks) return std::nullopt;
  std::optional<Division> division = readDivision(tracks->divisionWord);
  if (!division) return std::nullopt;

  Timing timing;
  timing.division = *division;
  for (const platform::midi::Track& track : tracks->tracks) {
    const std::size_t bodyOffset = track.lengthOffset + 4;
    std::optional<std::int64_t> trackEnd = platform::midi::walkTrack(track.events, [&](const platform::midi::Event& event) {
      if (event.status == 0xFF && event.metaType == 0x51 && event.data.size() >= 3) {
        timing.tempos.push_back({event.tick,
                                 std::int64_t{event.data[0]} << 16 | std::int64_t{event.data[1]} << 8 | event.data[2],
                                 bodyOffset + event.dataOffset});
      }
    });
    if (!trackEnd) return std::nullopt;
    timing.endTick = std::max(timing.endTick, *trackEnd);
    timing.trackLengthOffsets.push_back(track.lengthOffset);
  }
  return timing;
}

}  // namespace pryx::player::midi
