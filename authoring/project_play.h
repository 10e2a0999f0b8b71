#pragma once
// A project played as it stands, without writing a distribution: the game file built
// in memory, and each picture and music file found where the author keeps it, under
// the file name its copy in a distribution would have. A run can start at any page
// with some variables preset.

#include "platform/progress.h"
#include "player/resource_lookup.h"
#include "player/start_position.h"
#include "project/project.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pryx::authoring {

struct ProjectPlay {
  std::vector<std::uint8_t> gameFile;
  player::ResourceLookup findResource;
};

// The progress is the game file build's.
ProjectPlay prepareProjectPlay(const project::Project& project, std::string_view projectPath,
                               platform::Progress& progress);

// A variable by its name in the project, or by its number (1..the project's count;
// any number the game file allows when there is no project); nullopt for neither.
std::optional<std::int32_t> variableNumber(const project::Project* project, std::string_view nameOrNumber);

// A whole number a variable can hold, blanks around it allowed.
std::optional<std::int32_t> variableValue(std::string_view text);

// "NAME=VALUE" as `pryx play --set` takes it; nullopt with `problem` said otherwise.
std::optional<player::VariablePreset> parseVariablePreset(const project::Project* project, std::string_view text,
                                                          std::string& problem);

}  // namespace pryx::authoring
