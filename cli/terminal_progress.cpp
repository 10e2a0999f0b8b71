#include "cli/terminal_progress.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define STDOUT_FILENO 1
#define STDERR_FILENO 2
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <iostream>

namespace pryx::cli {
namespace {
constexpr int kBarWidth = 30;
}

void TerminalProgress::show(std::string_view caption) {
  visible_ = true;
  out_ << caption << '\n';
  drawnPercent_ = -1;
}

void TerminalProgress::setLabel(std::string_view text) {
  label_ = text;
  drawnPercent_ = -1;
  draw();
}

void TerminalProgress::setMaximum(int maximum) {
  maximum_ = maximum;
  draw();
}

void TerminalProgress::setValue(int value) {
  value_ = value;
  draw();
}

void TerminalProgress::hide() {
  if (!visible_) return;
  visible_ = false;
  out_ << "\r\033[K" << std::flush;
}

void TerminalProgress::draw() {
  if (!visible_) return;
  int percent = maximum_ > 0 ? static_cast<int>(100LL * std::min(std::max(value_, 0), maximum_) / maximum_) : 0;
  if (percent == drawnPercent_) return;
  drawnPercent_ = percent;
  int filled = percent * kBarWidth / 100;
  out_ << "\r\033[K[" << std::string(static_cast<std::size_t>(filled), '#')
       << std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') << "] " << percent << "%  " << label_
       << std::flush;
}

bool TerminalProgress::isTerminal(const std::ostream& stream) {
  if (&stream == &std::cerr || &stream == &std::clog) return isatty(STDERR_FILENO) == 1;
  if (&stream == &std::cout) return isatty(STDOUT_FILENO) == 1;
  return false;
}

}  // namespace pryx::cli
