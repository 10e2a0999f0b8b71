#pragma once
// "ストーリーマップ": the story drawn as a map of pages and jumps, with what is wrong
// with it listed under it. It follows the open project: a change of the jumps lays
// the map out anew only when the layer tree changed, other changes only redraw the
// pages they touched; the zoom and the place shown stay. A double-click on a box or
// a finding makes its page the current page; choosing a page elsewhere highlights
// it here. While hidden it does no work and catches up when shown.

#include "editor/child_window.h"
#include "editor/editor_state.h"

#include "authoring/story_map.h"
#include "project/document.h"

#include <QStringListModel>
#include <QTimer>

#include <set>
#include <vector>

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
  // Brings the map up to date at once instead of after the current step.
  void refreshNow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void follow(const project::Change& change);
  void goToFinding(const QModelIndex& index);

  EditorState& state_;
  project::ProjectDocument* document_ = nullptr;
  StoryMapView* view_;
  QListView* findings_;
  QStringListModel findingTexts_;
  std::vector<int> findingPages_;  // beside findingTexts_, row for row
  authoring::LayerTree tree_;
  bool laidOut_ = false;       // the map shows a layout of tree_
  std::set<int> touched_;      // pages to redraw at the next refresh
  QTimer refresh_;             // the next refresh, once the step is done
  platform::Subscription documentSubscription_;
  platform::Subscription stateSubscription_;
};

}  // namespace pryx::editor
