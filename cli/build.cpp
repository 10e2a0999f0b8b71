// pryx build: a project into a distribution folder, exactly as the editor builds it.

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/project_commands.h"

#include <iostream>

namespace pryx::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: pryx build PROJECT.PXK --out DIR --name NAME [--overwrite]\n"
    "\n"
    "Builds a distribution folder DIR: the game file NAME.PRY, a copy of the player\n"
    "under the name NAME, the display library, and every picture and music file the\n"
    "project uses (relative paths count from the project file's folder).\n"
    "\n"
    "  --out DIR      the distribution folder; created when missing\n"
    "  --name NAME    the game's name\n"
    "  --overwrite    replace files of the same name already in DIR (they are kept\n"
    "                 otherwise); the game file is always replaced\n"
    "\n"
    "The player and the library are taken from the folder of this program. A step\n"
    "that fails is passed over and listed; the build goes on.\n"
    "Exit status: 0 built, 1 the project could not be read or a step failed,\n"
    "2 wrong arguments.\n";

bool isPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/") == std::string_view::npos;
}

int run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  Arguments parsed(arguments, {"--out", "--name"}, {"--overwrite"});
  std::string problem = parsed.error();
  if (problem.empty() && parsed.positional().size() != 1) problem = "give exactly one project file";
  if (problem.empty() && !isProjectFile(parsed.positional().front())) problem = "only project files (.PXK) are built here";
  if (problem.empty() && !parsed.value("--out")) problem = "--out DIR is missing";
  if (problem.empty() && !parsed.value("--name")) problem = "--name NAME is missing";
  if (problem.empty() && !isPlainName(*parsed.value("--name"))) problem = "--name must be a plain file name";
  if (!problem.empty()) {
    err << "pryx build: " << problem << "\n\n" << kUsage;
    return 2;
  }
  return buildProject(parsed.positional().front(), *parsed.value("--out"), *parsed.value("--name"),
                      parsed.has("--overwrite"), out, err);
}

}  // namespace

extern const Command kBuildCommand{"build", "build a project (.PXK) into a distribution folder", kUsage, run};

}  // namespace pryx::cli
