#pragma once
// The progress of a long operation as one line on a terminal: the label, a bar and
// a percentage, redrawn only when they change.

#include <iosfwd>
#include <string>

#include "platform/progress.h"

namespace pryx::cli {

class TerminalProgress final : public platform::Progress {
 public:
  explicit TerminalProgress(std::ostream& out) : out_(out) {}

  void show(std::string_view caption) override;
  void setLabel(std::string_view text) override;
  void setMaximum(int maximum) override;
  void setValue(int value) override;
  void hide() override;

  // True when `stream` (stdout or stderr) is a terminal, where a bar can be redrawn.
  static bool isTerminal(const std::ostream& stream);

 private:
  void draw();

  std::ostream& out_;
  std::string label_;
  int maximum_ = 0;
  int value_ = 0;
  int drawnPercent_ = -1;
  bool visible_ = false;
};

}  // namespace pryx::cli
