#pragma once
// Builds small Standard MIDI Files for tests, byte by byte, so that every corner of
// the format can be written on purpose.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace pryx::test_support {

using Bytes = std::vector<std::uint8_t>;

inline void appendVariableLength(Bytes& out, std::uint32_t value) {
  Bytes groups{static_cast<std::uint8_t>(value & 0x7F)};
  while ((value >>= 7) != 0) groups.insert(groups.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
  out.insert(out.end(), groups.begin(), groups.end());
}

inline void appendWord(Bytes& out, std::uint32_t value, int size) {
  for (int shift = 8 * (size - 1); shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// The events of one track chunk: each is a delta time and the event's bytes as given
// (a status byte may be left out for running status).
class Track {
 public:
  Track& event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
    appendVariableLength(bytes_, delta);
    bytes_.insert(bytes_.end(), bytes);
    return *this;
  }
  Track& tempo(std::uint32_t delta, std::uint32_t microsecondsPerQuarter) {
    appendVariableLength(bytes_, delta);
    bytes_.insert(bytes_.end(), {0xFF, 0x51, 0x03});
    appendWord(bytes_, microsecondsPerQuarter, 3);
    return *this;
  }
  Track& end(std::uint32_t delta) { return event(delta, {0xFF, 0x2F, 0x00}); }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

inline void appendChunk(Bytes& out, const std::string& tag, const Bytes& body) {
  out.insert(out.end(), tag.begin(), tag.end());
  appendWord(out, static_cast<std::uint32_t>(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
}

inline Bytes midiFile(std::uint16_t format, std::uint16_t division, const std::vector<Track>& tracks) {
  Bytes header;
  appendWord(header, format, 2);
  appendWord(header, static_cast<std::uint32_t>(tracks.size()), 2);
  appendWord(header, division, 2);
  Bytes file;
  appendChunk(file, "MThd", header);
  for (const Track& track : tracks) appendChunk(file, "MTrk", track.bytes());
  return file;
}

// A division in frames of time code: 24, 25, 29 (for 29.97) or 30 frames a second.
inline std::uint16_t timeCodeDivision(int frames, int ticksPerFrame) {
  return static_cast<std::uint16_t>((256 - frames) << 8 | ticksPerFrame);
}

// A short tune on a piano, 480 ticks per quarter note at 120 beats a minute: a C
// major chord held for one second, then a single note for half a second.
inline Bytes shortTune() {
  Track track;
  track.event(0, {0xC0, 0x00})
      .event(0, {0x90, 60, 100})
      .event(0, {64, 100})  // running status
      .event(0, {67, 100})
      .event(960, {0x80, 60, 0})
      .event(0, {0x80, 64, 0})
      .event(0, {0x80, 67, 0})
      .event(0, {0x90, 72, 110})
      .event(480, {0x80, 72, 0})
      .end(0);
  return midiFile(0, 480, {track});
}

}  // namespace pryx::test_support
