#include "authoring/project_play.h"

#include "platform/ascii.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "player/gamefile/header.h"
#include "project/game_file_build.h"

#include <charconv>
#include <memory>
#include <unordered_map>

namespace pryx::authoring {
namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<std::int32_t> wholeNumber(std::string_view text) {
  text = trimmed(text);
  std::int32_t value = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || failure != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The author's files by the name the player asks for (Shift-JIS name + extension,
// letter case ignored as the player's folder search does). Two resources with the
// same file name share one copy in a distribution; the first one listed is kept.
using FilesByName = std::unordered_map<std::string, std::string>;

FilesByName resourceFiles(const project::Project& project, std::string_view projectPath) {
  FilesByName files;
  for (project::ResourceKind kind : project::kResourceKinds) {
    for (const project::Resource& resource : project.resources(kind)) {
      std::string key = platform::asciiUpperCase(platform::encodeSjis(platform::fileNameOf(resource.path)));
      files.emplace(std::move(key), project::resourceFilePath(projectPath, resource.path));
    }
  }
  return files;
}

}  // namespace

ProjectPlay prepareProjectPlay(const project::Project& project, std::string_view projectPath,
                               platform::Progress& progress) {
  auto files = std::make_shared<const FilesByName>(resourceFiles(project, projectPath));
  player::ResourceLookup find = [files](std::string_view sjisName,
                                        std::string_view extension) -> std::optional<std::string> {
    if (sjisName.empty()) return std::nullopt;
    auto found = files->find(platform::asciiUpperCase(std::string(sjisName) + std::string(extension)));
    if (found == files->end() || !platform::fileExists(found->second)) return std::nullopt;
    return found->second;
  };
  return {project::buildGameFile(project, progress), std::move(find)};
}

std::optional<std::int32_t> variableNumber(const project::Project* project, std::string_view nameOrNumber) {
  if (project) {
    for (int number = 1; number <= project->variables.count(); ++number) {
      if (project->variables[number] == nameOrNumber) return number;
    }
  }
  auto number = wholeNumber(nameOrNumber);
  int highest = project ? project->variables.count() : gamefile::kMaxVariables;
  if (!number || *number < 1 || *number > highest) return std::nullopt;
  return number;
}

std::optional<std::int32_t> variableValue(std::string_view text) { return wholeNumber(text); }

std::optional<player::VariablePreset> parseVariablePreset(const project::Project* project, std::string_view text,
                                                          std::string& problem) {
  auto equals = text.find('=');
  if (equals == std::string_view::npos) {
    problem = "--set takes NAME=VALUE, not \"" + std::string(text) + "\"";
    return std::nullopt;
  }
  std::string_view name = text.substr(0, equals);
  auto number = variableNumber(project, name);
  if (!number) {
    problem = project ? "the project has no variable \"" + std::string(name) + "\""
                      : "a game file holds no variable names: give the variable's number (1.." +
                            std::to_string(gamefile::kMaxVariables) + "), not \"" + std::string(name) + "\"";
    return std::nullopt;
  }
  auto value = variableValue(text.substr(equals + 1));
  if (!value) {
    problem = "--set " + std::string(name) + " takes a whole number, not \"" + std::string(text.substr(equals + 1)) + "\"";
    return std::nullopt;
  }
  return player::VariablePreset{*number, *value};
}

}  // namespace pryx::authoring
