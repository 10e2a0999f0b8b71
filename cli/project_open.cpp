#include "cli/project_open.h"

#include "platform/ascii.h"

#include <iostream>

namespace pryx::cli {

bool isProjectFile(std::string_view path) { return platform::endsWithIgnoringAsciiCase(path, ".PXK"); }

std::optional<project::Project> openProjectFile(std::string_view command, const std::string& path, std::ostream& err,
                                                project::ReadFidelity* fidelity) {
  project::DecodedProject decoded = project::openProjectFile(path);
  if (!decoded.project) {
    err << "pryx " << command << ": " << path << ": " << project::kOpenFailedText << ' ' << decoded.refusal << '\n';
    return std::nullopt;
  }
  for (const std::string& warning : decoded.warnings) err << "pryx " << command << ": " << path << ": " << warning << '\n';
  if (fidelity) *fidelity = decoded.fidelity;
  return std::move(decoded.project);
}

}  // namespace pryx::cli
