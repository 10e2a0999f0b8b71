#pragma once
// The project (.PXK) side of the commands: building a project's distribution and
// checking it, for the commands that take either a project or a script.

#include "project/project.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace pryx::cli {

// True for a path ending in ".PXK" in any letter case.
bool isProjectFile(std::string_view path);

// Opens a project for `command`; prints why it was refused, and what the file lacked.
std::optional<project::Project> openProjectFile(std::string_view command, const std::string& path, std::ostream& err);

// Exit status: 0 built, 1 the project could not be read or a step failed.
int buildProject(const std::string& projectPath, const std::string& folder, const std::string& name, bool overwrite,
                 std::ostream& out, std::ostream& err);

// Exit status: 0 no findings, 1 findings, 2 the project could not be read.
int checkProject(const std::string& projectPath, std::ostream& out, std::ostream& err);

}  // namespace pryx::cli
