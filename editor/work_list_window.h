#pragma once
// The work list window, shared by page deletion and variable deletion. After a page
// deletion it lists the pages whose jumps were cleared; a double-click goes to one
// and crosses it off. For variable deletion it shows the variable list itself; a
// double-click deletes the variable after asking. Enter on an entry does what a
// double-click does. Closing it in any way ("閉じる",
// the close box, Escape) empties it and frees the deletions again.

#include "authoring/page_operations.h"
#include "editor/dialogs.h"
#include "editor/document_list_model.h"
#include "editor/editor_state.h"

#include "project/document.h"

#include "platform/progress.h"

#include <QDialog>
#include <QStringListModel>

#include <string>
#include <vector>

class QListView;

namespace pryx::editor {

class WorkListWindow final : public QDialog {
  Q_OBJECT

 public:
  WorkListWindow(project::ProjectDocument& document, EditorState& state, Dialogs& dialogs, platform::Progress& progress,
                 QWidget* parent = nullptr);

  // A page deletion begins: the window shows `caption` over an empty list.
  void beginPageDeletion(const std::string& caption);
  // The deletion ended: with pages to list the window stays (and so does the mode
  // AffectedPages); with none it goes again.
  void listAffectedPages(const std::vector<authoring::AffectedPage>& pages);
  // The "変数の削除" button: the variables to delete, or the refusal while the list is in use.
  void beginVariableDeletion();

  // Every way of closing the window ends up here.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void List1_DblClick(const QModelIndex& index);
  // The list came with a step (a page deletion, the first variable deletion made
  // here): undoing that step takes the list back too.
  void listedWithLastStep();
  void goToAffectedPage(int row);
  void deleteVariable(int row);

  project::ProjectDocument& document_;
  EditorState& state_;
  Dialogs& dialogs_;
  platform::Progress& progress_;
  QListView* list_;
  QStringListModel affectedNames_;
  std::vector<int> affectedPositions_;  // beside affectedNames_, row for row
  DocumentListModel variables_;
  std::size_t listedAfter_ = 0;  // steps done when the list came; 0 while it came with none
  platform::Subscription documentSubscription_;
};

}  // namespace pryx::editor
