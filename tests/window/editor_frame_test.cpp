// PRYXTOOL's frame, off screen, its questions answered from a script.

#include "window_test_classes.h"
#include "window_test_support.h"
#include "editor_window_helpers.h"

#include "editor/child_window.h"
#include "editor/command_window.h"
#include "editor/editor_texts.h"
#include "editor/editor_frame.h"
#include "editor/main_window.h"
#include "editor/message_window.h"
#include "editor/page_event_window.h"
#include "editor/page_list_window.h"
#include "editor/search_window.h"
#include "editor/story_map_view.h"
#include "editor/story_map_window.h"
#include "authoring/page_operations.h"
#include "editor/work_list_window.h"
#include "project/project_file.h"
#include "tests/support/scripted_dialogs.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractButton>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <fstream>
#include <functional>
#include <memory>
#include <set>

namespace pryx::player::testing {
namespace {

using editor::Answer;
using editor::EditorFrame;

std::unique_ptr<pryx::testing::ScriptedDialogs> dialogs;
std::unique_ptr<NotedSequencer> music;
std::unique_ptr<EditorFrame> frame;

// Captions in order; a separator is "-".
QStringList captions(const QList<QAction*>& actions) {
  QStringList list;
  for (QAction* action : actions) list << (action->isSeparator() ? QStringLiteral("-") : action->text());
  return list;
}

// The numbers of the usable toolbar buttons; an unusable one must also show pressed.
std::set<int> usableButtons() {
  std::set<int> usable;
  const auto& buttons = frame->actions().buttons;
  for (std::size_t number = 1; number < buttons.size(); ++number) {
    if (buttons[number] == nullptr) continue;
    if (buttons[number]->isEnabled()) usable.insert(static_cast<int>(number));
    if (buttons[number]->isChecked() == buttons[number]->isEnabled()) usable.insert(-static_cast<int>(number));
  }
  return usable;
}

void newProject() { frame->actions().file_new->trigger(); }

// The child windows whose 表示 mark or pressed toolbar button disagrees with whether they are shown.
QStringList marksOff() {
  const editor::FrameActions& a = frame->actions();
  const std::pair<QWidget*, QAction*> items[] = {
      {frame->mainWindow(), a.view_main}, {frame->messageWindow(), a.view_text},
      {frame->commandWindow(), a.view_command}, {frame->pageEventWindow(), a.view_event}};
  const int buttons[] = {editor::kMainWindowButton, editor::kMessageWindowButton, editor::kCommandWindowButton,
                         editor::kEventWindowButton};
  QStringList wrong;
  for (std::size_t i = 0; i < std::size(items); ++i) {
    bool shown = items[i].first->isVisible();
    if (items[i].second->isChecked() != shown || a.buttons[static_cast<std::size_t>(buttons[i])]->isChecked() != shown) {
      wrong << items[i].first->windowTitle();
    }
  }
  return wrong;
}

// A key as the author presses it: into the focused control of the active window.
void press(QWidget* control, QKeyCombination key) {
  control->window()->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(control->window()));
  control->setFocus();
  QTest::keyClick(control, key.key(), key.keyboardModifiers());
}

std::string zorvexFolder();

void startFrame() {
  frame.reset();
  dialogs = std::make_unique<pryx::testing::ScriptedDialogs>();
  music = std::make_unique<NotedSequencer>();
  frame = std::make_unique<EditorFrame>(editor::EditorServices{dialogs.get(), music.get(), zorvexFolder()});
  frame->show();
}

std::string zorvexFolder() { return QFileInfo(PRYX_ZORVEX_LIBRARY).absolutePath().toStdString(); }

}  // namespace

void EditorFrameTest::init() { startFrame(); }

void EditorFrameTest::cleanup() {
  frame.reset();
  music.reset();
  dialogs.reset();
}

