#pragma once
// A SoundFont 2 file taken apart into the chunks a cut needs, and put together
// again. The reader checks every size against the bytes it has; the writer lays
// out what the reader takes, so reading what it wrote gives the same chunks.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/files.h"

namespace pryx::platform {

// The nine record tables of the preset data, in the order the file holds them.
enum class Hydra {
  PresetHeaders, PresetBags, PresetModulators, PresetGenerators,
  Instruments, InstrumentBags, InstrumentModulators, InstrumentGenerators, SampleHeaders,
};
inline constexpr std::size_t kHydraTables = 9;
inline constexpr std::array<std::size_t, kHydraTables> kHydraRecordSizes = {38, 4, 10, 4, 22, 4, 10, 4, 46};

struct SoundFontChunks {
  Bytes info;       // the INFO list's body as stored
  Bytes samples;    // smpl: 16-bit sample points
  Bytes samples24;  // sm24: the low bytes of 24-bit points; empty when there is none
  // Each table's records, its closing record included.
  std::array<Bytes, kHydraTables> hydra;

  Bytes& table(Hydra which) { return hydra[static_cast<std::size_t>(which)]; }
  const Bytes& table(Hydra which) const { return hydra[static_cast<std::size_t>(which)]; }
  std::size_t records(Hydra which) const {
    return table(which).size() / kHydraRecordSizes[static_cast<std::size_t>(which)];
  }
};

// The chunks of a RIFF "sfbk" file with its INFO, sdta (with smpl) and pdta lists,
// each table a whole number of records and at least its closing one. Other chunks
// are left out. nullopt with the reason in `error` otherwise.
std::optional<SoundFontChunks> readSoundFontChunks(std::span<const std::uint8_t> file, std::string* error);

Bytes writeSoundFontChunks(const SoundFontChunks& chunks);

// Little-endian fields inside a record.
std::uint32_t readField(const Bytes& bytes, std::size_t offset, std::size_t width);
void writeField(Bytes& bytes, std::size_t offset, std::size_t width, std::uint32_t value);

}  // namespace pryx::platform
