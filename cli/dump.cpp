// pryx dump: a game file listed for an author to read.

#include <iostream>

#include "cli/arguments.h"
#include "cli/command.h"
#include "platform/files.h"
#include "player/gamefile/disassembler.h"
#include "player/gamefile/layout_check.h"

namespace pryx::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: pryx dump GAME.PRY\n"
    "\n"
    "Lists a game file: its header, every instruction with its position and its\n"
    "operands (labels with their positions, picture and music numbers with their\n"
    "names, messages and captions with their texts), and the label, text and button\n"
    "chains. Texts are printed in UTF-8.\n"
    "Exit status: 0 listed, 1 the file could not be read, is no game file, or is\n"
    "cut short or points outside itself (it is listed as far as it goes),\n"
    "2 wrong arguments.\n";

int run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  Arguments parsed(arguments, {}, {});
  std::string problem = parsed.error();
  if (problem.empty() && parsed.positional().size() != 1) problem = "give exactly one game file";
  if (!problem.empty()) {
    err << "pryx dump: " << problem << "\n\n" << kUsage;
    return 2;
  }
  const std::string& path = parsed.positional().front();
  std::string error;
  auto bytes = platform::readWholeFile(path, &error);
  if (!bytes) {
    err << "pryx dump: cannot read " << path << ": " << error << '\n';
    return 1;
  }
  gamefile::GameImage image(std::move(*bytes));
  out << gamefile::disassemble(image);
  if (!image.hasMagic()) {
    err << "pryx dump: " << path << " is no game file: it does not begin with \"PRYX\"\n";
    return 1;
  }
  if (auto fault = gamefile::layoutFault(image)) {
    err << "pryx dump: " << path << " is cut short or damaged, and the player refuses it: " << *fault << '\n';
    return 1;
  }
  return 0;
}

}  // namespace

extern const Command kDumpCommand{"dump", "list a game file (.PRY): header, code and chains", kUsage, run};

}  // namespace pryx::cli
