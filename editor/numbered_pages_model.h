#pragma once
// The page list as the page list window shows it: each page with its number and how
// many jumps lead to it ("3  森  ←2"). A view of the document's page list, row for
// row; the counts are read from the story graph again only after a button changed.

#include "editor/document_list_model.h"

#include <QIdentityProxyModel>

#include <vector>

namespace pryx::editor {

class NumberedPagesModel final : public QIdentityProxyModel {
  Q_OBJECT

 public:
  NumberedPagesModel(project::ProjectDocument& document, QObject* parent = nullptr);

  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  // The page a row shows.
  int positionOf(int row) const { return pages_.positionOf(row); }

 private:
  void follow(const project::Change& change);

  project::ProjectDocument& document_;
  DocumentListModel pages_;
  mutable std::vector<int> jumpsInto_;  // index page; empty while it must be counted again
  platform::Subscription subscription_;
};

}  // namespace pryx::editor
