#include "player/headless/recording_sequencer.h"

#include "platform/files.h"

namespace pryx::player::headless {

RecordingSequencer::RecordingSequencer(const Clock& clock, LengthOf lengthOf, Keep keep)
    : clock_(clock), lengthOf_(std::move(lengthOf)), keep_(keep) {}

bool RecordingSequencer::open(const std::string& path) {
  record(Action::Open, path);
  open_ = platform::fileExists(path);
  length_ = open_ && lengthOf_ ? lengthOf_(path) : 0;
  return open_;
}

void RecordingSequencer::play() { record(Action::Play); }
void RecordingSequencer::stop() { record(Action::Stop); }
void RecordingSequencer::rewind() { record(Action::Rewind); }

void RecordingSequencer::close() {
  record(Action::Close);
  open_ = false;
}

void RecordingSequencer::record(Action action, std::string path) {
  ++counts_[static_cast<std::size_t>(action)];
  if (keep_ == Keep::Calls) calls_.push_back({action, clock_.milliseconds(), std::move(path)});
}

}  // namespace pryx::player::headless
