#pragma once
// Moves the progress bar along the bytes of the script in one pass, in steps of 4 KiB.

#include <cstddef>

#include "platform/progress.h"

namespace pryx::script {

class PassProgress {
 public:
  explicit PassProgress(platform::Progress* progress) : progress_(progress) {}

  // The pass has read up to byte `position`.
  void reached(std::size_t position) {
    std::size_t step = position / kStep;
    if (!progress_ || step <= step_) return;  // never back
    step_ = step;
    progress_->setValue(static_cast<int>(step * kStep));
  }

 private:
  static constexpr std::size_t kStep = 4096;
  platform::Progress* progress_;
  std::size_t step_ = 0;
};

}  // namespace pryx::script
