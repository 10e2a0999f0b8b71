#include "player/music/midi_timing.h"

#include <algorithm>
#include <limits>

namespace pryx::player::midi {
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

// Data bytes after a channel status byte.
int channelDataLength(std::uint32_t status) {
  const std::uint32_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// Walks one track chunk, which starts at `chunkOffset` in the file; returns its end
// tick, adding its tempo changes to `tempos`.
std::optional<std::int64_t> readTrack(std::span<const std::uint8_t> chunk, std::size_t chunkOffset,
                                      std::vector<TempoChange>& tempos) {
  ByteReader track(chunk);
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

    if (status == 0xFF) {
      const std::uint32_t type = track.byte();
      std::span<const std::uint8_t> data = track.bytes(track.variableLength());
      if (track.failed()) return std::nullopt;
      if (type == 0x2F) return tick;  // End of Track: anything after it is not played
      if (type == 0x51 && data.size() >= 3) {
        tempos.push_back({tick, std::int64_t{data[0]} << 16 | std::int64_t{data[1]} << 8 | data[2],
                          chunkOffset + track.position() - data.size()});
      }
    } else if (status == 0xF0 || status == 0xF7) {
      track.bytes(track.variableLength());
    } else if (status >= 0xF0) {
      return std::nullopt;  // system common and real-time messages do not occur in files
    } else {
      runningStatus = status;
      track.bytes(static_cast<std::size_t>(channelDataLength(status)));
    }
    if (track.failed()) return std::nullopt;
  }
  return tick;
}

}  // namespace

std::optional<Timing> readTiming(std::span<const std::uint8_t> file) {
  ByteReader reader(file);
  if (!reader.tag("MThd")) return std::nullopt;
  const std::uint32_t headerLength = reader.word32();
  if (reader.failed() || headerLength < 6) return std::nullopt;
  std::span<const std::uint8_t> headerBytes = reader.bytes(headerLength);
  ByteReader header(headerBytes);
  const std::uint32_t format = header.word16();
  const std::uint32_t trackCount = header.word16();
  std::optional<Division> division = readDivision(header.word16());
  if (reader.failed() || format > 2 || trackCount == 0 || !division) return std::nullopt;

  Timing timing;
  timing.division = *division;
  for (std::uint32_t tracksRead = 0; tracksRead < trackCount;) {
    const bool isTrack = reader.tag("MTrk");
    const std::size_t lengthOffset = reader.position();
    std::span<const std::uint8_t> chunk = reader.bytes(reader.word32());
    if (reader.failed()) return std::nullopt;
    if (!isTrack) continue;  // chunks of unknown kinds are skipped
    std::optional<std::int64_t> trackEnd = readTrack(chunk, lengthOffset + 4, timing.tempos);
    if (!trackEnd) return std::nullopt;
    timing.endTick = std::max(timing.endTick, *trackEnd);
    timing.trackLengthOffsets.push_back(lengthOffset);
    ++tracksRead;
  }
  return timing;
}

}  // namespace pryx::player::midi
