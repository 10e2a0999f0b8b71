#pragma once
// Adding and removing CGs, characters and music. The model refers to resources by
// list position, so a removal renumbers every page reference behind the removed
// entry and clears those to it.

#include "project/document.h"
#include "project/message.h"

#include "platform/progress.h"

#include <optional>
#include <string_view>

namespace pryx::authoring {

// The open-file dialog that picks the resource's file.
project::FileDialogRequest resourceFileDialog(project::ResourceKind kind);

// The name box that follows; the default name is the chosen file's name.
project::InputRequest resourceNamePrompt(project::ResourceKind kind, std::string_view chosenPath);

// Appends the resource, its path stored as storedResourcePath gives it. An empty name
// adds nothing and says nothing; a name already in the list (compared exactly) or a
// full list gives the message to show instead.
std::optional<project::Message> addResource(project::ProjectDocument& document, project::ResourceKind kind,
                                            std::string_view name, std::string_view path);

// The question to ask before removing `entry`, or nullopt when no entry is chosen.
// Before the project is saved as `newProjectPath` in another folder: every path is
// stored again as storedResourcePath gives it for the new folder, so that it names
// the same file; one step. False when no path changed.
bool keepResourcesOnMove(project::ProjectDocument& document, std::string_view newProjectPath);

std::optional<project::Message> resourceRemovalQuestion(const project::Project& project, project::ResourceKind kind,
                                                        int entry);

// Removes the entry: later entries move down, page references to them are
// renumbered and references to the removed entry become 0.
void removeResource(project::ProjectDocument& document, project::ResourceKind kind, int entry,
                    platform::Progress& progress);

}  // namespace pryx::authoring
