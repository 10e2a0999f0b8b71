#pragma once
// "ストーリーマップ": the story drawn as a map of pages and jumps, with what is wrong
// with it listed under it. It follows the open project: a change redraws the pages
// it touched at once, keeping the zoom and the place shown; when a jump changed the
// layer tree the map is laid out anew once the author pauses (pages added or removed
// at once). A double-click on a box or a finding makes its page the current page;
// choosing a page elsewhere highlights it here. A project of more than 2,000 pages
// shows the neighbourhood of the current page, "全体を表示" the whole story. While
// hidden the map does no work and catches up when shown.

#include "editor/child_window.h"
#include "editor/editor_state.h"

#include "authoring/story_map.h"
#include "project/document.h"

#include <QStringListModel>
#include <QTimer>

#include <set>
#include <vector>

class QCheckBox;
class QListView;

namespace pryx::editor {

class StoryMapView;

class StoryMapWindow final : public ChildWindow {
  Q_OBJECT

 public:
  explicit StoryMapWindow(EditorState& state, QWidget* parent = nullptr);

  // The open project; null while none is open.
  void setDocument(project::ProjectDocument* document);
  StoryMapView* map() const { return view_; }
  QListView* findingsList() const { return findings_; }
  QCheckBox* wholeMapBox() const { return whole_; }
  // Brings the map up to date at once instead of after the current step.
  void refreshNow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void follow(const project::Change& change);
  void goToFinding(const QModelIndex& index);
  void choosePage(int page);
  void currentPageChosen();
  // All pages, or the neighbourhood of the current page in a large project.
  std::vector<bool> pagesToShow(const project::StoryGraph& graph) const;

  EditorState& state_;
  project::ProjectDocument* document_ = nullptr;
  StoryMapView* view_;
  QListView* findings_;
  QCheckBox* whole_;
  QStringListModel findingTexts_;
  std::vector<int> findingPages_;  // beside findingTexts_, row for row
  authoring::LayerTree tree_;
  int root_ = 1;               // where tree_'s first tree starts
  bool laidOut_ = false;       // the map shows a layout of tree_
  std::set<int> touched_;      // pages to redraw at the next refresh
  QTimer refresh_;             // the next refresh, once the step is done
  QTimer relayout_;            // a new layout, once the author pauses
  platform::Subscription documentSubscription_;
  platform::Subscription stateSubscription_;
};

}  // namespace pryx::editor
