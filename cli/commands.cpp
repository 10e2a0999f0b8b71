#include "cli/command.h"

#include <array>

namespace pryx::cli {

// Each command's entry is defined beside its code.
extern const Command kBuildCommand;
extern const Command kCheckCommand;
extern const Command kDumpCommand;
extern const Command kScriptCommand;
extern const Command kResaveCommand;
extern const Command kPlayCommand;

std::span<const Command> commands() {
  static const std::array kCommands = {kBuildCommand,  kCheckCommand,   kDumpCommand,
                                       kScriptCommand, kResaveCommand, kPlayCommand};
  return kCommands;
}

}  // namespace pryx::cli
