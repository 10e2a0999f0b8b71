#pragma once
// The MIDI sequencer the player's music runs on: open a file, play from the start,
// stop, rewind, and tell the piece's length.

#include <cstdint>
#include <string>

namespace pryx::player {

class Sequencer {
 public:
  virtual ~Sequencer() = default;
  // Opens a MIDI file (closing any open one). A file that cannot be read or is not a
  // MIDI file leaves the sequencer closed and silent; returns false then.
  virtual bool open(const std::string& path) = 0;
  virtual void play() = 0;    // from the current position
  virtual void stop() = 0;    // pauses; notes stop sounding
  virtual void rewind() = 0;  // back to the beginning
  virtual void close() = 0;
  // Length of the open piece in milliseconds, 0 when none is open.
  virtual std::int64_t lengthMilliseconds() const = 0;
};

}  // namespace pryx::player
