#pragma once
// What the editor's windows share beside the project: the page and button tab being
// edited, the work list's use, the test run's flags and what the distribution
// window builds. Windows read it here and hear of every change; none keeps a copy.

#include "authoring/work_list.h"

#include "platform/observers.h"

#include <string>

namespace pryx::editor {

enum class StateItem {
  CurrentPage,
  CurrentTab,
  WorkListMode,
  RunState,
  RunStopRequest,
  RunChoice,
  RunPage,
  ToolbarStart,
  BuildSource,
  ScriptPath,
};

// Where the distribution window takes the game from.
enum class BuildSource { Project = 1, Script = 2 };

class EditorState {
 public:
  static constexpr int kNoPage = -1;  // nothing chosen in the page selector; 0 is its blank entry

  [[nodiscard]] platform::Subscription subscribe(platform::ObserverList<StateItem>::Observer observer) {
    return observers_.subscribe(std::move(observer));
  }

  int currentPage() const { return currentPage_; }
  int currentTab() const { return currentTab_; }  // the button slot shown, 0..4
  authoring::WorkListMode workListMode() const { return workListMode_; }
  int runState() const { return runState_; }  // 0: no test run
  int runStopRequest() const { return runStopRequest_; }
  int runChoice() const { return runChoice_; }
  int runPage() const { return runPage_; }  // the page a test run plays
  bool toolbarStart() const { return toolbarStart_; }  // the run was started from the toolbar
  BuildSource buildSource() const { return buildSource_; }
  const std::string& scriptPath() const { return scriptPath_; }

  void setCurrentPage(int page) { set(currentPage_, page, StateItem::CurrentPage); }
  // The same page number may now name another page, or show changed content: every view shows it again.
  void showPageAgain(int page) {
    currentPage_ = page;
    observers_.notify(StateItem::CurrentPage);
  }
  void setCurrentTab(int tab) { set(currentTab_, tab, StateItem::CurrentTab); }
  void setWorkListMode(authoring::WorkListMode mode) { set(workListMode_, mode, StateItem::WorkListMode); }
  void setRunState(int state) { set(runState_, state, StateItem::RunState); }
  void setRunStopRequest(int request) { set(runStopRequest_, request, StateItem::RunStopRequest); }
  void setRunChoice(int choice) { set(runChoice_, choice, StateItem::RunChoice); }
  void setRunPage(int page) { set(runPage_, page, StateItem::RunPage); }
  void setToolbarStart(bool toolbar) { set(toolbarStart_, toolbar, StateItem::ToolbarStart); }
  void setBuildSource(BuildSource source) { set(buildSource_, source, StateItem::BuildSource); }
  void setScriptPath(std::string path) { set(scriptPath_, std::move(path), StateItem::ScriptPath); }

 private:
  template <typename T>
  void set(T& item, T value, StateItem which) {
    if (item == value) return;
    item = std::move(value);
    observers_.notify(which);
  }

  int currentPage_ = kNoPage;
  int currentTab_ = 0;
  authoring::WorkListMode workListMode_ = authoring::WorkListMode::Idle;
  int runState_ = 0;
  int runStopRequest_ = 0;
  int runChoice_ = 0;
  int runPage_ = 0;
  bool toolbarStart_ = false;
  BuildSource buildSource_ = BuildSource::Project;
  std::string scriptPath_;
  platform::ObserverList<StateItem> observers_;
};

}  // namespace pryx::editor
