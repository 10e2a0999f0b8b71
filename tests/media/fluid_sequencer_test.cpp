#include "player/music/fluid_sequencer.h"
#include "player/music/soundfont.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "tests/media/midi_builder.h"
#include "tests/media/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace pryx::player {
namespace {

constexpr int kFramesPerSecond = FluidSequencer::kSampleRate;

int frames(double seconds) { return static_cast<int>(seconds * kFramesPerSecond); }

// Louder than -60 dB: what is left of the reverberation after a stop is quieter.
bool hasSound(const std::vector<float>& samples) {
  return std::any_of(samples.begin(), samples.end(), [](float sample) { return std::abs(sample) > 0.001f; });
}

// The last `seconds` of a rendering.
std::vector<float> tail(const std::vector<float>& samples, double seconds) {
  const std::size_t count = std::min(samples.size(), static_cast<std::size_t>(frames(seconds)) * 2);
  return {samples.end() - static_cast<std::ptrdiff_t>(count), samples.end()};
}

std::size_t lineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class FluidSequencerTest : public ::testing::Test {
 protected:
  std::string writeFile(const std::string& name, const test_support::Bytes& bytes) {
    std::string path = folder_.file(name);
    EXPECT_TRUE(platform::writeFileReplacing(path, bytes));
    return path;
  }
  std::string tunePath() { return writeFile("tune.MID", test_support::shortTune()); }

  // A sequencer rendering into memory with the system's SoundFont.
  std::unique_ptr<FluidSequencer> memorySequencer() {
    auto sequencer = std::make_unique<FluidSequencer>(playerSoundFonts(folder_.path()), AudioOutput::Memory, notices_);
    EXPECT_TRUE(sequencer->audible()) << "no General MIDI SoundFont installed? " << notices_.str();
    return sequencer;
  }

  test_support::TemporaryFolder folder_{"music"};
  std::ostringstream notices_;
};

TEST_F(FluidSequencerTest, RendersAGeneratedTuneIntoMemory) {
  auto sequencer = memorySequencer();
  ASSERT_TRUE(sequencer->open(tunePath()));
  EXPECT_EQ(sequencer->lengthMilliseconds(), 1500);
  EXPECT_FALSE(hasSound(sequencer->render(frames(0.2))));  // opened, not yet playing
  sequencer->play();
  EXPECT_TRUE(hasSound(sequencer->render(frames(0.5))));
  EXPECT_EQ(notices_.str(), "");
}

TEST_F(FluidSequencerTest, RendersTheSampleMusic) {
  auto sequencer = memorySequencer();
  ASSERT_TRUE(sequencer->open(std::string(PRYX_SOURCE_DIR) + "/samples/tsukiyo/bgm/tsukiyo.MID"));
  EXPECT_EQ(sequencer->lengthMilliseconds(), 33600);
  sequencer->play();
  EXPECT_TRUE(hasSound(sequencer->render(frames(3))));
}

TEST_F(FluidSequencerTest, TimeCodeTimedPiecesPlayAtTheirFrameRate) {
  // A note after one second of time code (1.001 s at 29.97 frames); the tempo change,
  // which time code ignores, would bring it four times earlier.
  for (const auto& [rate, ticksPerFrame] : {std::pair{25, 40}, std::pair{29, 100}, std::pair{24, 1}}) {
    const auto second = static_cast<std::uint32_t>((rate == 29 ? 30 : rate) * ticksPerFrame);
    test_support::Track track;
    track.tempo(0, 125000).event(0, {0xC0, 0x00}).event(second, {0x90, 60, 100}).event(second / 2, {0x80, 60, 0}).end(0);
    const auto division = test_support::timeCodeDivision(rate, ticksPerFrame);
    const std::string path = writeFile("timecode.MID", test_support::midiFile(0, division, {track}));
    auto sequencer = memorySequencer();
    ASSERT_TRUE(sequencer->open(path));
    sequencer->play();
    EXPECT_FALSE(hasSound(sequencer->render(frames(0.9)))) << rate;
    EXPECT_TRUE(hasSound(sequencer->render(frames(0.3)))) << rate;
  }
  EXPECT_EQ(notices_.str(), "");
}

TEST_F(FluidSequencerTest, StopSilencesAtOnceAndPlayGoesOnFromThere) {
  auto sequencer = memorySequencer();
  ASSERT_TRUE(sequencer->open(tunePath()));
  sequencer->play();
  ASSERT_TRUE(hasSound(sequencer->render(frames(0.3))));
  sequencer->stop();
  // No note hangs: once the reverberation has died away there is silence.
  EXPECT_FALSE(hasSound(tail(sequencer->render(frames(2)), 0.5)));
  sequencer->play();  // on from 0.3 s: the held chord was cut, the next note comes at 1 s
  EXPECT_FALSE(hasSound(sequencer->render(frames(0.5))));
  EXPECT_TRUE(hasSound(sequencer->render(frames(0.5))));
}

TEST_F(FluidSequencerTest, RewindRestartsFromTheBeginningDuringAndAfterThePiece) {
  auto sequencer = memorySequencer();
  ASSERT_TRUE(sequencer->open(tunePath()));
  sequencer->play();
  sequencer->render(frames(1.2));  // into the single note after the chord
  // What the music timer does at the end time: stop, back to the beginning, play.
  sequencer->stop();
  sequencer->rewind();
  sequencer->play();
  EXPECT_TRUE(hasSound(sequencer->render(frames(0.3))));  // the chord again

  // Long after the piece has ended, the same restarts it.
  EXPECT_FALSE(hasSound(tail(sequencer->render(frames(6)), 0.5)));
  sequencer->stop();
  sequencer->rewind();
  sequencer->play();
  EXPECT_TRUE(hasSound(sequencer->render(frames(0.3))));
}

TEST_F(FluidSequencerTest, CloseSilencesAndForgetsThePiece) {
  auto sequencer = memorySequencer();
  ASSERT_TRUE(sequencer->open(tunePath()));
  sequencer->play();
  ASSERT_TRUE(hasSound(sequencer->render(frames(0.3))));
  sequencer->close();
  EXPECT_EQ(sequencer->lengthMilliseconds(), 0);
  sequencer->play();  // nothing open: no effect
  sequencer->rewind();
  EXPECT_FALSE(hasSound(tail(sequencer->render(frames(2)), 0.5)));
}

TEST_F(FluidSequencerTest, APieceThatIsNoMidiFileStaysSilent) {
  auto sequencer = memorySequencer();
  ASSERT_TRUE(sequencer->open(tunePath()));
  test_support::Bytes broken = test_support::shortTune();
  broken.resize(broken.size() - 5);
  const std::string brokenPath = writeFile("broken.MID", broken);
  EXPECT_FALSE(sequencer->open(brokenPath));
  EXPECT_EQ(sequencer->lengthMilliseconds(), 0);  // the previous piece is closed too
  sequencer->play();
  EXPECT_FALSE(hasSound(sequencer->render(frames(0.5))));
  EXPECT_FALSE(sequencer->open(folder_.file("missing.MID")));
  EXPECT_NE(notices_.str().find(brokenPath + " is not a MIDI file"), std::string::npos) << notices_.str();
  EXPECT_NE(notices_.str().find("missing.MID does not exist"), std::string::npos) << notices_.str();

  ASSERT_TRUE(sequencer->open(tunePath()));  // the next good piece plays
  sequencer->play();
  EXPECT_TRUE(hasSound(sequencer->render(frames(0.3))));
}

TEST_F(FluidSequencerTest, WithoutASoundFontTheMusicIsSilentAfterOneNotice) {
  FluidSequencer sequencer({}, AudioOutput::Memory, notices_);
  EXPECT_FALSE(sequencer.audible());
  EXPECT_EQ(sequencer.soundFont(), "");
  ASSERT_TRUE(sequencer.open(tunePath()));
  EXPECT_EQ(sequencer.lengthMilliseconds(), 1500);  // the music timer still runs
  sequencer.play();
  EXPECT_FALSE(hasSound(sequencer.render(frames(0.5))));
  sequencer.stop();
  sequencer.rewind();
  ASSERT_TRUE(sequencer.open(tunePath()));
  sequencer.play();
  EXPECT_EQ(lineCount(notices_.str()), 1u) << notices_.str();
  EXPECT_NE(notices_.str().find("no SoundFont"), std::string::npos);
}

TEST_F(FluidSequencerTest, ABrokenSoundFontBesideThePlayerGivesWayToTheNext) {
  const std::string broken = writeFile("game.sf2", test_support::Bytes{'R', 'I', 'F', 'F', 1, 2, 3});
  const std::vector<std::string> candidates = playerSoundFonts(folder_.path());
  ASSERT_GE(candidates.size(), 2u);
  EXPECT_EQ(candidates.front(), broken);
  FluidSequencer sequencer(candidates, AudioOutput::Memory, notices_);
  EXPECT_TRUE(sequencer.audible());
  EXPECT_EQ(sequencer.soundFont(), candidates[1]);
  EXPECT_EQ(lineCount(notices_.str()), 1u) << notices_.str();
  EXPECT_NE(notices_.str().find("cannot load the SoundFont " + broken), std::string::npos) << notices_.str();
}

TEST_F(FluidSequencerTest, TheAudioDeviceOrOneNoticeAndSilence) {
  // On a machine without sound hardware (as in CI) this takes the silent way.
  FluidSequencer sequencer(playerSoundFonts(folder_.path()), AudioOutput::Device, notices_);
  if (sequencer.audible()) {
    EXPECT_EQ(notices_.str(), "");
  } else {
    EXPECT_EQ(lineCount(notices_.str()), 1u) << notices_.str();
    EXPECT_NE(notices_.str().find("no audio device"), std::string::npos) << notices_.str();
  }
  ASSERT_TRUE(sequencer.open(tunePath()));
  sequencer.play();
  sequencer.stop();
  sequencer.rewind();
  sequencer.close();
  EXPECT_FALSE(hasSound(sequencer.render(frames(0.1))));  // the device takes the sound, not render
}

TEST(SoundFontSearch, PrefersTheGamesOwnSoundFontsThenTheSystemsThatExist) {
  test_support::TemporaryFolder folder("soundfonts");
  const std::string base = folder.path();
  std::filesystem::create_directories(platform::toFsPath(folder.file("inner.sf2")));  // a folder, not a SoundFont
  for (const char* name : {"b.SF2", "a.sf3", "notes.txt", "sf2", "c.sf2.bak"}) {
    ASSERT_TRUE(platform::writeFileReplacing(platform::GetPath(base, name), std::string_view("x")));
  }
  const std::string system = platform::GetPath(base, "c.sf2.bak");
  const std::vector<std::string> candidates =
      soundFontCandidates(base, {"/no/such/folder/default-GM.sf2", system, platform::GetPath(base, "a.sf3")});
  EXPECT_EQ(candidates,
            (std::vector<std::string>{platform::GetPath(base, "a.sf3"), platform::GetPath(base, "b.SF2"), system}));
  EXPECT_EQ(soundFontCandidates(platform::GetPath(base, "missing-folder"), {}), std::vector<std::string>{});
}

}  // namespace
}  // namespace pryx::player
