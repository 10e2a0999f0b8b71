#pragma once
// Defining and deleting variables. Buttons refer to variables by list position, so
// a deletion renumbers the later variables in every condition and operation and
// rewrites those that used the deleted one.

#include "authoring/work_list.h"

#include "project/document.h"
#include "project/message.h"

#include "platform/progress.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pryx::authoring {

project::InputRequest variableNamePrompt();

// Appends the variable. An empty name adds nothing; a name already defined
// (compared exactly) gives the message to show instead.
std::optional<project::Message> defineVariable(project::ProjectDocument& document, std::string_view name);

struct VariableDeletionList {
  std::optional<project::Message> refusal;  // the work list is in use: show it and stop
  std::string caption;                      // the work list window's caption
  std::vector<std::string> names;           // entry e is variable e + 1
};

// What the work list window shows for deleting variables; it then stays in mode Variables.
VariableDeletionList openVariableDeletion(const project::Project& project, WorkListMode mode);

// The question asked before deleting `variable` (1..count).
project::Message variableDeletionQuestion(const project::Project& project, int variable);

// Deletes the variable. A first condition on it gives way to the second condition
// (or is cleared with its target when there is none); a second condition on it is
// dropped; an operation on it is cleared with its timing.
void deleteVariable(project::ProjectDocument& document, int variable, platform::Progress& progress);

}  // namespace pryx::authoring
