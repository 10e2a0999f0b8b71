#pragma once
// One list of the open project as a Qt item model: pages, CGs, characters, music or
// variables, with the blank entry 0 first where the list boxes show one. Every
// combo and list box that shows the list shares the model; rows follow the
// document's inserted, removed and renamed rows, so nothing is read back. The
// document announces rows before they move, so the views are told of a change
// while the list still is what they showed.

#include "project/document.h"

#include <QAbstractListModel>

namespace pryx::editor {

class DocumentListModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  enum class Blank { Shown, Left };

  DocumentListModel(project::ProjectDocument& document, project::ListKind list, Blank blank, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // The row that shows list position `position`, and back.
  int rowOf(int position) const { return position - offset(); }
  int positionOf(int row) const { return row + offset(); }

 private:
  int offset() const { return blank_ == Blank::Shown ? 0 : 1; }
  int entries() const;
  QString nameAt(int position) const;
  void follow(const project::Change& change);

  project::ProjectDocument& document_;
  project::ListKind list_;
  Blank blank_;
  platform::Subscription subscription_;
};

}  // namespace pryx::editor

namespace pryx::editor {

// The lists of the open project, each with its blank entry 0, as the list boxes show them.
struct ProjectLists {
  explicit ProjectLists(project::ProjectDocument& document)
      : pages(document, project::ListKind::Pages, DocumentListModel::Blank::Shown),
        cgs(document, project::ListKind::Cgs, DocumentListModel::Blank::Shown),
        chrs(document, project::ListKind::Chrs, DocumentListModel::Blank::Shown),
        bgms(document, project::ListKind::Bgms, DocumentListModel::Blank::Shown),
        variables(document, project::ListKind::Variables, DocumentListModel::Blank::Shown) {}

  DocumentListModel pages;
  DocumentListModel cgs;
  DocumentListModel chrs;
  DocumentListModel bgms;
  DocumentListModel variables;
};

}  // namespace pryx::editor
