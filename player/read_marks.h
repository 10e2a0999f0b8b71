#pragma once
// Which messages of a game were read in earlier plays, and the player's switches
// for that game (auto, reading aloud): one small file beside the saves.
//
// The file: "PRYXREAD", a version byte, a switch byte (bit 0 auto, bit 1 reading
// aloud), the game's identity (uint64, little-endian: a hash of the game file, so
// that a rebuilt game does not count its new messages as read), then one bit per
// message number from 0 (bit k of byte k / 8), to the end of the file.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "player/game_files.h"
#include "player/gamefile/image.h"
#include "player/host.h"

namespace pryx::player {

class ReadMarks {
 public:
  bool isRead(int message) const;
  void markRead(int message);  // numbers outside 1..kMaxMessageNumber are not kept

  PlayerSwitches switches;
  std::uint64_t game = 0;

  bool operator==(const ReadMarks&) const = default;

 private:
  std::vector<bool> read_;
};

// A game's identity for its read marks.
std::uint64_t gameIdentity(const gamefile::GameImage& image);

platform::Bytes encodeReadMarks(const ReadMarks& marks);
// nullopt for a file that is no read-marks file or does not hold together.
std::optional<ReadMarks> decodeReadMarks(const platform::Bytes& bytes);

// Where the engine keeps the read marks between runs; the hosts decide where.
class ReadMarksStore {
 public:
  virtual ~ReadMarksStore() = default;
  // The marks of the game `game` (nothing read when there are none yet).
  virtual ReadMarks load(std::uint64_t game) = 0;
  // False when they could not be kept; what was kept before stays.
  virtual bool keep(const ReadMarks& marks) = 0;
};

// NAME.READ beside the save files.
std::string readMarksFilePath(const GameLocation& location);

// The read-marks file. One that cannot be used (broken, cut short, too large) counts
// as nothing read: one line on `diagnostics` says so, and the next keep writes it anew.
// The switches are kept across a rebuilt game; the marks are not. The first keep that
// fails says so on `diagnostics`.
class ReadMarksFile final : public ReadMarksStore {
 public:
  ReadMarksFile(std::string path, std::ostream& diagnostics) : path_(std::move(path)), diagnostics_(diagnostics) {}
  ReadMarks load(std::uint64_t game) override;
  bool keep(const ReadMarks& marks) override;

 private:
  std::string path_;
  std::ostream& diagnostics_;
  bool keepFailureTold_ = false;
};

}  // namespace pryx::player