void EditorFrameTest::offersEveryMenuCaptionAndToolbarButton() {
  const editor::FrameActions& a = frame->actions();
  QCOMPARE(frame->windowTitle(), QStringLiteral("ぷりくすつーる！"));
  QCOMPARE(captions(frame->menuBar()->actions()),
           QStringList({"ファイル(&F)", "編集(&E)", "表示(&V)", "プロジェクト(&P)", "ツール(&T)", "ウィンドウ(&W)",
                        "バージョン情報(&V)"}));
  QCOMPARE(captions(a.file->actions()),
           QStringList({"新規作成(&N)", "開く(&O)", "-", "名前を付けて保存(&N)", "上書き保存(&S)", "-", "閉じる(&C)", "-",
                        "最近使ったファイル(&R)", "-", "プログラムの終了(&E)"}));
  QCOMPARE(captions(a.edit->actions()), QStringList({"元に戻す(&U)", "やり直し(&R)", "-", "検索と置換(&F)"}));
  QCOMPARE(a.edit_find->shortcut(), QKeySequence(QKeySequence::Find));
  QCOMPARE(a.edit_redo->shortcuts().size(), 2);
  QCOMPARE(captions(a.view->actions()), QStringList({"メインウインドウ(&M)", "メッセージウインドウ(&T)",
                                                     "コマンド入力ウインドウ(&C)", "イベント設定ウインドウ(&E)",
                                                     "ストーリーマップ(&S)"}));
  QCOMPARE(captions(a.project->actions()),
           QStringList({"実行(&R)", "プレイヤーで実行(&G)", "配布用ファイルの作成(&X)", "-", "オプション(&O)"}));
  QCOMPARE(captions(a.tool->actions()), QStringList({"非ＧＵＩモード(&P)"}));
  QCOMPARE(captions(a.window->actions()), QStringList({"再配置(&R)", "-", "メインウィンドウ", "メッセージウィンドウ",
                                                       "コマンド入力ウィンドウ", "イベント設定ウィンドウ", "ストーリーマップ"}));
  QCOMPARE(captions(a.Menu->actions()), QStringList({"次のページへ→", "←前のページへ", "-", "ZORVEX"}));
  QVERIFY(a.Menu_ZORVEX->isCheckable());

  QStringList toolbar;
  for (QAction* button : a.Toolbar1->actions()) {
    toolbar << (button->isSeparator() ? QStringLiteral("-") : button->objectName() + ":" + button->toolTip());
  }
  QCOMPARE(toolbar, QStringList({"file_new:新規作成", "file_open:ファイルを開く", "-",
                                 "file_saveas:ファイルに名前を付けて保存", "file_save:ファイルの上書き保存", "-",
                                 "mainwindow:メインウィンドウの表示", "messagewindow:メッセージウィンドウの表示",
                                 "commandwindow:コマンドウィンドウの表示", "eventwindow:イベント設定ウィンドウの表示", "-",
                                 "run:実行（デバッグ）", "stop:停止（デバッグ）", "play:プレイヤーで実行",
                                 "storymap:ストーリーマップの表示"}));
}

void EditorFrameTest::toolbarStatesFollowNewCloseNew() {
  const editor::FrameActions& a = frame->actions();
  QCOMPARE(usableButtons(), (std::set<int>{1, 2}));
  QVERIFY(!a.file_save->isEnabled() && !a.view->menuAction()->isEnabled() && a.tool->isEnabled());

  newProject();
  QCOMPARE(usableButtons(), (std::set<int>{4, 5, 12, 14, 15}));
  QVERIFY(!a.file_new->isEnabled() && a.project->menuAction()->isEnabled());
  for (auto* child : {static_cast<QWidget*>(frame->mainWindow()), static_cast<QWidget*>(frame->pageEventWindow())}) {
    QVERIFY(child->isVisible());
  }
  QCOMPARE(frame->mainWindow()->pos(), QPoint(0, 0));
  QCOMPARE(frame->pageEventWindow()->pos(), QPoint(540, 150));

  a.view_main->trigger();  // hides the main window and frees its button
  QCOMPARE(usableButtons(), (std::set<int>{4, 5, 7, 12, 14, 15}));
  a.buttons[editor::kMainWindowButton]->trigger();  // the button only ever shows its window
  QCOMPARE(usableButtons(), (std::set<int>{4, 5, 12, 14, 15}));
  QVERIFY(frame->mainWindow()->isVisible() && a.view_main->isChecked());
  a.buttons[editor::kStoryMapButton]->trigger();  // the map is not shown on opening, only asked for
  QCOMPARE(usableButtons(), (std::set<int>{4, 5, 12, 14}));
  QVERIFY(frame->storyMapWindow()->isVisible() && a.view_map->isChecked());

  dialogs->answers = {Answer::Ok};
  a.file_close->trigger();
  QCOMPARE(usableButtons(), (std::set<int>{1, 2}));
  QVERIFY(!frame->mainWindow()->isVisible());
  QVERIFY(!frame->files().isOpen());

  a.buttons[editor::kNewButton]->trigger();
  QCOMPARE(usableButtons(), (std::set<int>{4, 5, 12, 14, 15}));
}

