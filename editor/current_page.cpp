#include "editor/current_page.h"

#include <algorithm>
#include <utility>

namespace pryx::editor {

CurrentPageFollower::CurrentPageFollower(project::ProjectDocument& document, EditorState& state)
    : document_(document), state_(state), subscription_(document.subscribe([this](const project::Change& change) {
        follow(change);
      })) {}

void CurrentPageFollower::follow(const project::Change& change) {
  using Kind = project::Change::Kind;
  bool moved = change.kind == Kind::RowsInserted || change.kind == Kind::RowsRemoved;
  // Without a current page (the blank entry, or nothing chosen) there is nothing to follow.
  if (moved && change.list == project::ListKind::Pages && state_.currentPage() >= 1) {
    int page = moved_.value_or(state_.currentPage());
    if (change.kind == Kind::RowsRemoved && page > change.first) page -= change.count;
    if (change.kind == Kind::RowsInserted && page >= change.first) page += change.count;
    moved_ = page;
  }
  // A file state change closes every step.
  if (change.kind != Kind::FileState || !moved_) return;
  int page = std::min(*std::exchange(moved_, std::nullopt), document_.project().pageCount());
  state_.showPageAgain(page >= 1 ? page : EditorState::kNoPage);
}

}  // namespace pryx::editor
