#pragma once
// A progress window that remembers what it was told, one line per call.

#include "platform/progress.h"

#include <string>
#include <vector>

namespace pryx::testing {

class RecordingProgress final : public platform::Progress {
 public:
  void show(std::string_view caption) override { calls.push_back("show " + std::string(caption)); }
  void setLabel(std::string_view text) override { calls.push_back("label " + std::string(text)); }
  void setMaximum(int maximum) override { calls.push_back("maximum " + std::to_string(maximum)); }
  void setValue(int value) override { calls.push_back("value " + std::to_string(value)); }
  void hide() override { calls.push_back("hide"); }

  std::vector<std::string> calls;
};

}  // namespace pryx::testing
