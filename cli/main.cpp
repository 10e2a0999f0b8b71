// pryx: the kit's command-line tool for authors who build from scripts and for CI.

#include "cli/command.h"
#include "cli/standard_output.h"
#include "platform/command_line.h"

#include <iostream>
#include <string>
#include <vector>

#ifndef PRYX_VERSION_TEXT
#define PRYX_VERSION_TEXT "unknown"
#endif

namespace {

using pryx::cli::afterOutputFlushed;
using pryx::cli::Command;
using pryx::cli::commands;

void printOverview(std::ostream& out) {
  out << "Usage: pryx COMMAND [OPTIONS] FILE...\n\n"
         "The PRYX kit's command-line tool: build, inspect and play games.\n\n"
         "Commands:\n";
  for (const Command& command : commands()) {
    out << "  " << command.name << std::string(command.name.size() < 9 ? 9 - command.name.size() : 1, ' ')
        << command.summary << '\n';
  }
  out << "\nRun \"pryx COMMAND --help\" for the options of one command.\n"
         "  --help       show this text\n"
         "  --version    show the version\n";
}

const Command* findCommand(std::string_view name) {
  for (const Command& command : commands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  pryx::platform::writeStandardStreamsAsBytes();
  std::vector<std::string> arguments = pryx::platform::commandLineArguments(argc, argv);
  if (arguments.empty()) {
    printOverview(std::cerr);
    return 2;
  }
  const std::string& first = arguments.front();
  if (first == "--help" || first == "-h" || first == "help") {
    const Command* command = arguments.size() > 1 ? findCommand(arguments[1]) : nullptr;
    if (command) std::cout << command->usage;
    else printOverview(std::cout);
    return afterOutputFlushed(0);
  }
  if (first == "--version") {
    std::cout << "pryx " PRYX_VERSION_TEXT "\n";
    return afterOutputFlushed(0);
  }
  const Command* command = findCommand(first);
  if (!command) {
    std::cerr << "pryx: unknown command \"" << first << "\"\n\n";
    printOverview(std::cerr);
    return 2;
  }
  std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
  for (const std::string& argument : rest) {
    if (argument == "--help" || argument == "-h") {
      std::cout << command->usage;
      return afterOutputFlushed(0);
    }
  }
  try {
    return afterOutputFlushed(command->run(rest, std::cout, std::cerr));
  } catch (const std::exception& failure) {
    std::cerr << "pryx " << command->name << ": " << failure.what() << '\n';
    return afterOutputFlushed(1);
  }
}
