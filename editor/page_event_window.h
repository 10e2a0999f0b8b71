#pragma once
// "ページのイベント設定": where the author chooses the page every window shows, and
// sets what happens on it.

#include "editor/child_window.h"
#include "editor/editor_state.h"

#include <QComboBox>
#include <QStringListModel>

class QAbstractItemModel;

namespace pryx::editor {

class PageEventWindow final : public ChildWindow {
  Q_OBJECT

 public:
  PageEventWindow(EditorState& state, QWidget* parent = nullptr);

  // The page list with its blank entry; null while no project is open.
  void setPageList(QAbstractItemModel* pages);

 private:
  void Combo1_Click(int index);
  void showCurrentPage();

  EditorState& state_;
  QComboBox* pageSelector_;
  QStringListModel noPages_;  // what the selector shows while no project is open
  platform::Subscription stateSubscription_;
};

}  // namespace pryx::editor
