#include "editor/numbered_pages_model.h"

#include "project/story_graph.h"

namespace pryx::editor {

NumberedPagesModel::NumberedPagesModel(project::ProjectDocument& document, QObject* parent)
    : QIdentityProxyModel(parent), document_(document), pages_(document, project::ListKind::Pages, DocumentListModel::Blank::Left) {
  setSourceModel(&pages_);
  subscription_ = document_.subscribe([this](const project::Change& change) { follow(change); });
}

void NumberedPagesModel::follow(const project::Change& change) {
  using Kind = project::Change::Kind;
  const bool buttons = change.kind == Kind::PageContent && change.field == project::PageField::Button;
  const bool moved = (change.kind == Kind::RowsInserted || change.kind == Kind::RowsRemoved) &&
                     change.list == project::ListKind::Pages;
  if (!buttons && !moved) return;
  jumpsInto_.clear();
  // Every row's count may change; the views read again only the rows they show.
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DisplayRole, Qt::AccessibleTextRole});
}

QVariant NumberedPagesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) {
    return QIdentityProxyModel::data(index, role);
  }
  if (jumpsInto_.empty()) {
    const project::StoryGraph graph = project::storyGraph(document_.project());
    jumpsInto_.assign(static_cast<std::size_t>(graph.pageCount) + 1, 0);
    for (const std::vector<project::StoryJump>& jumps : graph.jumpsFrom) {
      for (const project::StoryJump& jump : jumps) {
        if (graph.leadsToAPage(jump)) ++jumpsInto_[static_cast<std::size_t>(jump.to)];
      }
    }
  }
  const int page = positionOf(index.row());
  const int into = static_cast<std::size_t>(page) < jumpsInto_.size() ? jumpsInto_[static_cast<std::size_t>(page)] : 0;
  return QStringLiteral("%1  %2  ←%3").arg(page).arg(QIdentityProxyModel::data(index, Qt::DisplayRole).toString()).arg(into);
}

}  // namespace pryx::editor
