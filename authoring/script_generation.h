#pragma once
// The project turned into script text, line by line: definitions and settings,
// then per page its label, pictures, music, message and buttons. The text is UTF-8
// with CR LF between lines; the caller encodes it.

#include "project/project.h"

#include "platform/progress.h"

#include <string>
#include <string_view>

namespace pryx::authoring {

// The progress value becomes p after page p. Resource paths relative to the project
// file's folder are written as the files they name, so that the script finds them
// wherever it is saved; without `projectPath` they are written as stored.
std::string generateScript(const project::Project& project, platform::Progress& progress,
                           std::string_view projectPath = {});

}  // namespace pryx::authoring
