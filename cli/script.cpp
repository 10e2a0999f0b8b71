// pryx script: a project turned into script text, as the editor's program mode does.

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/project_open.h"

#include "authoring/script_generation.h"

#include "platform/files.h"
#include "platform/sjis.h"

#include <iostream>

namespace pryx::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: pryx script PROJECT.PXK [-o OUT.PXJ]\n"
    "\n"
    "Writes the project as script text in Shift-JIS with CR LF line ends: to OUT.PXJ\n"
    "(through a temporary file, so a failed write keeps an older OUT.PXJ), or to the\n"
    "standard output.\n"
    "\n"
    "  -o OUT.PXJ    the script file to write\n"
    "\n"
    "Exit status: 0 written, 1 the project could not be read or the script not\n"
    "written, 2 wrong arguments.\n";

int run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  Arguments parsed(arguments, {"-o"}, {});
  std::string problem = parsed.error();
  if (problem.empty() && parsed.positional().size() != 1) problem = "give exactly one project file";
  if (!problem.empty()) {
    err << "pryx script: " << problem << "\n\n" << kUsage;
    return 2;
  }
  auto project = openProjectFile("script", parsed.positional().front(), err);
  if (!project) return 1;
  platform::SilentProgress progress;
  bool lossy = false;
  std::string text = platform::encodeSjis(authoring::generateScript(*project, progress, parsed.positional().front()), &lossy);
  if (lossy) err << "pryx script: characters without a Shift-JIS code were written as \"?\"\n";
  if (auto output = parsed.value("-o")) {
    std::string error;
    if (!platform::writeFileReplacing(*output, text, &error, platform::SymbolicLinks::WriteTheirTarget)) {
      err << "pryx script: cannot write " << *output << ": " << error << '\n';
      return 1;
    }
    return 0;
  }
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return out ? 0 : 1;
}

}  // namespace

extern const Command kScriptCommand{"script", "turn a project (.PXK) into script text", kUsage, run};

}  // namespace pryx::cli