void EditorFrameTest::childWindowsHideOnCloseAndComeBackThroughTheirItems() {
  newProject();
  frame->state().setRunState(1);
  frame->mainWindow()->close();  // the close box
  QVERIFY(!frame->mainWindow()->isVisible());
  QCOMPARE(frame->state().runState(), 0);  // closing the stage ends a test run
  QVERIFY(!frame->actions().view_main->isChecked());
  QVERIFY(frame->actions().buttons[editor::kMainWindowButton]->isEnabled());
  frame->actions().view_main->trigger();
  QVERIFY(frame->mainWindow()->isVisible());
  QVERIFY(!frame->actions().buttons[editor::kMainWindowButton]->isEnabled());
}

void EditorFrameTest::arrangementPlacesTheWindowsAndActivatesTheEventWindow() {
  newProject();
  frame->mainWindow()->move(200, 200);
  frame->pageEventWindow()->showMinimized();
  frame->actions().window_reset->trigger();
  QCOMPARE(frame->mainWindow()->pos(), QPoint(0, 0));
  QCOMPARE(frame->pageEventWindow()->pos(), QPoint(540, 150));
  QVERIFY(!frame->pageEventWindow()->isMinimized());
  QVERIFY(frame->actions().window_event->isChecked());
  QVERIFY(!frame->actions().window_main->isChecked());
  frame->actions().window_main->trigger();  // a visible window gets the focus and the mark
  QVERIFY(frame->actions().window_main->isChecked());
  QVERIFY(!frame->actions().window_event->isChecked());
}

void EditorFrameTest::arrangementAndTestRunsKeepTheMarksOfWhatIsShown() {
  newProject();
  const editor::FrameActions& a = frame->actions();
  a.view_text->trigger();  // hidden by the author
  a.window_reset->trigger();
  QVERIFY(!frame->messageWindow()->isVisible());
  QCOMPARE(marksOff(), QStringList());

  project::ProjectDocument& document = *frame->files().document();
  document.setProjectOption(project::ProjectOption::MessageWait, "0");
  document.setButtonField(1, 0, project::ButtonField::Caption, "a");
  document.setButtonField(1, 1, project::ButtonField::Caption, "b");
  QStringList duringRun;
  bool eventShown = true;
  QTimer::singleShot(200, [&] {
    a.window_reset->trigger();  // the run's hidden windows stay hidden
    a.buttons[editor::kEventWindowButton]->trigger();  // and cannot be brought back before it ends
    eventShown = frame->pageEventWindow()->isVisible();
    duringRun = marksOff();
    frame->mainWindow()->close();  // ends the run
  });
  a.project_run->trigger();
  QVERIFY(!eventShown);
  QCOMPARE(duringRun, QStringList());
  QVERIFY(frame->mainWindow()->isVisible() && frame->messageWindow()->isVisible());
  QCOMPARE(marksOff(), QStringList());
}

void EditorFrameTest::noCaptionIsCutOff() {
  newProject();
  frame->actions().project_option->trigger();
  frame->pageEventWindow()->findChild<QAbstractButton*>("Command4")->click();  // the page's options
  QApplication::processEvents();
  QStringList cut;
  std::vector<QWidget*> windows = {frame.get()};
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top != frame.get() && top->isVisible() && qobject_cast<QDialog*>(top)) windows.push_back(top);
  }
  QCOMPARE(windows.size(), 3u);
  for (QWidget* window : windows) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
      if (label->isVisible() && !label->text().isEmpty() && label->width() < label->sizeHint().width()) {
        cut << QStringLiteral("%1 (%2 of %3 px)").arg(label->text()).arg(label->width()).arg(label->sizeHint().width());
      }
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
      if (button->isVisible() && !button->text().isEmpty() && button->width() < button->sizeHint().width()) {
        cut << button->text();
      }
    }
  }
  QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u',')));
  for (QWidget* window : windows) {
    if (window != frame.get()) window->close();
  }
}

