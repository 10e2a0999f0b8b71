// Writes the inputs of the whole-process benchmarks (bench/whole-process): a script
// of PAGES pages with its resource files in DIR/script, and a project of as many
// pages in DIR/project/game.PXK.

#include <cstdlib>
#include <iostream>
#include <string>

#include "bench/generated_script.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/project_file.h"
#include "tests/support/sample_projects.h"

int main(int argc, char** argv) {
  using namespace pryx;
  if (argc != 3) {
    std::cerr << "Usage: bench_inputs DIR PAGES\n";
    return 2;
  }
  const std::filesystem::path folder = platform::toFsPath(argv[1]);
  const int pages = std::atoi(argv[2]);
  if (pages < 1 || pages > project::kMaxPages) {
    std::cerr << "bench_inputs: PAGES runs from 1 to " << project::kMaxPages << '\n';
    return 2;
  }
  bench::writeScriptFolder(folder / "script", pages);
  std::string error;
  const std::string projectFolder = platform::fromFsPath(folder / "project");
  const std::string projectBytes =
      project::encodeProjectFile(project::samples::sampleProject({.pages = pages, .seed = 11})).bytes;
  if (!platform::createDirectories(projectFolder, &error) ||
      !platform::writeFileReplacing(projectFolder + "/game.PXK", projectBytes, &error)) {
    std::cerr << "bench_inputs: " << error << '\n';
    return 1;
  }
  return 0;
}
