#pragma once
// The tracks of a Standard MIDI File and the events in them, read by the music's
// length and timing readers and by the distribution builder, which needs the
// instruments a piece selects. Every read is range-checked: a hostile file ends
// the walk, never passes its bytes.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace pryx::platform::midi {

struct Track {
  std::span<const std::uint8_t> events;  // the chunk's body
  std::size_t lengthOffset;              // where the chunk's length lies in the file
};

struct Tracks {
  std::uint32_t format = 0;
  std::uint32_t divisionWord = 0;  // as stored in the header
  std::vector<Track> tracks;       // as many as the header announces
};

// The header and the track chunks (chunks of other kinds are skipped). nullopt for
// a wrong header, a format above 2, no tracks, a cut-off chunk or fewer tracks than
// announced.
std::optional<Tracks> readTracks(std::span<const std::uint8_t> file);

struct Event {
  std::int64_t tick;       // from the track's start, saturating
  std::uint32_t status;    // 0xFF meta, 0xF0/0xF7 system exclusive, else a channel message
  std::uint32_t metaType;  // for a meta event
  std::span<const std::uint8_t> data;
  std::size_t dataOffset;  // where `data` lies in the track's body
};

// Calls `onEvent` for each event up to End of Track (which is not passed on), with
// running status resolved. The track's end tick, or nullopt when it is cut off or
// holds an event no MIDI file may hold.
std::optional<std::int64_t> walkTrack(std::span<const std::uint8_t> events,
                                      const std::function<void(const Event&)>& onEvent);

}  // namespace pryx::platform::midi
