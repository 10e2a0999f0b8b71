#pragma once
// Keeps the editor's current page on its page while other pages come and go; a
// deleted current page gives way to the page now at its position, else to the new
// last page, else to none. Every view is told to show the page again once the
// whole step is done (a deletion, an undo), never half-way through it.

#include "editor/editor_state.h"

#include "project/document.h"

#include <optional>

namespace pryx::editor {

class CurrentPageFollower {
 public:
  CurrentPageFollower(project::ProjectDocument& document, EditorState& state);

 private:
  void follow(const project::Change& change);

  project::ProjectDocument& document_;
  EditorState& state_;
  std::optional<int> moved_;  // where the current page went during the step being made
  platform::Subscription subscription_;
};

}  // namespace pryx::editor
