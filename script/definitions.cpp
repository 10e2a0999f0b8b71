#include "script/definitions.h"

#include <string>

#include "platform/base_name.h"
#include "platform/sjis.h"
#include "player/gamefile/header.h"
#include "script/commands.h"

namespace pryx::script {
namespace {

using gamefile::ResourceKind;

constexpr std::string_view kKindWords[] = {"CG", "CHR", "BGM"};

ResourceKind resourceKind(DefinitionKind kind) {
  switch (kind) {
    case DefinitionKind::Chr: return ResourceKind::Chr;
    case DefinitionKind::Bgm: return ResourceKind::Bgm;
    default: return ResourceKind::Cg;
  }
}

int lineOf(const ScriptCommand& command, std::size_t operand) {
  return operand < command.operands.size() ? command.operands[operand].line() : command.word->line();
}

}  // namespace

void DefinitionCollector::take(const ScriptCommand& command) {
  if (command.keyword->form == CommandForm::Label) {
    label(command);
  } else if (command.definition == DefinitionKind::Param) {
    variable(command);
  } else if (command.definition != DefinitionKind::None) {
    resource(command);
  }
}

Definitions collectDefinitions(std::string_view script, PassProgress& progress, const ResourceHook& onResource,
                               Findings* findings) {
  // Stably sorted by line later, the cutting's findings go first on their lines.
  const std::size_t start = findings ? findings->size() : 0;
  Findings cutFindings;
  CommandReader reader(script, nullptr, findings ? &cutFindings : nullptr);
  DefinitionCollector collector(onResource, findings);
  while (auto command = reader.next()) {
    collector.take(*command);
    progress.reached(reader.position());
  }
  if (findings) {
    findings->insert(findings->begin() + static_cast<std::ptrdiff_t>(start), cutFindings.begin(), cutFindings.end());
  }
  return std::move(collector).release();
}

void DefinitionCollector::label(const ScriptCommand& command) {
  std::string_view name = command.operand(0);
  int line = lineOf(command, 0);
  std::optional<NameTable::Entry> earlier = definitions_.labels.add(name, line);
  if (!findings_) return;
  if (earlier && !name.empty()) {
    report(line, FindingKind::LabelAgain, {quoted(name), std::to_string(earlier->line)});
  }
  if (definitions_.labels.count() == gamefile::kMaxLabels + 1) {
    report(line, FindingKind::TooManyLabels, {std::to_string(gamefile::kMaxLabels)});
  }
}

void DefinitionCollector::variable(const ScriptCommand& command) {
  std::string_view name = command.operand(1);
  int line = lineOf(command, 1);
  std::optional<NameTable::Entry> earlier = definitions_.variables.add(name, line);
  if (!findings_) return;
  if (earlier) {
    report(line, FindingKind::VariableAgain, {quoted(name), std::to_string(earlier->line)});
  }
  if (definitions_.variables.count() == gamefile::kMaxVariables + 1) {
    report(line, FindingKind::TooManyVariables, {std::to_string(gamefile::kMaxVariables)});
  }
}

void DefinitionCollector::resource(const ScriptCommand& command) {
  ResourceKind kind = resourceKind(command.definition);
  auto index = static_cast<std::size_t>(kind);
  ResourceDefinition definition{kind, command.operand(1), command.operand(2), {}, {}, lineOf(command, 1)};
  definition.fileName = scriptFileName(definition.path);
  definition.baseName = platform::resourceBaseName(definition.path, platform::TextEncoding::ShiftJis);
  definitions_.resources[index].push_back(definition);
  std::optional<NameTable::Entry> earlier = definitions_.resourceNames[index].add(definition.name, definition.line);
  if (findings_) reportResource(definition, earlier, definitions_.resourceNames[index].count());
  if (onResource_) onResource_(definition);
}

void DefinitionCollector::reportResource(const ResourceDefinition& definition,
                                         std::optional<NameTable::Entry> earlier, int number) {
  std::string kind(kKindWords[static_cast<std::size_t>(definition.kind)]);
  int line = definition.line;
  if (definition.name.empty()) {
    report(line, FindingKind::ResourceEmptyName, {kind, std::to_string(number)});
  } else if (earlier) {
    report(line, FindingKind::ResourceNameAgain, {kind, quoted(definition.name), std::to_string(earlier->line)});
  }
  if (definition.fileName.empty()) {
    report(line, FindingKind::ResourceWithoutFileName, {kind, quoted(definition.name), quoted(definition.path)});
  } else if (definition.baseName.empty()) {
    report(line, FindingKind::ResourceFileNameTooShort, {kind, quoted(definition.fileName)});
  }
  if (number == gamefile::kMaxResourceNumber + 1) {
    report(line, FindingKind::TooManyResources, {std::to_string(gamefile::kMaxResourceNumber), kind});
  }
}

void DefinitionCollector::report(int line, FindingKind kind, std::vector<std::string> arguments) {
  findings_->push_back(finding(line, kind, std::move(arguments)));
}

std::string_view scriptFileName(std::string_view path) {
  std::size_t separator = platform::sjisLastPathSeparator(path);
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace pryx::script
