#pragma once
// Screen readers and UI checks find every control by its name: its caption, or for
// a box without one the label beside it; the tool tip is its description. A list
// box keeps that name and tells its choice as its value, and the toolbar's buttons
// are push buttons: their pressed look only says that they cannot be used now.

#include <QString>
#include <QStringListModel>
#include <QWidget>

namespace pryx::editor {

void describe(QWidget* control, const QString& name, const QString& toolTip = {});

// What screen readers call the blank entry 0 of a list, which shows no text.
QString blankEntryName();

// A fixed list whose first entry is the blank one, named for screen readers.
class BlankFirstListModel final : public QStringListModel {
 public:
  using QStringListModel::QStringListModel;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

}  // namespace pryx::editor
