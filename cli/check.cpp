// pryx check: what the builder would write as 0 or leave out.

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/project_commands.h"

#include <algorithm>
#include <iostream>

namespace pryx::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: pryx check PROJECT.PXK...\n"
    "\n"
    "Reports what the distribution builder would write differently from what the\n"
    "author sees: references to pages, variables, pictures or music that do not\n"
    "exist, buttons left out behind an empty slot, incomplete conditions and\n"
    "operations, captions over 255 bytes, texts over 32767 bytes, numbers outside\n"
    "their fields, characters without a Shift-JIS code, resource files the player\n"
    "would not find, and what the project file itself lacked.\n"
    "Exit status: 0 no findings, 1 findings, 2 a project could not be read or wrong\n"
    "arguments.\n";

int run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  Arguments parsed(arguments, {}, {});
  std::string problem = parsed.error();
  if (problem.empty() && parsed.positional().empty()) problem = "give a project file";
  for (const std::string& input : parsed.positional()) {
    if (problem.empty() && !isProjectFile(input)) problem = input + ": only project files (.PXK) are checked here";
  }
  if (!problem.empty()) {
    err << "pryx check: " << problem << "\n\n" << kUsage;
    return 2;
  }
  int status = 0;
  for (const std::string& input : parsed.positional()) status = std::max(status, checkProject(input, out, err));
  return status;
}

}  // namespace

extern const Command kCheckCommand{"check", "report what the builder would leave out of a project", kUsage, run};

}  // namespace pryx::cli
