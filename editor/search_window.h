#pragma once
// "検索と置換": a text found in the open project's page names, messages, button
// captions, resource names and variable names, listed by page and place; a
// double-click (or Enter) on a result asks the frame to go there. "置換" replaces it
// in every message and caption as one undo step.

#include "authoring/text_search.h"
#include "editor/dialogs.h"

#include "project/document.h"

#include <QDialog>
#include <QStringListModel>

#include <vector>

class QLabel;
class QLineEdit;
class QListView;

namespace pryx::editor {

class SearchWindow final : public QDialog {
  Q_OBJECT

 public:
  SearchWindow(project::ProjectDocument& document, QWidget* parent = nullptr);

  // Shown with the search text chosen, ready to type.
  void showSearch();

 signals:
  void hitChosen(const authoring::SearchHit& hit);

 private:
  void search();
  void replace();
  void choose(const QModelIndex& index);

  project::ProjectDocument& document_;
  QLineEdit* text_;
  QLineEdit* replacement_;
  QListView* results_;
  QLabel* count_;
  QStringListModel resultTexts_;
  std::vector<authoring::SearchHit> hits_;  // beside resultTexts_, row for row
};

}  // namespace pryx::editor
