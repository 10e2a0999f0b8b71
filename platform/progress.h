#pragma once
// What a long operation tells its progress window: a caption, a line of text, and a
// bar from 0 to a maximum. The editor shows a window; the command line draws a bar
// on a terminal; tests and batch runs use SilentProgress.

#include <string_view>

namespace pryx::platform {

class Progress {
 public:
  virtual ~Progress() = default;
  // Shows the window with a caption, without waiting.
  virtual void show(std::string_view caption) = 0;
  virtual void setLabel(std::string_view text) = 0;
  virtual void setMaximum(int maximum) = 0;
  virtual void setValue(int value) = 0;
  virtual void hide() = 0;
};

class SilentProgress final : public Progress {
 public:
  void show(std::string_view) override {}
  void setLabel(std::string_view) override {}
  void setMaximum(int) override {}
  void setValue(int) override {}
  void hide() override {}
};

}  // namespace pryx::platform