void EditorFrameTest::nextAndPreviousPageFollowTheSelector() {
  newProject();
  project::ProjectDocument& document = *frame->files().document();
  document.insertPage(2, project::Page{"second", {}, {}, {}, {}, {}, {}});
  frame->state().setCurrentPage(editor::EditorState::kNoPage);
  frame->actions().Menu_Next->trigger();
  QCOMPARE(frame->state().currentPage(), 1);  // from nothing selected to the first page, not the blank entry
  frame->actions().Menu_Next->trigger();
  QCOMPARE(frame->state().currentPage(), 2);
  auto* selector = frame->pageEventWindow()->findChild<QComboBox*>("Combo1_0");
  QCOMPARE(selector->currentText(), QStringLiteral("second"));
  frame->actions().Menu_Last->trigger();
  QCOMPARE(selector->currentIndex(), 1);
}

void EditorFrameTest::undoRedoAndTheModifiedCaptionFollowTheDocument() {
  newProject();
  const editor::FrameActions& a = frame->actions();
  QVERIFY(!a.edit_undo->isEnabled());
  QVERIFY(!frame->isWindowModified());
  frame->files().document()->setPageText(1, "月が綺麗ですね。");
  QVERIFY(a.edit_undo->isEnabled());
  QVERIFY(frame->isWindowModified());
  a.edit_undo->trigger();
  QCOMPARE(frame->files().document()->project().pages[1].text, std::string());
  QVERIFY(!frame->isWindowModified());
  QVERIFY(a.edit_redo->isEnabled());
  a.edit_redo->trigger();

  QTemporaryDir folder;
  dialogs->files = {folder.filePath("game.PXK").toStdString()};
  a.file_save->trigger();
  QVERIFY(!frame->isWindowModified());
  QCOMPARE(frame->windowTitle(), QStringLiteral("ぷりくすつーる！ - game.PXK[*]"));
  QCOMPARE(frame->accessibleName(), QStringLiteral("ぷりくすつーる！ - game.PXK"));
  dialogs->answers = {Answer::Ok};
  a.file_close->trigger();
  QVERIFY(!a.edit_undo->isEnabled());  // the history ends with the project
  QCOMPARE(frame->windowTitle(), QStringLiteral("ぷりくすつーる！"));
}

void EditorFrameTest::closingAsksAndCancelKeepsTheRunGoing() {
  newProject();
  frame->state().setRunState(2);
  frame->state().setRunStopRequest(0);
  dialogs->answers = {Answer::Cancel};
  QVERIFY(!frame->close());
  QCOMPARE(dialogs->shown.back().text, std::string("終了してもよろしいですか？"));
  QCOMPARE(frame->state().runState(), 2);
  QCOMPARE(frame->state().runStopRequest(), 0);
  QVERIFY(frame->files().isOpen());

  dialogs->answers = {Answer::Cancel};
  frame->actions().file_end->trigger();  // the end item asks the same
  QVERIFY(frame->isVisible());
  dialogs->answers = {Answer::Ok};
  QVERIFY(frame->close());
  QCOMPARE(frame->state().runStopRequest(), 2);
}

void EditorFrameTest::openingFromTheCommandLineIsRemembered() {
  QTemporaryDir folder;
  frame->openFromCommandLine(folder.filePath("story.txt"));  // only a project opens here
  QCOMPARE(dialogs->shown.back(), project::openFailureMessage());
  QString path = folder.filePath("story.PXK");
  std::ofstream(path.toStdString(), std::ios::binary) << project::encodeProjectFile(project::newProject()).bytes;
  frame->openFromCommandLine(path);
  QVERIFY(frame->files().isOpen());
  QCOMPARE(frame->windowTitle(), QStringLiteral("ぷりくすつーる！ - story.PXK[*]"));
  dialogs->answers = {Answer::Ok};
  frame->actions().file_close->trigger();
  QVERIFY(frame->actions().file_recent->isEnabled());
  emit frame->actions().file_recent->aboutToShow();
  QAction* recent = frame->actions().file_recent->actions().value(0);
  QVERIFY(recent != nullptr);
  QCOMPARE(recent->toolTip(), QFileInfo(path).absoluteFilePath());
  recent->trigger();
  QVERIFY(frame->files().isOpen());
}

