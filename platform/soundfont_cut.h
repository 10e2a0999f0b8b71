#pragma once
// A SoundFont cut down to the presets some music can select, with the instruments
// and samples they use, playing those presets as the whole file does.

#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string>

#include "platform/files.h"
#include "platform/midi_presets.h"

namespace pryx::platform {

// Keeps each preset `wanted` names, or where the file lacks one, the preset a
// synthesizer falls back to: percussion bank 128 to its program 0, a melodic bank
// to bank 0's program of that number and then to bank 0's program 0. Every preset
// of a kept number stays, in the file's order. nullopt with the reason in `error`
// for a file that is not a SoundFont 2 whose tables hold together (a ROM sample, an
// index or a sample range outside its table) and for compressed samples (SoundFont
// 3): such a file is best carried whole.
std::optional<Bytes> cutSoundFont(std::span<const std::uint8_t> file, const std::set<PresetNumber>& wanted,
                                  std::string* error);

}  // namespace pryx::platform
