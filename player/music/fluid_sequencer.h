#pragma once
// The player's MIDI sequencer on the FluidSynth software synthesizer. Whatever goes
// wrong with the sound (no SoundFont, no audio device) leaves the game playing in
// silence with one notice; a file that is no MIDI file leaves that piece silent.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "player/sequencer.h"

namespace pryx::player {

enum class AudioOutput {
  Device,  // the system's audio device plays the sound as it is made
  Memory,  // nothing plays by itself; render() takes the sound (tests, no device needed)
  File,    // the sound is written as it is made into a WAV file (checks on machines without sound)
};

// The SoundFonts the player tries: those beside the player, then the system's.
std::vector<std::string> playerSoundFonts(const std::string& programFolder);

class FluidSequencer final : public Sequencer {
 public:
  static constexpr int kSampleRate = 44100;

  // Loads the first SoundFont of `soundFonts` that loads and opens the output
  // (`file` for AudioOutput::File, which also tells the SoundFont on `notices`).
  // Problems are told on `notices`, once, and make the music silent.
  FluidSequencer(const std::vector<std::string>& soundFonts, AudioOutput output, std::ostream& notices,
                 const std::string& file = {});
  ~FluidSequencer() override;
  FluidSequencer(const FluidSequencer&) = delete;
  FluidSequencer& operator=(const FluidSequencer&) = delete;

  bool open(const std::string& path) override;
  void play() override;
  void stop() override;
  void rewind() override;
  void close() override;
  std::int64_t lengthMilliseconds() const override;

  // Whether music can be heard: a SoundFont is loaded and the output works.
  bool audible() const { return synthesizer_ != nullptr; }
  // The SoundFont in use; empty when silent.
  const std::string& soundFont() const { return soundFont_; }

  // Memory output: the next `frames` of sound as interleaved stereo samples from -1
  // to 1, moving the music on as playing would. Silence when not audible.
  std::vector<float> render(int frames);

 private:
  class Synthesizer;  // FluidSynth's settings, synthesizer and audio driver
  class FilePlayer;   // FluidSynth's player of one piece

  std::ostream& notices_;
  std::unique_ptr<Synthesizer> synthesizer_;  // null while silent
  std::unique_ptr<FilePlayer> player_;        // null while no piece is open or silent
  std::string soundFont_;

  bool open_ = false;
  std::int64_t length_ = 0;
};

}  // namespace pryx::player
