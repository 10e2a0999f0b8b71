#pragma once
// What the distribution builder would write differently from what the author sees:
// references to entries that do not exist, buttons left out behind an empty slot,
// texts and numbers that do not fit their fields; and what the story graph shows
// wrong: pages no route reaches, pages where the game ends, jumps to no page and
// variables tested but never set.

#include "project/project.h"

#include <string>
#include <string_view>
#include <vector>

namespace pryx::project {

struct Finding {
  int page = 0;  // 0: not about one page
  int button = 0;  // 1..5; 0: not about one button
  std::string text;
  bool note = false;  // worth knowing, but no fault: where the game ends

  bool operator==(const Finding&) const = default;
};

// With the project file's path, also whether every resource file exists (relative
// paths count from the project file's folder).
std::vector<Finding> checkProject(const Project& project, std::string_view projectPath = {});

// "page 3 "TopPage", button 2: " and the finding's text.
std::string describe(const Project& project, const Finding& finding);

}  // namespace pryx::project
