#pragma once
// The instruments a MIDI file can make a General MIDI synthesizer play, so that a
// distribution carries only those of its SoundFont. The synthesizer selects banks
// as a GS module does: controller 0 picks a melodic channel's bank (32 is ignored)
// and channel 10 always plays percussion bank 128.

#include <compare>
#include <cstdint>
#include <optional>
#include <set>
#include <span>

namespace pryx::platform {

inline constexpr std::uint16_t kPercussionBank = 128;

struct PresetNumber {
  std::uint16_t bank = 0;
  std::uint16_t program = 0;
  auto operator<=>(const PresetNumber&) const = default;
};

// Every bank and program a channel can reach while the pieces play one after
// another in any order (a piece that is left keeps its channels' banks and
// programs for the next): the banks its bank selects name (and bank 0) with the
// programs its program changes name, and program 0 where a note may sound before
// the channel's first program change. When a piece holds system exclusive messages
// (which can turn any channel into a percussion one, or change how banks are
// selected), every program reached is also reached in bank 128 and in the banks of
// controller 32.
// nullopt when one of them is no complete MIDI file.
std::optional<std::set<PresetNumber>> presetsReachedBy(std::span<const std::span<const std::uint8_t>> pieces);

}  // namespace pryx::platform
