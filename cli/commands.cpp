#include "cli/command.h"

#include <array>

namespace pryx::cli {

// Each command's entry is defined beside its code.
std::span<const Command> commands() {
  static const std::array<Command, 0> kCommands = {};
  return kCommands;
}

}  // namespace pryx::cli
