#include "player/read_marks.h"

#include <algorithm>
#include <string_view>

#include "platform/paths.h"
#include "platform/stable_hash.h"
#include "player/gamefile/header.h"

namespace pryx::player {
namespace {

constexpr std::string_view kMagic = "PRYXREAD";
constexpr std::uint8_t kVersion = 1;
constexpr std::size_t kHeaderBytes = kMagic.size() + 2 + 8;
constexpr std::size_t kMostMarkBytes = gamefile::kMaxMessageNumber / 8 + 1;
constexpr std::uint8_t kAutoBit = 1;
constexpr std::uint8_t kReadAloudBit = 2;

}  // namespace

bool ReadMarks::isRead(int message) const {
  return message >= 0 && static_cast<std::size_t>(message) < read_.size() && read_[static_cast<std::size_t>(message)];
}

void ReadMarks::markRead(int message) {
  if (message < 1 || message > gamefile::kMaxMessageNumber) return;
  const auto index = static_cast<std::size_t>(message);
  if (read_.size() <= index) read_.resize(index + 1);
  read_[index] = true;
}

// A hash of the whole file: cheap, and any rebuild changes it.
std::uint64_t gameIdentity(const gamefile::GameImage& image) { return platform::stableHash(image.bytes()); }

platform::Bytes encodeReadMarks(const ReadMarks& marks) {
  platform::Bytes bytes(kMagic.begin(), kMagic.end());
  bytes.push_back(kVersion);
  bytes.push_back(static_cast<std::uint8_t>((marks.switches.autoMode ? kAutoBit : 0) |
                                            (marks.switches.readAloud ? kReadAloudBit : 0)));
  for (int shift = 0; shift < 64; shift += 8) bytes.push_back(static_cast<std::uint8_t>(marks.game >> shift));
  for (int message = 0; message <= gamefile::kMaxMessageNumber; ++message) {
    if (!marks.isRead(message)) continue;
    const auto byte = kHeaderBytes + static_cast<std::size_t>(message) / 8;
    if (bytes.size() <= byte) bytes.resize(byte + 1);
    bytes[byte] = static_cast<std::uint8_t>(bytes[byte] | 1u << (message % 8));
  }
  return bytes;
}

std::optional<ReadMarks> decodeReadMarks(const platform::Bytes& bytes) {
  if (bytes.size() < kHeaderBytes || bytes.size() > kHeaderBytes + kMostMarkBytes) return std::nullopt;
  if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) return std::nullopt;
  if (bytes[kMagic.size()] != kVersion) return std::nullopt;
  const std::uint8_t switches = bytes[kMagic.size() + 1];
  if ((switches & ~(kAutoBit | kReadAloudBit)) != 0) return std::nullopt;
  ReadMarks marks;
  marks.switches.autoMode = (switches & kAutoBit) != 0;
  marks.switches.readAloud = (switches & kReadAloudBit) != 0;
  for (int shift = 0; shift < 64; shift += 8) {
    marks.game |= std::uint64_t{bytes[kMagic.size() + 2 + static_cast<std::size_t>(shift / 8)]} << shift;
  }
  for (std::size_t i = kHeaderBytes; i < bytes.size(); ++i) {
    for (int bit = 0; bit < 8; ++bit) {
      if ((bytes[i] >> bit & 1) != 0) marks.markRead(static_cast<int>((i - kHeaderBytes) * 8) + bit);
    }
  }
  return marks;
}

std::string readMarksFilePath(const GameLocation& location) {
  return platform::GetFileX(location.saveFolder, location.name + ".READ");
}

ReadMarks ReadMarksFile::load(std::uint64_t game) {
  ReadMarks fresh;
  fresh.game = game;
  if (!platform::fileExists(path_)) return fresh;
  std::string error;
  auto bytes = platform::readWholeFile(path_, &error, kHeaderBytes + kMostMarkBytes);
  auto marks = bytes ? decodeReadMarks(*bytes) : std::nullopt;
  if (!marks) {
    diagnostics_ << "The read marks " << path_ << " cannot be used (" << (bytes ? "not a read-marks file" : error)
                 << "); they start afresh." << std::endl;
    return fresh;
  }
  if (marks->game == game) return *marks;
  fresh.switches = marks->switches;
  return fresh;
}

bool ReadMarksFile::keep(const ReadMarks& marks) {
  std::string error;
  if (platform::writeFileReplacing(path_, encodeReadMarks(marks), &error)) return true;
  // Said once: a folder that cannot be written fails at every choice alike.
  if (!keepFailureTold_) diagnostics_ << "The read marks cannot be kept in " << path_ << " (" << error << ")." << std::endl;
  keepFailureTold_ = true;
  return false;
}

}  // namespace pryx::player
