// pryx resave: a project file of any readable version saved in the current format.

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/project_open.h"

#include "project/project_file.h"

#include <iostream>

namespace pryx::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: pryx resave IN.PXK OUT.PXK\n"
    "\n"
    "Opens a project file of any version the editor reads and saves it in the\n"
    "current format (105), as opening and saving it in the editor does. OUT.PXK is\n"
    "written through a temporary file and may be IN.PXK itself.\n"
    "\n"
    "Exit status: 0 saved, 1 the project could not be read or written, or holds\n"
    "texts the file cannot keep unchanged (it is written all the same, and they are\n"
    "listed), 2 wrong arguments.\n";

int run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  Arguments parsed(arguments, {}, {});
  std::string problem = parsed.error();
  if (problem.empty() && parsed.positional().size() != 2) problem = "give the project file to read and the one to write";
  if (!problem.empty()) {
    err << "pryx resave: " << problem << "\n\n" << kUsage;
    return 2;
  }
  auto project = openProjectFile("resave", parsed.positional()[0], err);
  if (!project) return 1;
  project::ProjectDocument document(std::move(*project), parsed.positional()[0]);
  const std::string& target = parsed.positional()[1];
  project::SaveOutcome outcome = project::saveProject(document, target);
  if (!outcome.saved) {
    err << "pryx resave: cannot write " << target << ": " << outcome.error << '\n';
    return 1;
  }
  for (const project::UnstorableField& field : outcome.unstorable) {
    err << "pryx resave: " << target << ": " << field.place << ": " << field.problem << '\n';
  }
  out << "Saved " << target << '\n';
  return outcome.unstorable.empty() ? 0 : 1;
}

}  // namespace

extern const Command kResaveCommand{"resave", "save a project file (.PXK) in the current format", kUsage, run};

}  // namespace pryx::cli
