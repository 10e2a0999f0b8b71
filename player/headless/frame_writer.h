#pragma once
// Writes the picture as a PNG file at every wait of a run: NNNN-KIND.png in a folder,
// numbered from 1 in the order of the waits.

#include <string>

#include "player/observer.h"
#include "player/screen/screen.h"

namespace pryx::player::headless {

class FrameWriter final : public PlayObserver {
 public:
  explicit FrameWriter(std::string folder) : folder_(std::move(folder)) {}

  void watch(const Screen& screen) { screen_ = &screen; }
  void waitStarted(std::int32_t pc, WaitKind kind) override;

  int written() const { return written_; }
  const std::string& failure() const { return failure_; }  // the first file that could not be written

 private:
  std::string folder_;
  const Screen* screen_ = nullptr;
  int written_ = 0;
  int waits_ = 0;
  std::string failure_;
};

}  // namespace pryx::player::headless
