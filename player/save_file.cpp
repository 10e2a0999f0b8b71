#include "player/save_file.h"

#include "player/gamefile/header.h"

namespace pryx::player {
namespace {

constexpr std::size_t kSaveHeaderBytes = 6;

void putLittleEndian(platform::Bytes& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t littleEndianAt(const platform::Bytes& bytes, std::size_t offset, int size) {
  std::uint32_t value = 0;
  for (int i = 0; i < size; ++i) value |= std::uint32_t{bytes[offset + static_cast<std::size_t>(i)]} << (8 * i);
  return value;
}

}  // namespace

platform::Bytes encodeSave(const SaveData& save) {
  platform::Bytes bytes;
  bytes.reserve(kSaveHeaderBytes + 4 * save.variables.size());
  putLittleEndian(bytes, static_cast<std::uint32_t>(save.variables.size()), 2);
  putLittleEndian(bytes, static_cast<std::uint32_t>(save.position), 4);
  for (std::int32_t value : save.variables) putLittleEndian(bytes, static_cast<std::uint32_t>(value), 4);
  return bytes;
}

std::optional<SaveData> decodeSave(const platform::Bytes& bytes) {
  if (bytes.size() < kSaveHeaderBytes) return std::nullopt;
  auto highest = static_cast<std::int16_t>(littleEndianAt(bytes, 0, 2));
  if (highest < 0 || highest > gamefile::kMaxVariables) return std::nullopt;
  SaveData save;
  save.position = static_cast<std::int32_t>(littleEndianAt(bytes, 2, 4));
  save.variables.resize(static_cast<std::size_t>(highest));
  for (std::size_t i = 0; i < save.variables.size(); ++i) {
    std::size_t offset = kSaveHeaderBytes + 4 * i;
    if (offset + 4 > bytes.size()) break;  // the rest stay 0
    save.variables[i] = static_cast<std::int32_t>(littleEndianAt(bytes, offset, 4));
  }
  return save;
}

}  // namespace pryx::player
