#pragma once
// Opening a project (.PXK) for the commands that take one, and telling it apart from
// a script (.PXJ) for the commands that take either.

#include "project/project.h"
#include "project/project_file.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace pryx::cli {

// True for a path ending in ".PXK" in any letter case; every other file is a script.
bool isProjectFile(std::string_view path);

// Opens a project for `command`; prints why it was refused, and what the file lacked.
// `fidelity` (if given) tells how closely the project holds what the file holds.
std::optional<project::Project> openProjectFile(std::string_view command, const std::string& path, std::ostream& err,
                                                project::ReadFidelity* fidelity = nullptr);

}  // namespace pryx::cli
