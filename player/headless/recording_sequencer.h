#pragma once
// A sequencer that plays nothing and counts what it was told: the music as a test
// sees it. A looping piece restarts for as long as a run lasts, so the list of calls
// with their times is kept only when a test asks for it. Pieces open when their file
// can be read.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "player/host.h"
#include "player/sequencer.h"

namespace pryx::player::headless {

class RecordingSequencer final : public Sequencer {
 public:
  enum class Action { Open, Play, Stop, Rewind, Close };
  struct Call {
    Action action;
    std::int64_t at;   // clock milliseconds
    std::string path;  // for Open
  };
  // The length in milliseconds a piece reports, by its path.
  using LengthOf = std::function<std::int64_t(const std::string& path)>;

  enum class Keep { Counts, Calls };

  RecordingSequencer(const Clock& clock, LengthOf lengthOf, Keep keep = Keep::Counts);

  bool open(const std::string& path) override;
  void play() override;
  void stop() override;
  void rewind() override;
  void close() override;
  std::int64_t lengthMilliseconds() const override { return open_ ? length_ : 0; }

  const std::vector<Call>& calls() const { return calls_; }  // empty unless Keep::Calls
  std::int64_t count(Action action) const { return counts_[static_cast<std::size_t>(action)]; }

 private:
  void record(Action action, std::string path = {});

  const Clock& clock_;
  LengthOf lengthOf_;
  Keep keep_;
  std::array<std::int64_t, 5> counts_{};
  bool open_ = false;
  std::int64_t length_ = 0;
  std::vector<Call> calls_;
};

}  // namespace pryx::player::headless
