#include "editor/editor_frame.h"

#include "editor/command_window.h"
#include "editor/current_page.h"
#include "editor/distribution_window.h"
#include "editor/main_window.h"
#include "editor/message_window.h"
#include "editor/page_event_window.h"
#include "editor/page_list_window.h"
#include "editor/page_options_dialog.h"
#include "editor/player_start_dialog.h"
#include "editor/program_mode_window.h"
#include "editor/progress_window.h"
#include "editor/project_options_dialog.h"
#include "editor/search_window.h"
#include "editor/splash_window.h"
#include "editor/story_map_window.h"
#include "editor/version.h"
#include "editor/version_window.h"
#include "editor/work_list_window.h"

#include "platform/paths.h"
#include "player/music/fluid_sequencer.h"
#include "player/window/player_program.h"
#include "project/distribution.h"
#include "project/project_file.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

#include <chrono>

#include <iostream>

namespace pryx::editor {
namespace {

std::unique_ptr<player::Sequencer> programMusic(const EditorServices& services) {
  if (services.music != nullptr) return nullptr;
  std::string folder = platform::folderOf(platform::currentExecutablePath());
  return std::make_unique<player::FluidSequencer>(player::playerSoundFonts(folder), player::AudioOutput::Device,
                                                  std::cerr);
}

// "元に戻す: ページの削除(&U)": the Edit menu names the step it would take back.
QString stepCaption(const QString& verb, QChar key, const std::string& step) {
  QString shortcut = QStringLiteral("(&%1)").arg(key);
  if (step.empty()) return verb + shortcut;
  return verb + QStringLiteral(": ") + QString::fromStdString(step) + shortcut;
}

std::string recoveryFolderOf(const EditorServices& services) {
  if (!services.recoveryFolder.empty()) return services.recoveryFolder;
  QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  return cache.isEmpty() ? std::string() : (cache + QStringLiteral("/recovery")).toStdString();
}

std::int64_t steadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

struct EditorFrame::ProjectWindows {
  ProjectWindows(EditorFrame& frame, project::ProjectDocument& document)
      : follower(document, frame.state_),
        workList(document, frame.state_, frame.dialogs_, *frame.progress_, &frame),
        pageList(document, frame.state_, frame.dialogs_, *frame.progress_, workList, &frame),
        projectOptions(document, frame.dialogs_, &frame),
        pageOptions(document, frame.dialogs_, &frame),
        search(document, &frame) {}

