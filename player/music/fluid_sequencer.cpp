#include "player/music/fluid_sequencer.h"

#include "platform/files.h"
#include "player/music/midi_length.h"
#include "player/music/quarter_note_timing.h"
#include "player/music/soundfont.h"
#include "player/music/synth_messages.h"

#include <fluidsynth.h>

#include <algorithm>
#include <ostream>

namespace pryx::player {
namespace {

std::string withReason(const std::string& text, const std::string& reason) {
  return reason.empty() ? text : text + " (" + reason + ")";
}

// The audio drivers to try, the library's default first. The file driver would write
// a file instead of playing, and JACK may start a sound server: neither is tried.
std::vector<std::string> audioDrivers(fluid_settings_t* settings) {
  std::vector<std::string> available;
  fluid_settings_foreach_option(settings, "audio.driver", &available, [](void* data, const char*, const char* option) {
    static_cast<std::vector<std::string>*>(data)->emplace_back(option);
  });
  char* preferred = nullptr;  // fresh settings hold the library's choice for this system
  std::vector<std::string> wanted;
  if (fluid_settings_dupstr(settings, "audio.driver", &preferred) == FLUID_OK && preferred != nullptr) {
    wanted.emplace_back(preferred);
    fluid_free(preferred);
  }
  wanted.insert(wanted.end(),
                {"pulseaudio", "pipewire", "alsa", "sdl2", "oss", "coreaudio", "wasapi", "dsound", "waveout"});
  std::vector<std::string> drivers;
  for (const std::string& name : wanted) {
    const bool usable = name != "file" && name != "jack" &&
                        std::find(available.begin(), available.end(), name) != available.end() &&
                        std::find(drivers.begin(), drivers.end(), name) == drivers.end();
    if (usable) drivers.push_back(name);
  }
  return drivers;
}

}  // namespace

std::vector<std::string> playerSoundFonts(const std::string& programFolder) {
  std::vector<std::string> system;
  if (fluid_settings_t* settings = new_fluid_settings()) {
    char* libraryDefault = nullptr;
    if (fluid_settings_dupstr(settings, "synth.default-soundfont", &libraryDefault) == FLUID_OK &&
        libraryDefault != nullptr) {
      system.emplace_back(libraryDefault);
      fluid_free(libraryDefault);
    }
    delete_fluid_settings(settings);
  }
  const std::vector<std::string>& usual = usualSystemSoundFonts();
  system.insert(system.end(), usual.begin(), usual.end());
  return soundFontCandidates(programFolder, system);
}

class FluidSequencer::Synthesizer {
 public:
  Synthesizer() {
    routeSynthesizerMessages();
    settings_ = new_fluid_settings();
    if (settings_ == nullptr) return;
    fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
    // The library's default gain suits dense pieces; a game's music is usually sparse
    // and would play very softly.
    fluid_settings_setnum(settings_, "synth.gain", 0.5);
    synth_ = new_fluid_synth(settings_);
  }
  ~Synthesizer() {
    if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    if (settings_ != nullptr) delete_fluid_settings(settings_);
  }
  Synthesizer(const Synthesizer&) = delete;
  Synthesizer& operator=(const Synthesizer&) = delete;

  fluid_synth_t* synth() const { return synth_; }
  bool playsOnDevice() const { return driver_ != nullptr; }

  bool loadSoundFont(const std::string& path) {
    return synth_ != nullptr && fluid_synth_sfload(synth_, path.c_str(), 1) != FLUID_FAILED;
  }

  // Tries the drivers in turn; on failure, `reason` tells why the first one failed
  // and which others were tried.
  bool openDevice(std::string& reason) {
    const std::vector<std::string> drivers = audioDrivers(settings_);
    for (const std::string& name : drivers) {
      fluid_settings_setstr(settings_, "audio.driver", name.c_str());
      driver_ = new_fluid_audio_driver(settings_, synth_);
      if (driver_ != nullptr) return true;
      if (reason.empty()) reason = name + ": " + takeSynthesizerError();
    }
    if (drivers.size() > 1) {
      reason += "; also tried";
      for (std::size_t i = 1; i < drivers.size(); ++i) reason += (i == 1 ? " " : ", ") + drivers[i];
    }
    return false;
  }

  bool openFile(const std::string& path, std::string& reason) {
    fluid_settings_setstr(settings_, "audio.driver", "file");
    fluid_settings_setstr(settings_, "audio.file.name", path.c_str());
    driver_ = new_fluid_audio_driver(settings_, synth_);
    if (driver_ == nullptr) reason = "file " + path + ": " + takeSynthesizerError();
    return driver_ != nullptr;
  }

