// pryx play runs in the program pryx-play beside pryx, so that only playing loads
// the Qt GUI libraries: every other command starts without them.

#include <iostream>

#include "cli/command.h"
#include "cli/play.h"
#include "platform/paths.h"
#include "platform/program_start.h"

namespace pryx::cli {
namespace {

constexpr std::string_view kPlayProgramBaseName = "pryx-play";

int startPlayProgram(std::span<const std::string> arguments, std::ostream&, std::ostream& err) {
  const std::string program = platform::GetPath(platform::folderOf(platform::currentExecutablePath()),
                                                std::string(kPlayProgramBaseName) + std::string(platform::kExecutableSuffix));
  std::string error;
  if (std::optional<int> status = platform::runInstead(program, arguments, &error)) return *status;
  err << "pryx play: cannot start " << program << ": " << error << '\n';
  return 1;
}

}  // namespace

extern const Command kPlayCommand{"play", kPlaySummary, kPlayUsage, startPlayProgram};

}  // namespace pryx::cli
