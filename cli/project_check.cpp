// What the distribution builder would write differently from what the author sees.

#include "cli/project_commands.h"

#include "project/project_check.h"

#include <iostream>

namespace pryx::cli {

int checkProject(const std::string& projectPath, std::ostream& out, std::ostream& err) {
  auto project = openProjectFile("check", projectPath, err);
  if (!project) return 2;
  std::vector<project::Finding> findings = project::checkProject(*project);
  for (const project::Finding& finding : findings) out << projectPath << ": " << project::describe(*project, finding) << '\n';
  if (findings.empty()) out << projectPath << ": no findings\n";
  return findings.empty() ? 0 : 1;
}

}  // namespace pryx::cli