 private:
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_audio_driver_t* driver_ = nullptr;
};

class FluidSequencer::FilePlayer {
 public:
  FilePlayer(fluid_synth_t* synth, const std::vector<std::uint8_t>& piece)
      : synth_(synth), player_(new_fluid_player(synth)) {
    if (player_ != nullptr && fluid_player_add_mem(player_, piece.data(), piece.size()) != FLUID_OK) {
      delete_fluid_player(player_);
      player_ = nullptr;
    }
  }
  ~FilePlayer() {
    if (player_ == nullptr) return;
    stop();  // a player deleted while notes sound leaves them hanging
    delete_fluid_player(player_);
  }
  FilePlayer(const FilePlayer&) = delete;
  FilePlayer& operator=(const FilePlayer&) = delete;

  void play() {
    if (player_ != nullptr) fluid_player_play(player_);
  }
  void stop() {
    if (player_ == nullptr) return;
    fluid_player_stop(player_);
    fluid_synth_all_sounds_off(synth_, -1);
  }
  void rewind() {
    if (player_ != nullptr) fluid_player_seek(player_, 0);
  }

 private:
  fluid_synth_t* synth_;
  fluid_player_t* player_;
};

FluidSequencer::FluidSequencer(const std::vector<std::string>& soundFonts, AudioOutput output, std::ostream& notices,
                               const std::string& file)
    : notices_(notices), synthesizer_(std::make_unique<Synthesizer>()) {
  for (const std::string& path : soundFonts) {
    if (!looksLikeSoundFont(path)) {
      notices_ << "music: cannot load the SoundFont " << path << " (not a SoundFont)\n";
    } else if (synthesizer_->loadSoundFont(path)) {
      soundFont_ = path;
      break;
    } else {
      notices_ << withReason("music: cannot load the SoundFont " + path, takeSynthesizerError()) << '\n';
    }
  }
  if (soundFont_.empty()) {
    synthesizer_.reset();
    notices_ << "music: no SoundFont (put a .sf2 or .sf3 file beside the player or install a General MIDI "
                "SoundFont); the game plays without music\n";
    return;
  }
  std::string reason;
  const bool opened = output == AudioOutput::Memory ||
                      (output == AudioOutput::Device ? synthesizer_->openDevice(reason)
                                                     : synthesizer_->openFile(file, reason));
  if (!opened) {
    synthesizer_.reset();
    soundFont_.clear();
    const std::string what = output == AudioOutput::File ? "music: cannot write " + file : "music: no audio device";
    notices_ << withReason(what, reason) << "; the game plays without music\n";
  } else if (output == AudioOutput::File) {
    notices_ << "music: SoundFont " << soundFont_ << ", written to " << file << '\n';
  }
}

FluidSequencer::~FluidSequencer() = default;

bool FluidSequencer::open(const std::string& path) {
  close();
  std::string error;
  std::optional<platform::Bytes> piece = platform::readWholeFile(path, &error);
  if (!piece) {
    notices_ << "music: " << path << " " << error << "; that piece stays silent\n";
    return false;
  }
  std::optional<std::int64_t> length = midiLengthMilliseconds(*piece);
  if (!length) {
    notices_ << "music: " << path << " is not a MIDI file; that piece stays silent\n";
    return false;
  }
  open_ = true;
  length_ = *length;
  if (synthesizer_) player_ = std::make_unique<FilePlayer>(synthesizer_->synth(), withQuarterNoteTiming(*piece));
  return true;
}

void FluidSequencer::play() {
  if (player_) player_->play();
}

void FluidSequencer::stop() {
  if (player_) player_->stop();
}

void FluidSequencer::rewind() {
  if (player_) player_->rewind();
}

void FluidSequencer::close() {
  player_.reset();
  open_ = false;
  length_ = 0;
}

std::int64_t FluidSequencer::lengthMilliseconds() const { return open_ ? length_ : 0; }

std::vector<float> FluidSequencer::render(int frames) {
  std::vector<float> samples(static_cast<std::size_t>(std::max(frames, 0)) * 2, 0.0f);
  if (synthesizer_ && !synthesizer_->playsOnDevice() && frames > 0) {
    fluid_synth_write_float(synthesizer_->synth(), frames, samples.data(), 0, 2, samples.data(), 1, 2);
  }
  return samples;
}

}  // namespace pryx::player