void EditorFrameTest::everyControlHasAnAccessibleName() {
  newProject();
  QStringList unnamed;
  for (QWidget* widget : frame->findChildren<QWidget*>()) {
    bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget);
    if (!control || !widget->isVisible()) continue;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (accessible == nullptr || accessible->text(QAccessible::Name).isEmpty()) unnamed << widget->objectName();
  }
  QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u',')));
  for (QToolButton* button : frame->actions().Toolbar1->findChildren<QToolButton*>()) {
    if (!button->isVisible()) continue;
    QCOMPARE(button->accessibleDescription(), button->toolTip());
    QCOMPARE(QAccessible::queryAccessibleInterface(button)->role(), QAccessible::PushButton);
  }
  // A list box is named by its label and tells its choice, the blank entry by name.
  auto* cg = frame->pageEventWindow()->findChild<QComboBox*>("Combo1_1");
  QAccessibleInterface* box = QAccessible::queryAccessibleInterface(cg);
  QCOMPARE(box->text(QAccessible::Name), QStringLiteral("ＣＧファイル"));
  QCOMPARE(box->text(QAccessible::Value), QStringLiteral("（なし）"));
  QAccessibleInterface* entries = box->child(0);
  QVERIFY(entries != nullptr && entries->childCount() == cg->count());
  QCOMPARE(entries->child(0)->text(QAccessible::Name), QStringLiteral("（なし）"));
  auto* page = frame->pageEventWindow()->findChild<QComboBox*>("Combo1_0");
  QCOMPARE(QAccessible::queryAccessibleInterface(page)->text(QAccessible::Value), QStringLiteral("TopPage"));
  // Tabs of buttons without a caption.
  QAccessibleInterface* tabs = QAccessible::queryAccessibleInterface(frame->pageEventWindow()->findChild<QTabBar*>());
  frame->files().document()->setButtonField(1, 1, project::ButtonField::Caption, "行く");
  QStringList tabNames;
  for (int slot = 0; slot < project::kButtonSlots; ++slot) tabNames << tabs->child(slot)->text(QAccessible::Name);
  QCOMPARE(tabNames, QStringList({"ボタン1", "行く", "ボタン3", "ボタン4", "ボタン5"}));
}

}  // namespace pryx::player::testing

