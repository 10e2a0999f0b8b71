// pryx build: a script or a project into a distribution folder, exactly as the
// editor builds it.

#include <iostream>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/project_open.h"
#include "cli/terminal_progress.h"
#include "platform/paths.h"
#include "project/distribution.h"
#include "script/compiler.h"

namespace pryx::cli {
namespace {

using platform::CopyOutcome;
using platform::FileCopy;

constexpr std::string_view kUsage =
    "Usage: pryx build SCRIPT.PXJ|PROJECT.PXK --out DIR --name NAME [--overwrite] [--web]\n"
    "\n"
    "Builds a distribution folder DIR: the game file NAME.PRY, a copy of the player\n"
    "under the name NAME, the display library and what they need to play on a\n"
    "desktop without the kit (lib/, the SoundFont, the fonts and their licences), and\n"
    "every picture and music file the script defines or the project lists (relative\n"
    "paths count from the folder of the script or project file). A project (.PXK) is\n"
    "built straight from its pages; any other file is compiled as a script.\n"
    "\n"
    "  --out DIR      the distribution folder; created when missing\n"
    "  --name NAME    the game's name\n"
    "  --overwrite    replace files of the same name already in DIR (they are kept\n"
    "                 otherwise); the game file is always replaced, and a script\n"
    "                 build never replaces the player or its runtime\n"
    "  --web          a folder for a web server instead: index.html, the player\n"
    "                 compiled to WebAssembly, the font, the SoundFont and\n"
    "                 files.json, the list of the files the page loads\n"
    "\n"
    "The player and its runtime are taken from the folder runtime beside this\n"
    "program (the web player from its folder web/ there); a file that is missing\n"
    "there, or a resource file that does not exist, is left out and listed. What the\n"
    "build would skip or write as 0 is listed by \"pryx check\".\n"
    "Exit status: 0 built, 1 the input could not be read, a file could not be written\n"
    "into DIR, a resource is named like the game file, the player copy or a file or\n"
    "folder of the runtime (it is never copied), or (for a project) a resource file\n"
    "is missing; 2 wrong arguments.\n";

bool isPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/") == std::string_view::npos;
}

struct BuildRequest {
  std::string input;
  std::string folder;
  std::string name;
  bool overwrite = false;
  platform::DistributionKind kind = platform::DistributionKind::Desktop;
};

// Every copy and how it went; true when none failed in the distribution folder.
bool listCopies(std::span<const FileCopy> copies, std::ostream& out) {
  bool intact = true;
  for (const FileCopy& copy : copies) {
    std::string name = platform::fileNameOf(copy.target);
    switch (copy.outcome) {
      case CopyOutcome::Copied: out << "  copied   " << name << '\n'; break;
      case CopyOutcome::KeptExisting: out << "  kept     " << name << " (already there)\n"; break;
      case CopyOutcome::Failed: out << "  failed   " << name << ": " << copy.error << '\n'; break;
    }
    intact = intact && !copy.targetFault;
  }
  return intact;
}

// A progress bar on a terminal, nothing otherwise.
class BuildProgress {
 public:
  explicit BuildProgress(std::ostream& err) : bar_(err), terminal_(TerminalProgress::isTerminal(err)) {}
  platform::Progress& get() { return terminal_ ? static_cast<platform::Progress&>(bar_) : silent_; }

 private:
  TerminalProgress bar_;
  platform::SilentProgress silent_;
  bool terminal_;
};

int buildScript(const BuildRequest& request, std::ostream& out, std::ostream& err) {
  BuildProgress progress(err);
  script::CompileResult result =
      script::progcompile({request.input, request.folder, request.name, !request.overwrite, {}, request.kind}, progress.get());
  if (!result.scriptRead) {
    err << "pryx build: cannot read the script " << result.error << '\n';
    return 1;
  }
  std::vector<FileCopy> copies = std::move(result.programCopies);
  copies.insert(copies.end(), result.resourceCopies.begin(), result.resourceCopies.end());
  if (result.gameFileWritten) out << "Built " << result.gameFilePath << " (" << result.gameFileBytes << " bytes)\n";
  bool intact = listCopies(copies, out);
  if (!result.gameFileWritten) err << "pryx build: cannot write the game file " << result.error << '\n';
  return result.gameFileWritten && intact ? 0 : 1;
}

int buildProject(const BuildRequest& request, std::ostream& out, std::ostream& err) {
  auto project = openProjectFile("build", request.input, err);
  if (!project) return 1;
  std::string error;
  if (!platform::createDirectories(request.folder, &error)) {
    err << "pryx build: cannot create the folder " << request.folder << ": " << error << '\n';
    return 1;
  }
  BuildProgress progress(err);
  project::DistributionResult result = project::buildDistribution(
      *project,
      {request.folder, request.name, request.overwrite, request.input, project::runningProgramFolder(), request.kind},
      progress.get());
  if (result.gameFileWritten) out << "Built " << result.gameFilePath << " (" << result.gameFileBytes << " bytes)\n";
  listCopies(result.copies, out);
  if (!result.gameFileWritten) {
    err << "pryx build: cannot write the game file " << result.gameFilePath << ": " << result.gameFileError << '\n';
  }
  return result.succeeded() ? 0 : 1;
}

int run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  Arguments parsed(arguments, {"--out", "--name"}, {"--overwrite", "--web"});
  std::string problem = parsed.error();
  if (problem.empty() && parsed.positional().size() != 1) problem = "give exactly one script or project file";
  if (problem.empty() && !parsed.value("--out")) problem = "--out DIR is missing";
  if (problem.empty() && !parsed.value("--name")) problem = "--name NAME is missing";
  if (problem.empty() && !isPlainName(*parsed.value("--name"))) problem = "--name must be a plain file name";
  if (!problem.empty()) {
    err << "pryx build: " << problem << "\n\n" << kUsage;
    return 2;
  }
  BuildRequest request{parsed.positional().front(), *parsed.value("--out"), *parsed.value("--name"),
                       parsed.has("--overwrite"),
                       parsed.has("--web") ? platform::DistributionKind::Web : platform::DistributionKind::Desktop};
  return isProjectFile(request.input) ? buildProject(request, out, err) : buildScript(request, out, err);
}

}  // namespace

extern const Command kBuildCommand{"build", "build a script (.PXJ) or a project (.PXK) into a distribution folder",
                                   kUsage, run};

}  // namespace pryx::cli
