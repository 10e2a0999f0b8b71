// The distribution of a project, built straight from its pages as the editor does.

#include "cli/project_commands.h"

#include "project/distribution.h"

#include "platform/files.h"
#include "platform/paths.h"

#include <iostream>

namespace pryx::cli {

int buildProject(const std::string& projectPath, const std::string& folder, const std::string& name, bool overwrite,
                 std::ostream& out, std::ostream& err) {
  auto project = openProjectFile("build", projectPath, err);
  if (!project) return 1;
  std::string error;
  if (!platform::createDirectories(folder, &error)) {
    err << "pryx build: cannot create the folder " << folder << ": " << error << '\n';
    return 1;
  }
  platform::SilentProgress progress;
  project::DistributionResult result = project::buildDistribution(
      *project, {folder, name, overwrite, projectPath, project::runningProgramFolder()}, progress);
  for (const project::FailedStep& failure : result.failures) {
    err << "pryx build: not copied or written: " << failure.target << " (" << failure.reason << ")\n";
  }
  out << (result.succeeded() ? "Built " : "Built with failures ") << platform::GetPath(folder, name + ".PRY") << " ("
      << project->pageCount() << " pages)\n";
  return result.succeeded() ? 0 : 1;
}

}  // namespace pryx::cli
