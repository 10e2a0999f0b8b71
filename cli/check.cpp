// pryx check: everything a build would skip or turn into 0, in a script (by line)
// or in a project.

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "cli/arguments.h"
#include "cli/command.h"
#include "cli/project_open.h"
#include "project/project_check.h"
#include "script/check.h"

namespace pryx::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: pryx check FILE...\n"
    "\n"
    "Each FILE is a script (.PXJ) or a project (.PXK).\n"
    "\n"
    "For a script, reports with the line number what the compiler would silently skip\n"
    "or turn into 0: unknown commands, names and labels, duplicate definitions,\n"
    "commands whose operands ran into the next command, numbers outside their\n"
    "operand's range, captions and texts too long, dropped @SAVE/@LOAD slots, text\n"
    "blocks without \"}\", table limits, missing resource files and more.\n"
    "\n"
    "For a project, reports what the distribution builder would write differently\n"
    "from what the author sees: references to pages, variables, pictures or music\n"
    "that do not exist, buttons left out behind an empty slot, incomplete conditions\n"
    "and operations, captions over 255 bytes, texts over 32767 bytes, numbers outside\n"
    "their fields, characters without a Shift-JIS code, resource files the player\n"
    "would not find, and what the project file itself lacked.\n"
    "\n"
    "Script findings are printed in Japanese when LC_ALL, LC_MESSAGES or LANG (the\n"
    "first one set) starts with \"ja\".\n"
    "\n"
    "Exit status: 0 no findings, 1 findings, 2 a file could not be read or wrong\n"
    "arguments.\n";

struct Reported {
  int line = 0;  // 0: about the whole file
  std::string message;
};

// The language of a script's findings: Japanese under a Japanese locale.
script::Language findingLanguage() {
  return script::languageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

// "FILE:LINE: message" per finding, or "FILE: no findings"; 0 when clean, 1 otherwise.
int report(const std::string& path, const std::vector<Reported>& findings, std::ostream& out,
           script::Language language = script::Language::English) {
  for (const Reported& finding : findings) {
    out << path;
    if (finding.line > 0) out << ':' << finding.line;
    out << ": " << finding.message << '\n';
  }
  if (findings.empty()) {
    out << path << (language == script::Language::Japanese ? ": 指摘はありません\n" : ": no findings\n");
  }
  return findings.empty() ? 0 : 1;
}

int checkScript(const std::string& path, std::ostream& out, std::ostream& err) {
  script::CheckResult result = script::checkScript(path);
  if (!result.scriptRead) {
    err << "pryx check: cannot read the script " << result.error << '\n';
    return 2;
  }
  const script::Language language = findingLanguage();
  std::vector<Reported> findings;
  for (const script::Finding& finding : result.findings) {
    findings.push_back({finding.line, script::findingText(finding, language)});
  }
  return report(path, findings, out, language);
}

int checkProject(const std::string& path, std::ostream& out, std::ostream& err) {
  auto project = openProjectFile("check", path, err);
  if (!project) return 2;
  std::vector<Reported> findings;
  for (const project::Finding& finding : project::checkProject(*project, path)) {
    findings.push_back({0, project::describe(*project, finding)});
  }
  return report(path, findings, out);
}

int run(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  Arguments parsed(arguments, {}, {});
  std::string problem = parsed.error();
  if (problem.empty() && parsed.positional().empty()) problem = "give a script or project file";
  if (!problem.empty()) {
    err << "pryx check: " << problem << "\n\n" << kUsage;
    return 2;
  }
  int status = 0;
  for (const std::string& input : parsed.positional()) {
    int checked = isProjectFile(input) ? checkProject(input, out, err) : checkScript(input, out, err);
    status = std::max(status, checked);
  }
  return status;
}

}  // namespace

extern const Command kCheckCommand{"check", "report what a build would skip in a script or a project", kUsage, run};

}  // namespace pryx::cli
