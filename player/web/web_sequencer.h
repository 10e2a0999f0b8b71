#pragma once
// The game's music in a web page: the MIDI file's bytes go to the page's synthesizer
// (host.js), which plays them; the piece's length comes from its tempo map, as on
// the desktop, so the engine loops it at the same moments.

#include <cstdint>
#include <string>

#include "player/sequencer.h"

namespace pryx::player::web {

class WebSequencer final : public Sequencer {
 public:
  bool open(const std::string& path) override;
  void play() override;
  void stop() override;
  void rewind() override;
  void close() override;
  std::int64_t lengthMilliseconds() const override { return open_ ? length_ : 0; }

 private:
  bool open_ = false;
  std::int64_t length_ = 0;
};

}  // namespace pryx::player::web
