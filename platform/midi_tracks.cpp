#include "platform/midi_tracks.h"

#include <algorithm>
#include <limits>

namespace pryx::platform::midi {
namespace {

constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();

// Hostile files can announce absurd times; they saturate instead of overflowing.
std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) { return a > kLargest - b ? kLargest : a + b; }

// Reads big-endian numbers and variable-length quantities; every read that would
// pass the end fails and leaves the reader failed.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool failed() const { return failed_; }
  bool atEnd() const { return position_ >= bytes_.size(); }
  std::size_t remaining() const { return bytes_.size() - position_; }
  std::size_t position() const { return position_; }

  std::uint32_t byte() { return take(1) ? bytes_[position_ - 1] : 0; }
  std::uint32_t peek() const { return atEnd() ? 0 : bytes_[position_]; }
  std::uint32_t word16() {
    return take(2) ? static_cast<std::uint32_t>(bytes_[position_ - 2] << 8 | bytes_[position_ - 1]) : 0;
  }
  std::uint32_t word32() {
    if (!take(4)) return 0;
    const std::uint8_t* p = &bytes_[position_ - 4];
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
  }
  // At most four bytes, as a MIDI file allows (values below 2^28).
  std::uint32_t variableLength() {
    std::uint32_t value = 0;
    for (int count = 0; count < 4; ++count) {
      const std::uint32_t next = byte();
      value = value << 7 | (next & 0x7F);
      if ((next & 0x80) == 0) return value;
    }
    failed_ = true;
    return 0;
  }
  std::span<const std::uint8_t> bytes(std::size_t count) {
    return take(count) ? bytes_.subspan(position_ - count, count) : std::span<const std::uint8_t>();
  }
  bool tag(const char (&name)[5]) {
    std::span<const std::uint8_t> found = bytes(4);
    return !failed_ && std::equal(found.begin(), found.end(), name);
  }

 private:
  bool take(std::size_t count) {
    if (failed_ || count > remaining()) {
      failed_ = true;
      position_ = bytes_.size();
      return false;
    }
    position_ += count;
    return true;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

// Data bytes after a channel status byte.
std::size_t channelDataLength(std::uint32_t status) {
  const std::uint32_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

}  // namespace

std::optional<Tracks> readTracks(std::span<const std::uint8_t> file) {
  ByteReader reader(file);
  if (!reader.tag("MThd")) return std::nullopt;
  const std::uint32_t headerLength = reader.word32();
  if (reader.failed() || headerLength < 6) return std::nullopt;
  ByteReader header(reader.bytes(headerLength));
  Tracks tracks;
  tracks.format = header.word16();
  const std::uint32_t trackCount = header.word16();
  tracks.divisionWord = header.word16();
  if (reader.failed() || tracks.format > 2 || trackCount == 0) return std::nullopt;
  while (tracks.tracks.size() < trackCount) {
    const bool isTrack = reader.tag("MTrk");
    const std::size_t lengthOffset = reader.position();
    std::span<const std::uint8_t> chunk = reader.bytes(reader.word32());
    if (reader.failed()) return std::nullopt;
    if (isTrack) tracks.tracks.push_back({chunk, lengthOffset});
  }
  return tracks;
}

std::optional<std::int64_t> walkTrack(std::span<const std::uint8_t> events,
                                      const std::function<void(const Event&)>& onEvent) {
  ByteReader track(events);
  std::int64_t tick = 0;
  std::uint32_t runningStatus = 0;
  while (!track.atEnd()) {
    tick = saturatingAdd(tick, track.variableLength());
    std::uint32_t status = track.peek();
    if (status >= 0x80) {
      track.byte();
    } else if (runningStatus != 0) {
      status = runningStatus;  // the data byte stays for the event to read
    } else {
      return std::nullopt;  // data without any status before it
    }

    Event event{tick, status, 0, {}, 0};
    if (status == 0xFF) {
      event.metaType = track.byte();
      event.data = track.bytes(track.variableLength());
      if (track.failed()) return std::nullopt;
      if (event.metaType == 0x2F) return tick;  // End of Track: anything after it is not played
    } else if (status == 0xF0 || status == 0xF7) {
      event.data = track.bytes(track.variableLength());
    } else if (status >= 0xF0) {
      return std::nullopt;  // system common and real-time messages do not occur in files
    } else {
      runningStatus = status;
      event.data = track.bytes(channelDataLength(status));
    }
    if (track.failed()) return std::nullopt;
    event.dataOffset = track.position() - event.data.size();
    onEvent(event);
  }
  return tick;
}

}  // namespace pryx::platform::midi
