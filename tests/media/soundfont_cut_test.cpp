// The SoundFont a distribution carries, cut down to what the game's music selects,
// must sound exactly as the whole one: the player's own synthesizer renders every
// piece of the samples from both, sample for sample.

#include "player/music/fluid_sequencer.h"

#include "platform/files.h"
#include "platform/midi_presets.h"
#include "platform/soundfont_cut.h"
#include "tests/media/midi_builder.h"
#include "tests/media/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <random>
#include <sstream>

namespace pryx::player {
namespace {

constexpr const char* kWholeSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// The piece played to its end and a second round after a rewind, as the game loops it.
std::vector<float> rendering(const std::string& soundFont, const std::string& piece) {
  std::ostringstream notices;
  FluidSequencer sequencer({soundFont}, AudioOutput::Memory, notices);
  EXPECT_TRUE(sequencer.open(piece)) << notices.str();
  const int frames = static_cast<int>(sequencer.lengthMilliseconds() * FluidSequencer::kSampleRate / 1000);
  sequencer.play();
  std::vector<float> sound = sequencer.render(frames + FluidSequencer::kSampleRate);
  sequencer.rewind();
  std::vector<float> again = sequencer.render(FluidSequencer::kSampleRate * 3);
  sound.insert(sound.end(), again.begin(), again.end());
  EXPECT_EQ(notices.str(), "");
  return sound;
}

std::optional<platform::Bytes> cut(const platform::Bytes& whole, std::span<const platform::Bytes> pieces) {
  std::optional<std::set<platform::PresetNumber>> presets =
      platform::presetsReachedBy(std::vector<std::span<const std::uint8_t>>(pieces.begin(), pieces.end()));
  EXPECT_TRUE(presets);
  std::string error;
  std::optional<platform::Bytes> cutDown = presets ? platform::cutSoundFont(whole, *presets, &error) : std::nullopt;
  EXPECT_TRUE(cutDown) << error;
  // What a cut leaves, a second cut keeps.
  if (cutDown) {
    EXPECT_EQ(platform::cutSoundFont(*cutDown, *presets, nullptr), cutDown);
  }
  return cutDown;
}

// Each piece from the SoundFont cut to it alone, and from the one cut to the whole game.
TEST(SoundFontCut, TheSamplesMusicSoundsTheSameFromTheCutSoundFont) {
  std::optional<platform::Bytes> whole = platform::readWholeFile(kWholeSoundFont);
  ASSERT_TRUE(whole) << "TimGM6mb is not installed";
  test_support::TemporaryFolder folder("soundfont-cut");
  std::vector<std::string> pieces;
  std::vector<platform::Bytes> music;
  for (const auto& entry : std::filesystem::directory_iterator(PRYX_SOURCE_DIR "/samples/tsukiyo/bgm")) {
    pieces.push_back(entry.path().string());
    music.push_back(*platform::readWholeFile(pieces.back()));
  }
  ASSERT_EQ(pieces.size(), 3u);
  std::optional<platform::Bytes> forTheGame = cut(*whole, music);
  ASSERT_TRUE(forTheGame);
  EXPECT_LT(forTheGame->size(), whole->size() / 3);
  const std::string gamePath = folder.file("game.sf2");
  ASSERT_TRUE(platform::writeFileReplacing(gamePath, *forTheGame));
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    std::optional<platform::Bytes> forThePiece = cut(*whole, std::span(music).subspan(i, 1));
    ASSERT_TRUE(forThePiece);
    const std::string piecePath = folder.file(std::to_string(i) + ".sf2");
    ASSERT_TRUE(platform::writeFileReplacing(piecePath, *forThePiece));
    const std::vector<float> expected = rendering(kWholeSoundFont, pieces[i]);
    EXPECT_TRUE(std::any_of(expected.begin(), expected.end(), [](float sample) { return sample != 0; }));
    EXPECT_EQ(rendering(piecePath, pieces[i]), expected) << pieces[i];
    EXPECT_EQ(rendering(gamePath, pieces[i]), expected) << pieces[i];
  }
}

// Pieces of random program changes, bank selects (to banks the SoundFont lacks, too),
// notes on any channel from several tracks and now and then a channel made a
// percussion one: each sounds from the SoundFont cut down to it as from the whole.
TEST(SoundFontCut, RandomPiecesSoundTheSameFromTheirCutSoundFont) {
  std::optional<platform::Bytes> whole = platform::readWholeFile(kWholeSoundFont);
  ASSERT_TRUE(whole) << "TimGM6mb is not installed";
  test_support::TemporaryFolder folder("soundfont-cut-random");
  std::mt19937 random(2026);
  auto pick = [&](int below) {
    return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, below - 1)(random));
  };
  for (int round = 0; round < 24; ++round) {
    std::vector<test_support::Track> tracks(1 + pick(3));
    // Half of the programs are the numbers of TimGM6mb's drum kits.
    auto program = [&] {
      return pick(2) == 0 ? std::array<std::uint8_t, 8>{0, 8, 16, 24, 25, 32, 40, 48}[pick(8)] : pick(128);
    };
    for (test_support::Track& track : tracks) {
      // Some tracks choose a kit before their first drum note: only a fallback plays a missing one.
      if (round % 3 == 0) track.event(0, {0xC9, program()});
      for (int event = 0; event < 12; ++event) {
        const std::uint8_t channel = pick(4) == 0 ? 9 : pick(16);
        const std::uint32_t delta = pick(3) * 120u;
        switch (pick(6)) {
          case 0:
            track.event(delta, {static_cast<std::uint8_t>(0xC0 | channel), program()});
            break;
          case 1:
            track.event(delta, {static_cast<std::uint8_t>(0xB0 | channel), 0,
                                std::array<std::uint8_t, 4>{0, 1, 8, 127}[pick(4)]});
            break;
          case 2:
            if (round % 2 == 1) {  // GS's "use for rhythm part" to every device: 0 melodic, 1 or 2 a drum map
              const auto part = static_cast<std::uint8_t>(channel == 9 ? 0x10 : 0x11 + channel - (channel > 9));
              const std::uint8_t map = pick(3);
              const auto checksum = static_cast<std::uint8_t>((128 - (0x40 + part + 0x15 + map) % 128) % 128);
              track.event(delta, {0xF0, 10, 0x41, 0x7F, 0x42, 0x12, 0x40, part, 0x15, map, checksum, 0xF7});
            }
            break;
          default: {
            const std::uint8_t key = static_cast<std::uint8_t>(36 + pick(48));
            track.event(delta, {static_cast<std::uint8_t>(0x90 | channel), key, 100})
                .event(240, {static_cast<std::uint8_t>(0x80 | channel), key, 0});
          }
        }
      }
      track.end(0);
    }
    const test_support::Bytes piece = test_support::midiFile(1, 480, tracks);
    const std::string piecePath = folder.file("piece.MID");
    ASSERT_TRUE(platform::writeFileReplacing(piecePath, piece));
    std::optional<platform::Bytes> forThePiece = cut(*whole, std::span(&piece, 1));
    ASSERT_TRUE(forThePiece);
    const std::string cutPath = folder.file("piece.sf2");
    ASSERT_TRUE(platform::writeFileReplacing(cutPath, *forThePiece));
    EXPECT_EQ(rendering(cutPath, piecePath), rendering(kWholeSoundFont, piecePath)) << "round " << round;
  }
}

}  // namespace
}  // namespace pryx::player
