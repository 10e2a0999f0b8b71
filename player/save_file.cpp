#include "player/save_file.h"

#include "player/gamefile/header.h"

#include <algorithm>

namespace pryx::player {
namespace {

constexpr std::size_t kSaveHeaderBytes = 6;

void putLittleEndian(std::uint8_t* p, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint16_t uint16At(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

std::uint32_t uint32At(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

}  // namespace

// Like loading, saving may happen at every step: the file is sized once and filled.
platform::Bytes encodeSave(const SaveData& save) {
  platform::Bytes bytes(kSaveHeaderBytes + 4 * save.variables.size());
  putLittleEndian(bytes.data(), static_cast<std::uint32_t>(save.variables.size()), 2);
  putLittleEndian(bytes.data() + 2, static_cast<std::uint32_t>(save.position), 4);
  std::uint8_t* values = bytes.data() + kSaveHeaderBytes;
  for (std::size_t i = 0; i < save.variables.size(); ++i) {
    putLittleEndian(values + 4 * i, static_cast<std::uint32_t>(save.variables[i]), 4);
  }
  return bytes;
}

std::optional<SaveData> decodeSave(const platform::Bytes& bytes) {
  if (bytes.size() < kSaveHeaderBytes) return std::nullopt;
  auto highest = static_cast<std::int16_t>(uint16At(bytes.data()));
  if (highest < 0 || highest > gamefile::kMaxVariables) return std::nullopt;
  SaveData save;
  save.position = static_cast<std::int32_t>(uint32At(bytes.data() + 2));
  // A game may load a save at every step: the variables are read in one plain pass.
  save.variables.resize(static_cast<std::size_t>(highest));
  const std::size_t stored = std::min(save.variables.size(), (bytes.size() - kSaveHeaderBytes) / 4);  // the rest stay 0
  const std::uint8_t* values = bytes.data() + kSaveHeaderBytes;
  for (std::size_t i = 0; i < stored; ++i) save.variables[i] = static_cast<std::int32_t>(uint32At(values + 4 * i));
  return save;
}

}  // namespace pryx::player
