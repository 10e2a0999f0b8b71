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

// Whether the SoundFont at `path` plays the game's music as `cut` does: cutting it
// for the same presets gives `cut` again.
bool playsAsCut(const std::string& path, const std::set<PresetNumber>& presets, const Bytes& cut) {
  std::optional<Bytes> kept = readWholeFile(path);
  return kept && cutSoundFont(*kept, presets, nullptr) == cut;
}

}  // namespace

FileCopy copySoundFontFor(std::string source, std::string target, bool keepExisting,
                          std::span<const std::string> musicFiles) {
  if (sameFile(source, target)) return recordedCopy(std::move(source), std::move(target), keepExisting);
  std::optional<std::set<PresetNumber>> presets = presetsOfMusic(musicFiles);
  std::optional<Bytes> whole = presets ? readWholeFile(source) : std::nullopt;
  std::optional<Bytes> cut = whole ? cutSoundFont(*whole, *presets, nullptr) : std::nullopt;
  // Whole, it plays whatever the music is: a cut from an earlier build might not.
  if (!cut) return recordedCopy(std::move(source), std::move(target), false);
  // A SoundFont cut for an earlier build is kept only while it holds what the music
  // now plays: the game may have gained a piece with other instruments.
  if (keepExisting && fileExists(target) && playsAsCut(target, *presets, *cut)) {
    return recordedCopy(std::move(source), std::move(target), true);
  }
  return recordedWrite(std::move(source), std::move(target), *cut);
}

}  // namespace pryx::platform
