// pryx resave: a project file of any readable version saved in the current format.

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/project_open.h"

#include "platform/files.h"
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
    "A project saved as UTF-8 is read as UTF-8 and written as Shift-JIS.\n"
    "\n"
    "Exit status: 0 saved, 1 the project could not be read or written, holds texts\n"
    "the file cannot keep unchanged (it is written all the same, and they are\n"
    "listed), held pages or resources beyond the limits, which were not read, or held\n"
    "bytes that are no Shift-JIS, which were read as \"?\" (in those two cases, and\n"
    "when characters without a Shift-JIS code would turn into \"?\", OUT.PXK is\n"
    "written only when it is not IN.PXK); 2 wrong arguments.\n";

int run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  Arguments parsed(arguments, {}, {});
  std::string problem = parsed.error();
  if (problem.empty() && parsed.positional().size() != 2) problem = "give the project file to read and the one to write";
  if (!problem.empty()) {
    err << "pryx resave: " << problem << "\n\n" << kUsage;
    return 2;
  }
  const std::string& source = parsed.positional()[0];
  const std::string& target = parsed.positional()[1];
  project::ReadFidelity read;
  auto project = openProjectFile("resave", source, err, &read);
  if (!project) return 1;
  project::ProjectDocument document(std::move(*project), source);
  const bool inPlace = platform::sameFile(source, target);
  // What was not read, or read as "?", would be lost for good if the file were written
  // over itself.
  if (inPlace && read.leftOut) {
    err << "pryx resave: " << target << " is left as it was: part of it was not read, and writing over it would "
           "lose that part\n";
    return 1;
  }
  if (inPlace && project::overwriteLosesText(read, project::encodeProjectFile(document.project()))) {
    err << "pryx resave: " << target << " is left as it was: it holds text that Shift-JIS cannot hold or bytes "
           "that are no Shift-JIS, and writing over it would turn them into \"?\" for good\n";
    return 1;
  }
  project::SaveOutcome outcome = project::saveProject(document, target);
  if (!outcome.saved) {
    err << "pryx resave: cannot write " << target << ": " << outcome.error << '\n';
    return 1;
  }
  for (const project::UnstorableField& field : outcome.unstorable) {
    err << "pryx resave: " << target << ": " << field.place << ": " << field.problem << '\n';
  }
  out << "Saved " << target << '\n';
  return outcome.unstorable.empty() && !read.leftOut && !read.bytesReplaced ? 0 : 1;
}

}  // namespace

extern const Command kResaveCommand{"resave", "save a project file (.PXK) in the current format", kUsage, run};

}  // namespace pryx::cli
