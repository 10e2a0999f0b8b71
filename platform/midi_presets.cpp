#include "platform/midi_presets.h"

#include "platform/midi_tracks.h"

#include <array>

namespace pryx::platform {
namespace {

constexpr std::size_t kChannels = 16;
constexpr std::size_t kPercussionChannel = 9;

struct ChannelUse {
  std::set<std::uint16_t> banks{0};
  std::set<std::uint16_t> otherBanks;  // controller 32's
  std::set<std::uint16_t> programs;
  bool notesBeforeProgramChange = false;
};

// Adds what the piece's channels use; false when it is no complete MIDI file.
bool addUse(std::span<const std::uint8_t> piece, std::array<ChannelUse, kChannels>& channels, bool& systemExclusive) {
  std::optional<midi::Tracks> tracks = midi::readTracks(piece);
  if (!tracks) return false;
  for (const midi::Track& track : tracks->tracks) {
    // Another track's program change at about the same time may come before or after
    // a note; only one earlier in the note's own track surely comes first.
    std::array<bool, kChannels> programChanged{};
    const bool complete = midi::walkTrack(track.events, [&](const midi::Event& event) {
      if (event.status == 0xF0 || event.status == 0xF7) systemExclusive = true;
      if (event.status >= 0xF0) return;
      const std::size_t number = event.status & 0x0F;
      ChannelUse& channel = channels[number];
      switch (event.status & 0xF0) {
        case 0x90:
          if (event.data[1] != 0 && !programChanged[number]) channel.notesBeforeProgramChange = true;
          break;
        case 0xB0:
          if (event.data[0] == 0) channel.banks.insert(event.data[1]);
          if (event.data[0] == 32) channel.otherBanks.insert(event.data[1]);
          break;
        case 0xC0:
          channel.programs.insert(event.data[0]);
          programChanged[number] = true;
          break;
      }
    }).has_value();
    if (!complete) return false;
  }
  return true;
}

}  // namespace

std::optional<std::set<PresetNumber>> presetsReachedBy(std::span<const std::span<const std::uint8_t>> pieces) {
  std::array<ChannelUse, kChannels> channels;
  bool systemExclusive = false;
  for (std::span<const std::uint8_t> piece : pieces) {
    if (!addUse(piece, channels, systemExclusive)) return std::nullopt;
  }
  std::set<PresetNumber> reached;
  for (std::size_t number = 0; number < kChannels; ++number) {
    ChannelUse& channel = channels[number];
    if (channel.notesBeforeProgramChange) channel.programs.insert(0);
    std::set<std::uint16_t> banks = channel.banks;
    if (number == kPercussionChannel) banks = {kPercussionBank};
    if (systemExclusive) {
      banks.insert(channel.banks.begin(), channel.banks.end());
      banks.insert(channel.otherBanks.begin(), channel.otherBanks.end());
      banks.insert(kPercussionBank);
    }
    for (std::uint16_t bank : banks) {
      for (std::uint16_t program : channel.programs) reached.insert({bank, program});
    }
  }
  return reached;
}

}  // namespace pryx::platform
