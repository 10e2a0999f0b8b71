#pragma once
// What the compiler skips or turns into 0 without a word. The build ignores these;
// `pryx check` prints them with the script's file name and the line number.

#include <string>
#include <string_view>
#include <vector>

namespace pryx::script {

struct Finding {
  int line;             // 1-based; 0 when the finding concerns the whole script
  std::string message;  // UTF-8
};

using Findings = std::vector<Finding>;

// Orders findings by line, keeping the order of those on the same line.
void sortByLine(Findings& findings);

// A script text (Shift-JIS) in double quotes as UTF-8 for a message; long texts are
// shortened.
std::string quoted(std::string_view sjisText);

}  // namespace pryx::script
