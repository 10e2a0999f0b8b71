#include "editor/document_list_model.h"

#include "editor/accessible.h"

namespace pryx::editor {

using project::Change;
using project::ListKind;

DocumentListModel::DocumentListModel(project::ProjectDocument& document, ListKind list, Blank blank, QObject* parent)
    : QAbstractListModel(parent), document_(document), list_(list), blank_(blank) {
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

int DocumentListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : entries() + 1 - offset();
}

QVariant DocumentListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  int position = positionOf(index.row());
  if (position == 0 && role == Qt::AccessibleTextRole) return blankEntryName();
  return nameAt(position);
}

void DocumentListModel::follow(const Change& change) {
  if (change.list != list_) return;
  int first = rowOf(change.first);
  int last = first + change.count - 1;
  switch (change.kind) {
    case Change::Kind::RowsAboutToBeInserted: beginInsertRows({}, first, last); break;
    case Change::Kind::RowsInserted: endInsertRows(); break;
    case Change::Kind::RowsAboutToBeRemoved: beginRemoveRows({}, first, last); break;
    case Change::Kind::RowsRemoved: endRemoveRows(); break;
    case Change::Kind::RowRenamed: emit dataChanged(index(first), index(last)); break;
    default: break;
  }
}

}  // namespace pryx::editor
