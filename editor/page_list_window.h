#pragma once
// "ページの編集": the project's pages in their order, each with its number and how
// many jumps lead to it. A click makes a page current,
// a double-click retitles it, and the buttons add, retitle, delete and copy pages.
// A deletion lists the pages whose jumps it cleared in the work list window.

#include "editor/dialogs.h"
#include "editor/numbered_pages_model.h"
#include "editor/editor_state.h"
#include "editor/work_list_window.h"

#include "project/document.h"

#include "platform/progress.h"

#include <QDialog>

#include <optional>

class QListView;

namespace pryx::editor {

class PageListWindow final : public QDialog {
  Q_OBJECT

 public:
  PageListWindow(project::ProjectDocument& document, EditorState& state, Dialogs& dialogs, platform::Progress& progress,
                 WorkListWindow& workList, QWidget* parent = nullptr);

 private:
  void List1_Click(const QModelIndex& index);
  void newPage();
  void retitle();
  void deleteSelected();
  void copySelected();
  // The page selected in the list, if any.
  std::optional<int> selectedPage() const;
  // A page chosen before a question may have gone while it was open.
  bool stillThere(int page) const;
  // Shows the refusal or the notice; false when the operation must stop.
  bool mayAddPage(const authoring::PageAdditionPrompt& prompt);

  project::ProjectDocument& document_;
  EditorState& state_;
  Dialogs& dialogs_;
  platform::Progress& progress_;
  WorkListWindow& workList_;
  NumberedPagesModel pages_;
  QListView* list_;
};

}  // namespace pryx::editor
