#pragma once
// PRYXTOOL's frame "ぷりくすつーる！": the multiple-document frame that holds the four
// child windows, the menus and the toolbar. It only routes: the project work
// lives in ProjectFiles, the shared state in EditorState, the questions in Dialogs.

#include "authoring/text_search.h"
#include "editor/asking_dialogs.h"
#include "editor/document_list_model.h"
#include "editor/editor_state.h"
#include "editor/frame_actions.h"
#include "editor/player_start_settings.h"
#include "editor/project_files.h"
#include "editor/qt_dialogs.h"
#include "editor/recent_files.h"
#include "editor/recovery_copy.h"

#include "platform/zorvex/display_library.h"
#include "player/sequencer.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <string>

namespace pryx::player {
class PlayerProgram;
}

namespace pryx::editor {

class ChildWindow;
class CommandWindow;
class DistributionWindow;
class MainWindow;
class MessageWindow;
class PageEventWindow;
class ProgramModeWindow;
class ProgressWindow;
class StoryMapWindow;

// What the frame talks through. Tests hand in their own; the program uses Qt's
// dialogs, the FluidSynth sequencer and the display library beside itself.
struct EditorServices {
  Dialogs* dialogs = nullptr;
  player::Sequencer* music = nullptr;
  // Where the display library and the player lie, for previews and distributions;
  // empty: the program's own folder.
  std::string displayLibraryFolder;
  // Where recovery copies of projects go; empty: "recovery" in the user's cache folder.
  std::string recoveryFolder = {};
};

class EditorFrame final : public QMainWindow {
  Q_OBJECT

 public:
  explicit EditorFrame(EditorServices services = {}, QWidget* parent = nullptr);
  ~EditorFrame() override;

  EditorState& state() { return state_; }
  ProjectFiles& files() { return files_; }
  const FrameActions& actions() const { return actions_; }
  ProgressWindow& progress() { return *progress_; }
  MainWindow* mainWindow() const { return main_; }
  MessageWindow* messageWindow() const { return message_; }
  CommandWindow* commandWindow() const { return command_; }
  PageEventWindow* pageEventWindow() const { return event_; }
  StoryMapWindow* storyMapWindow() const { return map_; }
  DistributionWindow* distributionWindow() const { return distribution_; }
  // The open project's lists, shared by every view; null while none is open.
  ProjectLists* lists() const { return lists_.get(); }
  // The script window while program mode lasts; null otherwise.
  ProgramModeWindow* programModeWindow() const;

  // A project file named on the command line, opened as the open dialog's choice;
  // a script file opens straight into program mode.
  void openFromCommandLine(const QString& path);
  // The splash window, shown without waiting.
  void showSplash();
  // The distribution window, building the open project or the script file of the state.
  void openDistributionWindow(BuildSource source);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Child {
    ChildWindow* window;
    QAction* viewItem;
    QAction* windowItem;
    int toolbarButton;
    QPoint place;
    bool shownOnOpening = true;
  };

  void file_new_Click();
  void file_open_Click();
  void file_save_Click();
  void file_saveas_Click();
  void file_close_Click();
  void file_end_Click();
  void edit_undo_Click();
  void edit_redo_Click();
  void window_reset_Click();
  void version_Click();
  void Menu_Next_Click();
  void Menu_Last_Click();
  void Toolbar1_ButtonClick(QAction* button);
  void MainWindow_PopUp(const QPoint& position);
  void MainWindow_Click();
  void Menu_ZORVEX_Click(bool checked);

  // The test run, from the menu or (asking for the start page) the toolbar.
  class RunHost;
  void startTestRun(bool fromToolbar);
  void setRunMenus(bool running);
  void closePageList();

  // The project built in memory and played in the player's window from a page the
  // author picks, with the variables preset as typed; saves go to a folder of its own.
  void playInPlayer();

  // Program mode: the project as script text in its own window, the frame idle.
  void tool_pro_Click();
  void openScript(const QString& path);
  void enterProgramMode(ProgramModeWindow* window);
  void leaveProgramMode();

  // A result of "検索と置換": its page becomes current and its field is selected.
  void showSearchHit(const authoring::SearchHit& hit);

  // A window waits inside a question: the project must stay until it is answered.
  bool questionOpen() const;
  void projectOpened();
  void projectClosing();
  void toggleChild(const Child& child);
  void showChild(const Child& child);
  void childHidden(const Child& child);
  void childActivated(QMdiSubWindow* active);
  void setProjectMenus(bool open);
  void showFileState();
  void fillRecentFiles();
  // A project file was opened: it joins the recent files, and its recovery copy is offered.
  void opened(const QString& path);
  void keepRecoveryCopy();

  QtDialogs qtDialogs_;
  AskingDialogs dialogs_;
  std::unique_ptr<player::Sequencer> ownMusic_;
  player::Sequencer& music_;
  std::string programFolder_;
  platform::DisplayLibrary display_;
  EditorState state_;
  ProjectFiles files_;
  RecentFiles recent_;
  RecoveryCopy recovery_;
  QTimer recoveryTimer_;  // the next recovery copy, once the last one is old enough
  FrameActions actions_;
  QMdiArea* area_;
  MainWindow* main_;
  MessageWindow* message_;
  CommandWindow* command_;
  PageEventWindow* event_;
  StoryMapWindow* map_;
  ProgressWindow* progress_;
  DistributionWindow* distribution_;
  std::vector<Child> children_;
  std::unique_ptr<ProjectLists> lists_;
  // The windows that work on the open project: made when it opens, gone before it goes.
  struct ProjectWindows;
  std::unique_ptr<ProjectWindows> projectWindows_;
  platform::Subscription filesSubscription_;
  platform::Subscription documentSubscription_;
  QPointer<ProgramModeWindow> program_;
  PlayerStartChoice playerStart_ = storedPlayerStart();
  player::PlayerProgram* playing_ = nullptr;  // while the project plays in the player
  bool endConfirmed_ = false;
};

}  // namespace pryx::editor
