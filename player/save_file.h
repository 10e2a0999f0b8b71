#pragma once
// The .SAV file: H (int16, the highest variable used), the position of the label of
// the page to restart (int32), then variables 1..H (int32 each), little-endian.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/files.h"
#include "player/gamefile/header.h"

namespace pryx::player {

struct SaveData {
  std::int32_t position = 0;
  std::vector<std::int32_t> variables;  // variables 1..H
};

// The largest save file: H, the position and every variable the player keeps.
inline constexpr std::size_t kMostSaveFileBytes = 6 + 4 * std::size_t{gamefile::kMaxVariables};

platform::Bytes encodeSave(const SaveData& save);

// nullopt for a file too short to hold H and the position, or whose H lies outside
// 0..10000. Variables the file is too short to hold read as 0.
std::optional<SaveData> decodeSave(const platform::Bytes& bytes);

}  // namespace pryx::player
