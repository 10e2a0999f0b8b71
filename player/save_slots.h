#pragma once
// Where the save slots are kept: as files beside the game (the player's way), or
// wherever a run that must write no file keeps them.

#include <optional>

#include "platform/files.h"
#include "player/game_files.h"

namespace pryx::player {

class SaveSlots {
 public:
  virtual ~SaveSlots() = default;
  virtual bool exists(int slot) const = 0;
  // nullopt when the slot holds nothing or cannot be read.
  virtual std::optional<platform::Bytes> read(int slot) const = 0;
  // False when the slot could not be written; what it held before stays.
  virtual bool write(int slot, const platform::Bytes& bytes) = 0;
};

// The save files of a game (saveFilePath).
class SaveFiles final : public SaveSlots {
 public:
  explicit SaveFiles(const GameLocation& location) : location_(location) {}
  bool exists(int slot) const override;
  std::optional<platform::Bytes> read(int slot) const override;
  bool write(int slot, const platform::Bytes& bytes) override;

 private:
  const GameLocation& location_;
};

}  // namespace pryx::player
