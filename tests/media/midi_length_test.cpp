#include "player/music/midi_length.h"
#include "player/music/quarter_note_timing.h"

#include "platform/files.h"
#include "tests/media/midi_builder.h"

#include <gtest/gtest.h>

namespace pryx::player {
namespace {

using test_support::Bytes;
using test_support::midiFile;
using test_support::Track;

Bytes sampleMusic(const std::string& name) {
  auto bytes = platform::readWholeFile(std::string(PRYX_SOURCE_DIR) + "/samples/tsukiyo/bgm/" + name);
  EXPECT_TRUE(bytes.has_value()) << name;
  return bytes.value_or(Bytes{});
}

TEST(MidiLength, SampleMusicLastsWhatItsTempoMapSays) {
  EXPECT_EQ(midiLengthMilliseconds(sampleMusic("tsukiyo.MID")), 33600);  // tempo change at tick 15360
  EXPECT_EQ(midiLengthMilliseconds(sampleMusic("matsuri.MID")), 27200);  // format 0, running status
  EXPECT_EQ(midiLengthMilliseconds(sampleMusic("yoake.MID")), 27000);
}

TEST(MidiLength, FollowsTempoChangesFromAnyTrackUpToTheLatestTrackEnd) {
  EXPECT_EQ(midiLengthMilliseconds(test_support::shortTune()), 1500);  // no tempo: 120 beats a minute

  // The conductor track ends first; the latest end is the bass track's, and its last
  // change comes too late to matter.
  Track conductor;
  conductor.tempo(0, 1000000).tempo(480, 250000).end(0);
  Track melody;
  melody.event(0, {0x90, 60, 100}).event(1440, {0x80, 60, 0}).end(0);
  Track bass;
  bass.tempo(960, 500000).tempo(960, 2000000).end(0);  // a change in an instrument's track counts too
  // 480 ticks at 1 s, 480 at 0.25 s, 960 at 0.5 s per quarter note.
  EXPECT_EQ(midiLengthMilliseconds(midiFile(1, 480, {conductor, melody, bass})), 1000 + 250 + 1000);
  EXPECT_EQ(midiLengthMilliseconds(midiFile(2, 480, {conductor, melody, bass})), 2250);

  // Two changes at the same tick: the later one in the file holds.
  Track doubled;
  doubled.tempo(0, 100000).tempo(0, 1000000).end(480);
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, 480, {doubled})), 1000);
}

TEST(MidiLength, RoundsToTheNearestMillisecond) {
  Track oneTick;
  oneTick.end(1);  // 500000 / 480 µs = 1.04 ms
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, 480, {oneTick})), 1);
  Track halfway;
  halfway.tempo(0, 1500).end(1);  // 1.5 ms
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, 1, {halfway})), 2);
  Track empty;
  empty.end(0);
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, 96, {empty})), 0);
}

TEST(MidiLength, ReadsTimeCodeDivisions) {
  Track track;
  track.tempo(0, 2000000).end(2500);  // the tempo does not matter with time code
  const auto division = test_support::timeCodeDivision;
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, division(25, 40), {track})), 2500);
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, division(24, 10), {track})), 10417);
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, division(30, 1), {track})), 83333);
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, division(29, 100), {track})), 834);  // 29.97 frames
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, division(23, 100), {track})), std::nullopt);
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, division(25, 0), {track})), std::nullopt);
}

TEST(QuarterNoteTiming, TimeCodePiecesKeepTheirTimingExactlyAndOthersStayAsTheyAre) {
  Track conductor;
  conductor.tempo(0, 250000).tempo(700, 2000000).end(3001);  // time code ignores tempo changes
  Track melody;
  melody.event(0, {0x90, 60, 100}).tempo(10, 400000).event(1234, {0x80, 60, 0}).end(5);
  for (const int frames : {24, 25, 29, 30}) {
    for (const int ticksPerFrame : {1, 4, 40, 80, 100, 255}) {
      const Bytes original = midiFile(1, test_support::timeCodeDivision(frames, ticksPerFrame), {conductor, melody});
      const Bytes converted = withQuarterNoteTiming(original);
      ASSERT_EQ(converted.size(), original.size() + 7);
      EXPECT_EQ(converted[12] & 0x80, 0) << "still time code";
      EXPECT_EQ(midiLengthMilliseconds(converted), midiLengthMilliseconds(original)) << frames << " " << ticksPerFrame;
      // Notes and ends keep their ticks: the conversion touches only timing.
      EXPECT_EQ(midiLengthMilliseconds(withQuarterNoteTiming(converted)), midiLengthMilliseconds(converted));
    }
  }
  const Bytes quarterNotes = midiFile(1, 480, {conductor, melody});
  EXPECT_EQ(withQuarterNoteTiming(quarterNotes), quarterNotes);
  const Bytes broken(quarterNotes.begin(), quarterNotes.end() - 3);
  EXPECT_EQ(withQuarterNoteTiming(broken), broken);
}

