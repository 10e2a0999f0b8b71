#include "cli/project_open.h"

#include "project/project_file.h"

#include <algorithm>
#include <iostream>

namespace pryx::cli {

bool isProjectFile(std::string_view path) {
  constexpr std::string_view kExtension = ".PXK";
  if (path.size() < kExtension.size()) return false;
  return std::equal(kExtension.begin(), kExtension.end(), path.end() - static_cast<std::ptrdiff_t>(kExtension.size()),
                    [](char wanted, char c) { return wanted == (c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); });
}

std::optional<project::Project> openProjectFile(std::string_view command, const std::string& path, std::ostream& err,
                                                bool* leftOut) {
  project::DecodedProject decoded = project::openProjectFile(path);
  if (!decoded.project) {
    err << "pryx " << command << ": " << path << ": " << project::kOpenFailedText << ' ' << decoded.refusal << '\n';
    return std::nullopt;
  }
  for (const std::string& warning : decoded.warnings) err << "pryx " << command << ": " << path << ": " << warning << '\n';
  if (leftOut) *leftOut = decoded.leftOut;
  return std::move(decoded.project);
}

}  // namespace pryx::cli
