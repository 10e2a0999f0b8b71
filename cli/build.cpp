// pryx build: a script into a distribution folder, exactly as the editor builds it.

#include <iostream>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/terminal_progress.h"
#include "platform/paths.h"
#include "script/compiler.h"

namespace pryx::cli {
namespace {

using platform::CopyOutcome;

constexpr std::string_view kUsage =
    "Usage: pryx build SCRIPT.PXJ --out DIR --name NAME [--overwrite]\n"
    "\n"
    "Compiles a script into a distribution folder DIR: the game file NAME.PRY, a copy\n"
    "of the player under the name NAME, the display library, and every picture and\n"
    "music file the script defines (paths in the script are relative to its folder).\n"
    "\n"
    "  --out DIR      the distribution folder; created when missing\n"
    "  --name NAME    the game's name\n"
    "  --overwrite    replace picture and music files already in DIR (they are kept\n"
    "                 otherwise); the player and the library are never replaced, the\n"
    "                 game file always is\n"
    "\n"
    "The player and the library are taken from the folder of this program; a file\n"
    "that is missing there, or a resource file that does not exist, is left out and\n"
    "listed. What the compiler skips in the script is listed by \"pryx check\".\n"
    "Exit status: 0 built, 1 the script could not be read or the game file not\n"
    "written, 2 wrong arguments.\n";

bool isPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/") == std::string_view::npos;
}

void listCopy(const script::FileCopy& copy, std::ostream& out) {
  std::string name = platform::fileNameOf(copy.target);
  switch (copy.outcome) {
    case CopyOutcome::Copied: out << "  copied   " << name << '\n'; break;
    case CopyOutcome::KeptExisting: out << "  kept     " << name << " (already there)\n"; break;
    case CopyOutcome::Failed: out << "  missing  " << name << ": " << copy.source << ' ' << copy.error << '\n'; break;
  }
}

int buildScript(const std::string& scriptPath, const std::string& folder, const std::string& name, bool overwrite,
                std::ostream& out, std::ostream& err) {
  script::CompileRequest request{scriptPath, folder, name, !overwrite, {}};
  platform::SilentProgress silent;
  TerminalProgress bar(err);
  platform::Progress& progress = TerminalProgress::isTerminal(err) ? static_cast<platform::Progress&>(bar) : silent;
  script::CompileResult result = script::progcompile(request, progress);
  if (!result.scriptRead) {
    err << "pryx build: cannot read the script " << result.error << '\n';
    return 1;
  }
  if (!result.gameFileWritten) {
    err << "pryx build: cannot write the game file " << result.error << '\n';
    return 1;
  }
  out << "Built " << result.gameFilePath << " (" << result.gameFileBytes << " bytes)\n";
  for (const auto& copy : result.programCopies) listCopy(copy, out);
  for (const auto& copy : result.resourceCopies) listCopy(copy, out);
  return 0;
}

int run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  Arguments parsed(arguments, {"--out", "--name"}, {"--overwrite"});
  std::string problem = parsed.error();
  if (problem.empty() && parsed.positional().size() != 1) problem = "give exactly one script file";
  if (problem.empty() && !parsed.value("--out")) problem = "--out DIR is missing";
  if (problem.empty() && !parsed.value("--name")) problem = "--name NAME is missing";
  if (problem.empty() && !isPlainName(*parsed.value("--name"))) problem = "--name must be a plain file name";
  if (!problem.empty()) {
    err << "pryx build: " << problem << "\n\n" << kUsage;
    return 2;
  }
  const std::string& input = parsed.positional().front();
  return buildScript(input, *parsed.value("--out"), *parsed.value("--name"), parsed.has("--overwrite"), out, err);
}

}  // namespace

extern const Command kBuildCommand{"build", "compile a script (.PXJ) into a distribution folder", kUsage, run};

}  // namespace pryx::cli
