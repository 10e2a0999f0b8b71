#pragma once
// The collecting pass: every resource, variable and label that the script defines,
// learnt before any command is translated, so names resolve over the whole script.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "player/gamefile/writer.h"
#include "script/elements.h"
#include "script/findings.h"
#include "script/name_table.h"
#include "script/pass_progress.h"

namespace pryx::script {

struct ResourceDefinition {
  gamefile::ResourceKind kind;
  std::string_view name;
  std::string_view path;      // as written in the script
  std::string_view fileName;  // after the last "\" or "/"
  std::string_view baseName;  // the file name without its last four characters
  int line;
};

struct Definitions {
  std::array<std::vector<ResourceDefinition>, 3> resources;  // by ResourceKind
  std::array<NameTable, 3> resourceNames;
  NameTable variables;
  NameTable labels;

  const std::vector<ResourceDefinition>& of(gamefile::ResourceKind kind) const {
    return resources[static_cast<std::size_t>(kind)];
  }
  const NameTable& namesOf(gamefile::ResourceKind kind) const { return resourceNames[static_cast<std::size_t>(kind)]; }
};

using ResourceHook = std::function<void(const ResourceDefinition&)>;

struct ScriptCommand;

// Enters the definitions of the commands it is given, in script order. `onResource`
// (if set) sees each resource definition as it is met; the build copies the file
// there. With `findings`, duplicates, empty names and table limits are reported.
class DefinitionCollector {
 public:
  DefinitionCollector(const ResourceHook& onResource, Findings* findings)
      : onResource_(onResource), findings_(findings) {}

  // Any command: labels and @DEF enter what they define, the others nothing.
  void take(const ScriptCommand& command);

  // What has been entered so far.
  const Definitions& definitions() const { return definitions_; }
  Definitions release() && { return std::move(definitions_); }

 private:
  void label(const ScriptCommand& command);
  void variable(const ScriptCommand& command);
  void resource(const ScriptCommand& command);
  void reportResource(const ResourceDefinition& definition, std::optional<NameTable::Entry> earlier, int number);
  void report(int line, FindingKind kind, std::vector<std::string> arguments = {});

  const ResourceHook& onResource_;
  Findings* findings_;
  Definitions definitions_;
};

// Walks the commands as the translating pass does. `onResource` (if set) sees each
// resource definition as it is met; the build copies the file there. `findings`
// (if given) also receives what cutting the script finds, placed before the pass's own.
Definitions collectDefinitions(std::string_view script, PassProgress& progress, const ResourceHook& onResource,
                               Findings* findings);

// The file name of a path written in a script: the text after the last "\" or "/"
// (a trail byte of a double-byte character is no separator).
std::string_view scriptFileName(std::string_view path);

}  // namespace pryx::script