TEST(MidiLength, SkipsMetaSystemExclusiveAndUnknownChunks) {
  Track track;
  track.event(0, {0x90, 60, 100})
      .event(0, {0xFF, 0x03, 0x04, 'S', 'o', 'n', 'g'})  // track name
      .event(0, {62, 100})                               // running status survives the meta event
      .event(10, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7})
      .event(10, {0xF7, 0x02, 0xF3, 0x01})  // escaped bytes
      .event(460, {0xE0, 0x00, 0x40})
      .event(0, {0xD0, 0x20})  // one data byte
      .end(0)
      .event(480, {0x90, 64, 100});  // after End of Track: not played
  Bytes file;
  Bytes longHeader{0, 1, 0, 1, 1, 0xE0, 0xAA, 0xBB};  // format 1, one track, 480; two extra bytes
  test_support::appendChunk(file, "MThd", longHeader);
  test_support::appendChunk(file, "XFIH", {1, 2, 3});
  test_support::appendChunk(file, "MTrk", track.bytes());
  EXPECT_EQ(midiLengthMilliseconds(file), 500);

  Track withoutEnd;
  withoutEnd.event(0, {0x90, 60, 100}).event(960, {0x80, 60, 0});
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, 480, {withoutEnd})), 1000);
}

TEST(MidiLength, EveryCutOffFileIsNoMidiFile) {
  const Bytes whole = sampleMusic("tsukiyo.MID");
  ASSERT_FALSE(whole.empty());
  for (std::size_t length = 0; length < whole.size(); ++length) {
    ASSERT_EQ(midiLengthMilliseconds(std::span(whole.data(), length)), std::nullopt) << "cut at " << length;
  }
}

TEST(MidiLength, RefusesWhatNoMidiFileHolds) {
  const auto withTrack = [](const Track& track) { return midiLengthMilliseconds(midiFile(0, 480, {track})); };
  Track dataWithoutStatus;
  dataWithoutStatus.event(0, {60, 100}).end(0);
  EXPECT_EQ(withTrack(dataWithoutStatus), std::nullopt);
  Track realTime;
  realTime.event(0, {0xF8}).end(0);
  EXPECT_EQ(withTrack(realTime), std::nullopt);
  Track fiveByteDelta;
  fiveByteDelta.event(0, {0x90, 60, 100});
  Bytes tooLong = fiveByteDelta.bytes();
  tooLong.insert(tooLong.end(), {0x81, 0x80, 0x80, 0x80, 0x00, 0xFF, 0x2F, 0x00});
  Bytes file;
  test_support::appendChunk(file, "MThd", {0, 0, 0, 1, 1, 0xE0});
  test_support::appendChunk(file, "MTrk", tooLong);
  EXPECT_EQ(midiLengthMilliseconds(file), std::nullopt);

  Track fine;
  fine.end(10);
  EXPECT_EQ(midiLengthMilliseconds(midiFile(3, 480, {fine})), std::nullopt);  // no such format
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, 0, {fine})), std::nullopt);    // no ticks per quarter
  EXPECT_EQ(midiLengthMilliseconds(midiFile(1, 480, {})), std::nullopt);      // no track
  Bytes missingTrack = midiFile(1, 480, {fine, fine});
  missingTrack.resize(missingTrack.size() - fine.bytes().size() - 8);
  EXPECT_EQ(midiLengthMilliseconds(missingTrack), std::nullopt);
  Bytes shortHeader;
  test_support::appendChunk(shortHeader, "MThd", {0, 0, 0, 1});
  test_support::appendChunk(shortHeader, "MTrk", fine.bytes());
  EXPECT_EQ(midiLengthMilliseconds(shortHeader), std::nullopt);
  Bytes riff{'R', 'I', 'F', 'F', 0, 0, 0, 0};
  EXPECT_EQ(midiLengthMilliseconds(riff), std::nullopt);
}

TEST(MidiLength, HugeTimesSaturateInsteadOfOverflowing) {
  Track slow;
  slow.tempo(0, 0xFFFFFF).end(0x0FFFFFFF);  // the largest tempo and delta time
  EXPECT_EQ(midiLengthMilliseconds(midiFile(0, 1, {slow})), 4503599342158);
  Track endless;
  endless.tempo(0, 0xFFFFFF);
  for (int i = 0; i < 5000; ++i) endless.event(0x0FFFFFFF, {0xFF, 0x01, 0x00});
  std::optional<std::int64_t> length = midiLengthMilliseconds(midiFile(0, 1, {endless}));
  ASSERT_TRUE(length.has_value());
  EXPECT_GT(*length, 4503599342158);
}

}  // namespace
}  // namespace pryx::player
