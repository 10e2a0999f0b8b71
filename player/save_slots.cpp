#include "player/save_slots.h"

#include "player/save_file.h"

namespace pryx::player {

bool SaveFiles::exists(int slot) const { return platform::fileExists(saveFilePath(location_, slot)); }

std::optional<platform::Bytes> SaveFiles::read(int slot) const {
  return platform::readWholeFile(saveFilePath(location_, slot), nullptr, kMostSaveFileBytes);
}

bool SaveFiles::write(int slot, const platform::Bytes& bytes) {
  return platform::writeFileReplacing(saveFilePath(location_, slot), bytes);
}

}  // namespace pryx::player
