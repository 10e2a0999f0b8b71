#pragma once
// The subcommands of the `pryx` tool. Each lives in a file of its own and is listed
// in the table in commands.cpp.

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace pryx::cli {

struct Command {
  std::string_view name;
  std::string_view summary;  // one line for `pryx --help`
  std::string_view usage;    // the full help text of `pryx NAME --help`
  int (*run)(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);
};

std::span<const Command> commands();

}  // namespace pryx::cli
