#include "platform/distribution_soundfont.h"

#include "platform/midi_presets.h"
#include "platform/soundfont_cut.h"

#include <vector>

namespace pryx::platform {
namespace {

std::optional<std::set<PresetNumber>> presetsOfMusic(std::span<const std::string> musicFiles) {
  std::vector<Bytes> pieces;
  for (const std::string& path : musicFiles) {
    std::optional<Bytes> piece = readWholeFile(path);
    if (!piece) return std::nullopt;
    pieces.push_back(std::move(*piece));
  }
  return presetsReachedBy(std::vector<std::span<const std::uint8_t>>(pieces.begin(), pieces.end()));
}

}  // namespace

FileCopy copySoundFontFor(std::string source, std::string target, bool keepExisting,
                          std::span<const std::string> musicFiles) {
  if ((keepExisting && fileExists(target)) || sameFile(source, target)) {
    return recordedCopy(std::move(source), std::move(target), keepExisting);
  }
  std::optional<std::set<PresetNumber>> presets = presetsOfMusic(musicFiles);
  std::optional<Bytes> whole = presets ? readWholeFile(source) : std::nullopt;
  std::optional<Bytes> cut = whole ? cutSoundFont(*whole, *presets, nullptr) : std::nullopt;
  if (!cut) return recordedCopy(std::move(source), std::move(target), keepExisting);
  return recordedWrite(std::move(source), std::move(target), *cut);
}

}  // namespace pryx::platform