namespace pryx::player::testing {

void EditorFrameTest::unsavedChangesAreSavedOrLetGoOnlyAsAnswered() {
  QTemporaryDir folder;
  const std::vector<std::pair<const char*, std::function<void()>>> leaving = {
      {"閉じる", [] { frame->actions().file_close->trigger(); }},
      {"プログラムの終了", [] { frame->actions().file_end->trigger(); }},
      {"the close box", [] { frame->close(); }},
      {"非ＧＵＩモード", [] { frame->actions().tool_pro->trigger(); }},
  };
  auto gone = [] { return !frame->isVisible() || !frame->files().isOpen(); };
  for (int way = 0; const auto& [name, leave] : leaving) {
    startFrame();
    newProject();
    dialogs->answers = {Answer::Cancel};
    leave();  // nothing changed: the question asked before changes counted
    QVERIFY2(!gone() && dialogs->shown.back() != editor::saveChangesQuestion(), name);

    frame->files().document()->setPageText(1, "月");
    dialogs->answers = {Answer::Cancel};
    leave();
    QVERIFY2(!gone() && dialogs->shown.back() == editor::saveChangesQuestion(), name);
    dialogs->answers = {Answer::Yes};
    dialogs->files = {std::nullopt};  // 保存する asks for a name; cancelling it keeps the project
    leave();
    QVERIFY2(!gone(), name);
    dialogs->answers = {Answer::Yes};
    dialogs->files = {folder.filePath("missing/x.PXK").toStdString()};  // a failing save keeps it
    leave();
    QVERIFY2(!gone(), name);
    std::string path = folder.filePath(QStringLiteral("%1.PXK").arg(way++)).toStdString();
    dialogs->answers = {Answer::Yes};
    dialogs->files = {path};
    leave();
    QVERIFY2(gone() && QFileInfo::exists(QString::fromStdString(path)), name);
  }
  startFrame();
  newProject();
  frame->files().document()->setPageText(1, "月");
  dialogs->answers = {Answer::No};  // 保存しない
  frame->actions().file_close->trigger();
  QVERIFY(!frame->files().isOpen() && dialogs->files.empty());
}

void EditorFrameTest::behindAnOpenQuestionTheProjectStays() {
  newProject();
  project::ProjectDocument& document = *frame->files().document();
  document.insertPage(2, project::Page{"two", {}, {}, {}, {}, {}, {}});
  frame->state().setCurrentPage(1);
  // No answer is scripted behind the box: a question asked there fails the test.
  dialogs->behindNextDialog = [] {
    frame->actions().file_close->trigger();
    frame->actions().file_end->trigger();
    frame->actions().tool_pro->trigger();
    QVERIFY(!frame->close());
  };
  dialogs->inputs = {"行く"};
  frame->commandWindow()->button(0)->click();
  QVERIFY(frame->files().isOpen() && frame->isVisible());
  QCOMPARE(document.project().pages[1].buttons[0].caption(), std::string("行く"));

  frame->state().setCurrentPage(2);
  dialogs->behindNextDialog = [&document] { document.removePage(2); };
  dialogs->inputs = {"消えた"};
  frame->commandWindow()->button(0)->click();  // the page went while the box was open: nothing happens
  QCOMPARE(document.project().pageCount(), 1);
}

}  // namespace pryx::player::testing

