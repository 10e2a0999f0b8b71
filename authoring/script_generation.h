#pragma once
// The project turned into script text, line by line: definitions and settings,
// then per page its label, pictures, music, message and buttons. The text is UTF-8
// with CR LF between lines; the caller encodes it.

#include "project/project.h"

#include "platform/progress.h"

#include <string>

namespace pryx::authoring {

// The progress value becomes p after page p.
std::string generateScript(const project::Project& project, platform::Progress& progress);

}  // namespace pryx::authoring
