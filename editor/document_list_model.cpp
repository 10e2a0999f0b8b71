#include "editor/document_list_model.h"

namespace pryx::editor {

using project::Change;
using project::ListKind;

DocumentListModel::DocumentListModel(project::ProjectDocument& document, ListKind list, Blank blank, QObject* parent)
    : QAbstractListModel(parent), document_(document), list_(list), blank_(blank) {
  rows_ = entries() + 1 - offset();
  subscription_ = document_.subscribe([this](const Change& change) { follow(change); });
}

int DocumentListModel::entries() const {
  const project::Project& project = document_.project();
  switch (list_) {
    case ListKind::Pages: return project.pageCount();
    case ListKind::Cgs: return project.cgs.count();
    case ListKind::Chrs: return project.chrs.count();
    case ListKind::Bgms: return project.bgms.count();
    case ListKind::Variables: return project.variables.count();
  }
  return 0;
}

QString DocumentListModel::nameAt(int position) const {
  const project::Project& project = document_.project();
  if (position < 1 || position > entries()) return {};
  switch (list_) {
    case ListKind::Pages: return QString::fromStdString(project.pages[position].name);
    case ListKind::Cgs: return QString::fromStdString(project.cgs[position].name);
    case ListKind::Chrs: return QString::fromStdString(project.chrs[position].name);
    case ListKind::Bgms: return QString::fromStdString(project.bgms[position].name);
    case ListKind::Variables: return QString::fromStdString(project.variables[position]);
  }
  return {};
}

int DocumentListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant DocumentListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  return nameAt(positionOf(index.row()));
}

void DocumentListModel::follow(const Change& change) {
  bool rows = change.kind == Change::Kind::RowsInserted || change.kind == Change::Kind::RowsRemoved ||
              change.kind == Change::Kind::RowRenamed;
  if (!rows || change.list != list_) return;
  int first = rowOf(change.first);
  int last = first + change.count - 1;
  switch (change.kind) {
    case Change::Kind::RowsInserted:
      beginInsertRows({}, first, last);
      rows_ += change.count;
      endInsertRows();
      break;
    case Change::Kind::RowsRemoved:
      beginRemoveRows({}, first, last);
      rows_ -= change.count;
      endRemoveRows();
      break;
    case Change::Kind::RowRenamed:
      emit dataChanged(index(first), index(last));
      break;
    default: break;
  }
}

}  // namespace pryx::editor
