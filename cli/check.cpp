// pryx check: everything the compiler would skip or turn into 0, with line numbers.

#include "script/check.h"

#include <iostream>

#include "cli/arguments.h"
#include "cli/command.h"

namespace pryx::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: pryx check SCRIPT.PXJ...\n"
    "\n"
    "Reports, with file name and line number, what the compiler would silently skip\n"
    "or turn into 0: unknown commands, names and labels, duplicate definitions,\n"
    "commands whose operands ran into the next command, numbers outside their\n"
    "operand's range, captions and texts too long, dropped @SAVE/@LOAD slots, text\n"
    "blocks without \"}\", table limits, missing resource files and more.\n"
    "Exit status: 0 no findings, 1 findings, 2 a script could not be read or wrong\n"
    "arguments.\n";

// Returns 0 when clean, 1 with findings, 2 when the script cannot be read.
int checkScript(const std::string& path, std::ostream& out, std::ostream& err) {
  script::CheckResult result = script::checkScript(path);
  if (!result.scriptRead) {
    err << "pryx check: cannot read the script " << result.error << '\n';
    return 2;
  }
  for (const script::Finding& finding : result.findings) {
    out << path;
    if (finding.line > 0) out << ':' << finding.line;
    out << ": " << finding.message << '\n';
  }
  if (result.findings.empty()) out << path << ": no findings\n";
  return result.findings.empty() ? 0 : 1;
}

int run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  Arguments parsed(arguments, {}, {});
  std::string problem = parsed.error();
  if (problem.empty() && parsed.positional().empty()) problem = "give a script file";
  if (!problem.empty()) {
    err << "pryx check: " << problem << "\n\n" << kUsage;
    return 2;
  }
  int status = 0;
  for (const std::string& input : parsed.positional()) status = std::max(status, checkScript(input, out, err));
  return status;
}

}  // namespace

extern const Command kCheckCommand{"check", "report what the compiler would skip in a script", kUsage, run};

}  // namespace pryx::cli
