// The SoundFont a distribution carries, cut down to what the game's music selects,
// must sound exactly as the whole one: the player's own synthesizer renders every
// piece of the samples from both, sample for sample.

#include "player/music/fluid_sequencer.h"

#include "platform/files.h"
#include "platform/midi_presets.h"
#include "platform/soundfont_cut.h"
#include "tests/media/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

}  // namespace
}  // namespace pryx::player