namespace pryx::player::testing {

void EditorFrameTest::searchAndTheMapGoWhereTheAuthorPoints() {
  newProject();
  project::ProjectDocument& document = *frame->files().document();
  document.setPageText(1, "はじめ\r\n月の夜");
  authoring::addPage(document, "月見");
  frame->state().setCurrentPage(2);
  frame->actions().edit_find->trigger();  // Ctrl+F
  auto* search = frame->findChild<editor::SearchWindow*>();
  QVERIFY(search->isVisible());
  search->findChild<QLineEdit*>("FindText")->setText("月");
  search->findChild<QPushButton*>("Find")->click();
  auto* results = search->findChild<QListView*>("Results");
  QCOMPARE(results->model()->rowCount(), 2);  // page 1's message, page 2's name
  doubleClickRow(*results, 0);
  QCOMPARE(frame->state().currentPage(), 1);
  QCOMPARE(frame->messageWindow()->textBox()->textCursor().selectedText(), QStringLiteral("月"));

  // A box pressed through the accessibility tree makes its page current in every window.
  frame->actions().buttons[editor::kStoryMapButton]->trigger();
  frame->storyMapWindow()->refreshNow();
  QAccessibleInterface* map = QAccessible::queryAccessibleInterface(frame->storyMapWindow()->map());
  QCOMPARE(map->childCount(), 2);
  map->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  QCOMPARE(frame->state().currentPage(), 2);
  QCOMPARE(frame->pageEventWindow()->findChild<QComboBox*>("Combo1_0")->currentIndex(), 2);
}

void EditorFrameTest::undoKeysWorkWhereTheAuthorIsAndTakeBackTheWorkList() {
  using F = project::ButtonField;
  newProject();
  project::ProjectDocument& document = *frame->files().document();
  document.insertPage(2, project::Page{"B", {}, {}, {}, {}, {}, {}});
  document.setButtonField(1, 0, F::Caption, "go");
  document.setButtonField(1, 0, F::JumpTarget, " 2");
  document.insertVariable(1, "flag");
  frame->state().setCurrentPage(1);
  const editor::FrameActions& a = frame->actions();

  QPlainTextEdit* text = frame->messageWindow()->textBox();
  text->setFocus();
  QTest::keyClicks(text, QStringLiteral("ab"));
  QCOMPARE(a.edit_undo->text(), QStringLiteral("元に戻す: メッセージの入力(&U)"));
  press(text, Qt::CTRL | Qt::Key_Z);  // the typing step, in the box the author typed it
  QCOMPARE(document.project().pages[1].text, std::string());
  QCOMPARE(text->toPlainText(), QString());
  press(text, Qt::CTRL | Qt::Key_Y);
  QCOMPARE(document.project().pages[1].text, std::string("ab"));
  press(text, Qt::CTRL | Qt::Key_Z);
  press(text, Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
  QCOMPARE(document.project().pages[1].text, std::string("ab"));

  // A page deletion and its work list, taken back from the page list.
  frame->state().setCurrentPage(2);
  frame->pageEventWindow()->findChild<QPushButton*>("Command2_0")->click();
  auto* pageList = frame->findChild<editor::PageListWindow*>();
  auto* workList = frame->findChild<editor::WorkListWindow*>();
  auto* pages = pageList->findChild<QListView*>("List1");
  pages->setCurrentIndex(pages->model()->index(1, 0));
  dialogs->answers = {Answer::Ok};
  pageList->findChild<QPushButton*>("Command1_2")->click();
  QVERIFY(workList->isVisible());
  QCOMPARE(a.edit_undo->text(), QStringLiteral("元に戻す: ページの削除(&U)"));
  press(pages, Qt::CTRL | Qt::Key_Z);
  QCOMPARE(document.project().pageCount(), 2);
  QVERIFY(!workList->isVisible());
  QCOMPARE(frame->state().workListMode(), authoring::WorkListMode::Idle);

  // A variable deletion, taken back from the work list it was made in.
  frame->pageEventWindow()->findChild<QPushButton*>("Command3_1")->click();
  auto* variables = workList->findChild<QListView*>("List1");
  dialogs->answers = {Answer::Ok};
  doubleClickRow(*variables, 0);
  QCOMPARE(document.project().variables.count(), 0);
  press(variables, Qt::CTRL | Qt::Key_Z);
  QCOMPARE(document.project().variables.count(), 1);
  QVERIFY(!workList->isVisible());
  QCOMPARE(frame->state().workListMode(), authoring::WorkListMode::Idle);
}

}  // namespace pryx::player::testing

namespace pryx::player::testing {

void EditorFrameTest::aRecoveryCopyFollowsUnsavedChangesAndIsOfferedOnOpening() {
  QTemporaryDir folder;
  const std::string cache = folder.filePath("cache").toStdString();
  auto frameWithCache = [&](pryx::testing::ScriptedDialogs& answers) {
    auto made = std::make_unique<EditorFrame>(editor::EditorServices{&answers, music.get(), zorvexFolder(), cache});
    made->show();
    return made;
  };
  auto copies = [&] { return QDir(QString::fromStdString(cache)).entryList(QDir::Files); };
  pryx::testing::ScriptedDialogs first;
  auto editing = frameWithCache(first);
  editing->actions().file_new->trigger();
  QString path = folder.filePath("game.PXK");
  first.files = {path.toStdString()};
  editing->actions().file_save->trigger();
  QVERIFY(copies().isEmpty());
  editing->files().document()->setPageText(1, "月");
  QCOMPARE(copies().size(), 1);
  first.answers = {Answer::No};
  editing->actions().file_close->trigger();  // closed in order: the copy goes
  QVERIFY(copies().isEmpty());

  editing->openFromCommandLine(path);
  editing->files().document()->setPageText(1, "星");
  QCOMPARE(copies().size(), 1);
  // As after a crash: another editor opens the file while the copy is newer.
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadWrite));
  QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
  file.close();
  pryx::testing::ScriptedDialogs second;
  auto restarted = frameWithCache(second);
  second.answers = {Answer::Yes};
  restarted->openFromCommandLine(path);
  QVERIFY(second.shown.back().buttons == project::MessageButtons::YesNo);
  QCOMPARE(restarted->files().document()->project().pages[1].text, std::string("星"));
  QVERIFY(restarted->isWindowModified());
  QCOMPARE(restarted->files().document()->path(), path.toStdString());
}

}  // namespace pryx::player::testing
