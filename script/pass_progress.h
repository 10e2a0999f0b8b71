#pragma once
// Moves the progress bar along the elements of one pass, in steps of 100 elements.

#include <cstddef>

#include "platform/progress.h"

namespace pryx::script {

class PassProgress {
 public:
  explicit PassProgress(platform::Progress* progress) : progress_(progress) {}

  // The pass has read up to element `index`.
  void reached(std::size_t index) {
    std::size_t step = index / kStep;
    if (!progress_ || step == step_) return;
    step_ = step;
    progress_->setValue(static_cast<int>(step * kStep));
  }

 private:
  static constexpr std::size_t kStep = 100;
  platform::Progress* progress_;
  std::size_t step_ = 0;
};

}  // namespace pryx::script