  CurrentPageFollower follower;
  WorkListWindow workList;
  PageListWindow pageList;
  ProjectOptionsDialog projectOptions;
  PageOptionsDialog pageOptions;
  SearchWindow search;
};

EditorFrame::EditorFrame(EditorServices services, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(services.dialogs != nullptr ? *services.dialogs : qtDialogs_),
      ownMusic_(programMusic(services)),
      music_(services.music != nullptr ? *services.music : *ownMusic_),
      programFolder_(services.displayLibraryFolder.empty() ? project::runningProgramFolder()
                                                           : services.displayLibraryFolder),
      display_(services.displayLibraryFolder.empty() ? platform::DisplayLibrary()
                                                     : platform::DisplayLibrary(services.displayLibraryFolder)),
      files_(dialogs_),
      recovery_(recoveryFolderOf(services), steadyMilliseconds),
      actions_(buildFrameActions(*this)),
      area_(new QMdiArea),
      progress_(new ProgressWindow(this)) {
  main_ = new MainWindow(music_, display_);
  message_ = new MessageWindow(state_);
  command_ = new CommandWindow(state_, dialogs_);
  event_ = new PageEventWindow(state_, dialogs_, *progress_, *main_);
  map_ = new StoryMapWindow(state_);
  distribution_ = new DistributionWindow(state_, dialogs_, *progress_, [this] { return files_.document(); },
                                         services.displayLibraryFolder, this);
  qtDialogs_.setParent(this);
  setObjectName("MDIForm1");
  setWindowTitle(kProductTitle);
  setAccessibleName(kProductTitle);
  area_->setObjectName("MDIClient");
  setCentralWidget(area_);
  // Room for the four windows at their places; never more than the screen.
  QSize room(1240, 860);
  if (QScreen* screen = QGuiApplication::primaryScreen()) room = room.boundedTo(screen->availableSize());
  resize(room);

  const FrameActions& a = actions_;
  children_ = {
      {main_, a.view_main, a.window_main, kMainWindowButton, {0, 0}},
      {message_, a.view_text, a.window_message, kMessageWindowButton, {80, 380}},
      {command_, a.view_command, a.window_command, kCommandWindowButton, {540, 60}},
      {event_, a.view_event, a.window_event, kEventWindowButton, {540, 150}},
      {map_, a.view_map, a.window_map, kStoryMapButton, {260, 120}, false},
  };
  for (const Child& child : children_) {
    area_->addSubWindow(child.window);
    child.window->hide();
    connect(child.viewItem, &QAction::triggered, this, [this, child] { toggleChild(child); });
    connect(child.windowItem, &QAction::triggered, this, [this, child] {
      if (child.window->isVisible()) area_->setActiveSubWindow(child.window);
      childActivated(area_->activeSubWindow());
    });
    connect(child.window, &ChildWindow::hiddenByAuthor, this, [this, child] { childHidden(child); });
  }
  connect(area_, &QMdiArea::subWindowActivated, this, &EditorFrame::childActivated);
  connect(main_, &MainWindow::popUpMenuRequested, this, &EditorFrame::MainWindow_PopUp);
  connect(main_, &MainWindow::stageClicked, this, &EditorFrame::MainWindow_Click);
  connect(event_, &PageEventWindow::pageListRequested, this, [this] {
    if (!projectWindows_ || state_.currentPage() < 1) return;
    projectWindows_->pageList.show();
    projectWindows_->pageList.raise();
  });
  connect(event_, &PageEventWindow::variableDeletionRequested, this, [this] {
    if (projectWindows_) projectWindows_->workList.beginVariableDeletion();
  });
  connect(event_, &PageEventWindow::pageOptionsRequested, this, [this](int page) {
    if (projectWindows_) projectWindows_->pageOptions.openForPage(page);
  });
  connect(a.project_run, &QAction::triggered, this, [this] { startTestRun(false); });
  connect(a.project_play, &QAction::triggered, this, &EditorFrame::playInPlayer);
  connect(a.project_pac, &QAction::triggered, this, [this] { openDistributionWindow(BuildSource::Project); });
  connect(a.tool_pro, &QAction::triggered, this, &EditorFrame::tool_pro_Click);
  connect(a.project_option, &QAction::triggered, this, [this] {
    if (projectWindows_) projectWindows_->projectOptions.showOptions();
  });
  connect(a.Menu_ZORVEX, &QAction::triggered, this, &EditorFrame::Menu_ZORVEX_Click);

  connect(a.file_new, &QAction::triggered, this, &EditorFrame::file_new_Click);
  connect(a.file_open, &QAction::triggered, this, &EditorFrame::file_open_Click);
  connect(a.file_save, &QAction::triggered, this, &EditorFrame::file_save_Click);
  connect(a.file_saveas, &QAction::triggered, this, &EditorFrame::file_saveas_Click);
  connect(a.file_close, &QAction::triggered, this, &EditorFrame::file_close_Click);
  connect(a.file_end, &QAction::triggered, this, &EditorFrame::file_end_Click);
  connect(a.file_recent, &QMenu::aboutToShow, this, &EditorFrame::fillRecentFiles);
  connect(a.edit_undo, &QAction::triggered, this, &EditorFrame::edit_undo_Click);
  connect(a.edit_redo, &QAction::triggered, this, &EditorFrame::edit_redo_Click);
  connect(a.edit_find, &QAction::triggered, this, [this] {
    if (projectWindows_ && state_.runState() == 0) projectWindows_->search.showSearch();
  });
  connect(a.window_reset, &QAction::triggered, this, &EditorFrame::window_reset_Click);
  connect(a.version, &QAction::triggered, this, &EditorFrame::version_Click);
  connect(a.Menu_Next, &QAction::triggered, this, &EditorFrame::Menu_Next_Click);
  connect(a.Menu_Last, &QAction::triggered, this, &EditorFrame::Menu_Last_Click);
  connect(a.Toolbar1, &QToolBar::actionTriggered, this, &EditorFrame::Toolbar1_ButtonClick);

  recoveryTimer_.setSingleShot(true);
  connect(&recoveryTimer_, &QTimer::timeout, this, &EditorFrame::keepRecoveryCopy);
  filesSubscription_ = files_.subscribe([this](ProjectEvent event) {
    if (event == ProjectEvent::Opened) projectOpened();
    else projectClosing();
  });
  setProjectMenus(false);
}

EditorFrame::~EditorFrame() {
  // The views let go of the project and its lists before they go.
  if (files_.isOpen()) projectClosing();
}

void EditorFrame::showSplash() {
  auto* splash = new SplashWindow(this);
  splash->move(geometry().center() - splash->rect().center());
  splash->show();
}

void EditorFrame::openDistributionWindow(BuildSource source) {
  state_.setBuildSource(source);
  distribution_->show();
  distribution_->raise();
  distribution_->activateWindow();
}

void EditorFrame::openFromCommandLine(const QString& path) {
  if (path.endsWith(QStringLiteral(".PXJ"), Qt::CaseInsensitive)) {
    openScript(path);
    return;
  }
  // Only projects open here; a script is never read as one.
  if (!path.endsWith(QStringLiteral(".PXK"), Qt::CaseInsensitive)) {
    dialogs_.show(project::openFailureMessage());
    return;
  }
  if (files_.openPath(path.toStdString())) opened(path);
}

void EditorFrame::setProjectMenus(bool open) {
  const FrameActions& a = actions_;
  a.file_new->setEnabled(!open);
  a.file_open->setEnabled(!open);
  a.file_recent->setEnabled(!open && !recent_.files().isEmpty());
  a.edit_find->setEnabled(open);
  for (QAction* item : {a.file_close, a.file_saveas, a.file_save, a.window->menuAction(), a.view->menuAction(),
                        a.project->menuAction()}) {
    item->setEnabled(open);
  }
  setUsable(a.buttons[kNewButton], !open);
  setUsable(a.buttons[kOpenButton], !open);
  setUsable(a.buttons[kSaveAsButton], open);
  setUsable(a.buttons[kSaveButton], open);
  setUsable(a.buttons[kRunButton], open);
  setUsable(a.buttons[kPlayButton], open);
  if (!open) {
    for (int button : {kMainWindowButton, kMessageWindowButton, kCommandWindowButton, kEventWindowButton, kStopButton,
                       kStoryMapButton}) {
      setUsable(a.buttons[static_cast<std::size_t>(button)], false);
    }
  }
}

void EditorFrame::projectOpened() {
  project::ProjectDocument& document = *files_.document();
  lists_ = std::make_unique<ProjectLists>(document);
  documentSubscription_ = document.subscribe([this](const project::Change& change) {
    if (change.kind != project::Change::Kind::FileState) return;
    showFileState();
    keepRecoveryCopy();
  });
  projectWindows_ = std::make_unique<ProjectWindows>(*this, document);
  connect(&projectWindows_->search, &SearchWindow::hitChosen, this, &EditorFrame::showSearchHit);
  // The lists' own windows take back and make again steps as the frame does.
  for (QWidget* window : {static_cast<QWidget*>(&projectWindows_->pageList), static_cast<QWidget*>(&projectWindows_->workList),
                          static_cast<QWidget*>(&projectWindows_->search)}) {
    window->addActions({actions_.edit_undo, actions_.edit_redo});
  }
  state_.setCurrentTab(0);
  state_.setCurrentPage(document.project().pageCount() > 0 ? 1 : EditorState::kNoPage);
  message_->setDocument(&document);
  command_->setDocument(&document);
  event_->setDocument(&document, lists_.get());
  map_->setDocument(&document);
  setProjectMenus(true);
  for (const Child& child : children_) {
    child.window->move(child.place);
    if (child.shownOnOpening) showChild(child);
    else setUsable(actions_.buttons[static_cast<std::size_t>(child.toolbarButton)], true);
  }
  showFileState();
}

void EditorFrame::closePageList() {
  if (projectWindows_) projectWindows_->pageList.hide();
}

void EditorFrame::keepRecoveryCopy() {
  if (!files_.isOpen()) return;
  std::int64_t wait = recovery_.keep(*files_.document());
  if (wait > 0 && !recoveryTimer_.isActive()) recoveryTimer_.start(static_cast<int>(wait));
}

void EditorFrame::projectClosing() {
  recoveryTimer_.stop();
  recovery_.discard();  // closed in order: nothing to recover
  for (const Child& child : children_) {
    child.window->hide();
    child.viewItem->setChecked(false);
    child.windowItem->setChecked(false);
  }
  projectWindows_.reset();
  state_.setWorkListMode(authoring::WorkListMode::Idle);
  state_.setCurrentPage(EditorState::kNoPage);
  message_->setDocument(nullptr);
  command_->setDocument(nullptr);
  event_->setDocument(nullptr, nullptr);
  map_->setDocument(nullptr);
  documentSubscription_.reset();
  lists_.reset();
  main_->closeMusic();
  (void)main_->showBackground({});
  (void)main_->showCharacter({});
  setProjectMenus(false);
  actions_.edit_undo->setEnabled(false);
  actions_.edit_redo->setEnabled(false);
  actions_.edit_undo->setText(stepCaption(QStringLiteral("元に戻す"), u'U', {}));
  actions_.edit_redo->setText(stepCaption(QStringLiteral("やり直し"), u'R', {}));
  setWindowTitle(kProductTitle);
  setAccessibleName(kProductTitle);
  setWindowModified(false);
}

void EditorFrame::showFileState() {
  const project::ProjectDocument* document = files_.document();
  if (document == nullptr) return;
  QString name = QFileInfo(QString::fromStdString(document->path())).fileName();
  setWindowTitle(kProductTitle + (name.isEmpty() ? QString() : QStringLiteral(" - ") + name) + QStringLiteral("[*]"));
  setWindowModified(document->isModified());
  QString shownTitle = windowTitle();
  setAccessibleName(shownTitle.replace(QStringLiteral("[*]"), isWindowModified() ? QStringLiteral("*") : QString()));
  actions_.edit_undo->setEnabled(document->canUndo());
  actions_.edit_redo->setEnabled(document->canRedo());
  actions_.edit_undo->setText(stepCaption(QStringLiteral("元に戻す"), u'U', document->undoName()));
  actions_.edit_redo->setText(stepCaption(QStringLiteral("やり直し"), u'R', document->redoName()));
  actions_.edit_undo->setToolTip(QString::fromStdString(document->undoName()));
  actions_.edit_redo->setToolTip(QString::fromStdString(document->redoName()));
}

void EditorFrame::showChild(const Child& child) {
  child.window->showNormal();
  child.viewItem->setChecked(true);
  setUsable(actions_.buttons[static_cast<std::size_t>(child.toolbarButton)], false);
}

void EditorFrame::childHidden(const Child& child) {
  child.viewItem->setChecked(false);
  child.windowItem->setChecked(false);
  setUsable(actions_.buttons[static_cast<std::size_t>(child.toolbarButton)], true);
  if (child.window == main_) state_.setRunState(0);  // closing the stage ends a test run
}

void EditorFrame::toggleChild(const Child& child) {
  // The view item was toggled before this runs: its new mark says what the author wants.
  if (child.viewItem->isChecked()) {
    showChild(child);
  } else {
    child.window->hide();
    childHidden(child);
  }
}

void EditorFrame::childActivated(QMdiSubWindow* active) {
  for (const Child& child : children_) child.windowItem->setChecked(child.window == active);
}

void EditorFrame::opened(const QString& path) {
  recent_.add(path);
  files_.offerRecovery(recovery_);
}

void EditorFrame::fillRecentFiles() {
  QMenu* menu = actions_.file_recent;
  menu->clear();
  for (const QString& path : recent_.files()) {
    QAction* entry = menu->addAction(QFileInfo(path).fileName());
    entry->setToolTip(path);
    connect(entry, &QAction::triggered, this, [this, path] {
      if (files_.isOpen()) return;
      if (files_.openPath(path.toStdString())) opened(path);
    });
  }
  menu->setEnabled(!files_.isOpen() && !menu->isEmpty());
}

void EditorFrame::file_new_Click() { files_.createNew(); }

void EditorFrame::file_open_Click() {
  if (files_.open()) opened(QString::fromStdString(files_.document()->path()));
}

void EditorFrame::file_save_Click() {
  if (files_.save()) recent_.add(QString::fromStdString(files_.document()->path()));
}

void EditorFrame::file_saveas_Click() {
  if (files_.saveAs()) recent_.add(QString::fromStdString(files_.document()->path()));
}

bool EditorFrame::questionOpen() const {
  // The menus stay reachable behind a modal dialog (through the accessibility tree).
  return dialogs_.asking() || QApplication::activeModalWidget() != nullptr;
}

void EditorFrame::file_close_Click() {
  if (!questionOpen()) files_.close(actions_.tool->isEnabled());
}

void EditorFrame::file_end_Click() {
  if (questionOpen() || !files_.confirmEnd()) return;
  endConfirmed_ = true;
  close();
}

void EditorFrame::edit_undo_Click() {
  if (files_.isOpen()) files_.document()->undo();
}

void EditorFrame::edit_redo_Click() {
  if (files_.isOpen()) files_.document()->redo();
}

void EditorFrame::window_reset_Click() {
  // Only what is shown: a window hidden by the author or by a test run stays hidden.
  for (const Child& child : children_) {
    if (!child.window->isVisible()) continue;
    child.window->showNormal();
    child.window->move(child.place);
    area_->setActiveSubWindow(child.window);
  }
}

void EditorFrame::version_Click() {
  VersionWindow window(this);
  window.exec();
}

void EditorFrame::Menu_Next_Click() { state_.setCurrentPage(state_.currentPage() > 0 ? state_.currentPage() + 1 : 1); }

void EditorFrame::Menu_Last_Click() { state_.setCurrentPage(state_.currentPage() - 1); }

void EditorFrame::MainWindow_PopUp(const QPoint& position) {
  if (state_.runState() != 0) return;
  int entries = lists_ ? lists_->pages.rowCount() : 0;
  actions_.Menu_Last->setEnabled(state_.currentPage() > 1);
  actions_.Menu_Next->setEnabled(state_.currentPage() + 1 < entries);
  actions_.Menu->popup(position);
}

void EditorFrame::MainWindow_Click() {
  if (state_.runState() != 0) state_.setRunChoice(6);
}

void EditorFrame::Menu_ZORVEX_Click(bool checked) { main_->setBlending(checked); }

void EditorFrame::Toolbar1_ButtonClick(QAction* button) {
  button->setChecked(!button->isEnabled());  // a click never leaves a usable button pressed
  const FrameActions& a = actions_;
  if (button == a.buttons[kNewButton]) file_new_Click();
  else if (button == a.buttons[kOpenButton]) file_open_Click();
  else if (button == a.buttons[kSaveAsButton]) file_saveas_Click();
  else if (button == a.buttons[kSaveButton]) file_save_Click();
  else if (button == a.buttons[kRunButton]) startTestRun(true);
  else if (button == a.buttons[kStopButton]) state_.setRunState(0);
  else if (button == a.buttons[kPlayButton]) playInPlayer();
  for (const Child& child : children_) {
    if (button == a.buttons[static_cast<std::size_t>(child.toolbarButton)] && !child.window->isVisible()) showChild(child);
  }
}

void EditorFrame::closeEvent(QCloseEvent* event) {
  // The script window asks first: its text is never saved by itself.
  if (questionOpen() || (program_ != nullptr && !program_->close())) {
    event->ignore();
    return;
  }
  int runState = state_.runState();
  int stopRequest = state_.runStopRequest();
  state_.setRunState(0);
  state_.setRunStopRequest(2);
  if (!endConfirmed_ && !files_.confirmEnd()) {
    state_.setRunState(runState);
    state_.setRunStopRequest(stopRequest);
    event->ignore();
    return;
  }
  if (playing_ != nullptr) playing_->end();
  main_->closeMusic();
  for (const Child& child : children_) child.window->allowClosing();
  event->accept();
}

}  // namespace pryx::editor
