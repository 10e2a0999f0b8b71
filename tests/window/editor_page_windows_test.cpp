// The windows that show and edit one page: the page event settings, the stage, the
// message window and the command buttons, wired to one frame off screen.

#include "window_test_classes.h"
#include "window_test_support.h"

#include "editor/command_window.h"
#include "editor/editor_frame.h"
#include "editor/main_window.h"
#include "editor/message_window.h"
#include "editor/page_event_window.h"
#include "player/window/game_window.h"
#include "tests/support/scripted_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace pryx::player::testing {
namespace {

using editor::Answer;
using F = project::ButtonField;

// A frame with a project of three pages; page 1 has two buttons, one with a condition.
struct Editor {
  pryx::testing::ScriptedDialogs dialogs;
  NotedSequencer music;
  editor::EditorFrame frame{{&dialogs, &music, QFileInfo(PRYX_ZORVEX_LIBRARY).absolutePath().toStdString()}};

  Editor() {
    frame.show();
    frame.actions().file_new->trigger();
    project::ProjectDocument& document = *frame.files().document();
    document.insertPage(2, project::Page{"two", {}, {}, {}, {}, {}, {}});
    document.insertPage(3, project::Page{"three", {}, {}, {}, {}, {}, {}});
    document.insertVariable(1, "v");
    document.setButtonField(1, 0, F::Caption, "go");
    document.setButtonField(1, 1, F::Caption, "stay");
    document.setButtonField(1, 1, F::ConditionVariable1, "1");
    document.setButtonField(1, 1, F::ConditionValue1, "7");
    document.setButtonField(1, 1, F::JumpTarget, "3");
    frame.state().showPageAgain(1);
  }
  project::ProjectDocument& document() { return *frame.files().document(); }
  const project::ButtonEvent& button(int page, int slot) {
    return document().project().pages[page].buttons[static_cast<std::size_t>(slot)];
  }
  template <typename T>
  T* control(const char* name) const {
    return frame.pageEventWindow()->findChild<T*>(name);
  }
  void choose(const char* box, int index) const {
    control<QComboBox>(box)->setCurrentIndex(index);
    emit control<QComboBox>(box)->activated(index);
  }
};

}  // namespace

void EditorPageWindowsTest::showingPagesAndTabsStoresNothingAndEditsStoreAtOnce() {
  Editor editor;
  std::size_t stepsBefore = 0;
  while (editor.document().canUndo()) {
    editor.document().undo();
    ++stepsBefore;
  }
  for (std::size_t i = 0; i < stepsBefore; ++i) editor.document().redo();

  auto* tabs = editor.control<QTabBar>("TabStrip1");
  QCOMPARE(tabs->tabText(0), QStringLiteral("go"));
  QCOMPARE(tabs->tabText(2), QString());
  tabs->setCurrentIndex(1);
  QCOMPARE(editor.control<QLineEdit>("Text1_0")->text(), QStringLiteral("7"));
  QCOMPARE(editor.control<QComboBox>("Combo4_1")->currentText(), QStringLiteral("three"));
  editor.frame.state().setCurrentPage(2);
  editor.frame.state().setCurrentPage(1);
  QCOMPARE(editor.control<QComboBox>("Combo2_0")->currentText(), QStringLiteral("v"));
  QCOMPARE(editor.document().undoName(), std::string("コマンドの設定"));  // showing stored nothing
  QVERIFY(!editor.document().canRedo());

  QTest::keyClicks(editor.control<QLineEdit>("Text1_2"), "12");
  QCOMPARE(editor.button(1, 1)[F::OperationValue], std::string("12"));
  editor.control<QCheckBox>("Check1")->click();
  QCOMPARE(editor.button(1, 1)[F::OperationTiming], std::string("1"));
  editor.choose("Combo5", 2);
  QCOMPARE(editor.button(1, 1)[F::OperationOperator], std::string("2"));

  editor.document().undo();  // the views show the model again
  editor.document().undo();
  QVERIFY(!editor.control<QCheckBox>("Check1")->isChecked());
  editor.document().undo();  // "12" typed is one step
  QCOMPARE(editor.control<QLineEdit>("Text1_2")->text(), QString());
}

void EditorPageWindowsTest::withoutAPageEditsAreRefused() {
  Editor editor;
  editor.frame.state().setCurrentPage(0);
  editor.choose("Combo2_0", 1);
  editor.frame.commandWindow()->button(0)->click();
  editor.frame.messageWindow()->textBox()->setPlainText(QStringLiteral("lost"));
  auto* tabs = editor.control<QTabBar>("TabStrip1");
  tabs->setCurrentIndex(1);  // refused: the bar stays on the tab that is edited
  QCOMPARE(editor.dialogs.shown.size(), 3u);
  QCOMPARE(editor.dialogs.shown.back(), project::warning("ページを指定してください"));
  QCOMPARE(editor.button(1, 0)[F::ConditionVariable1], std::string());
  QCOMPARE(editor.document().project().pages[1].text, std::string());
  editor.frame.state().setCurrentPage(1);
  QCOMPARE(tabs->currentIndex(), editor.frame.state().currentTab());
  QCOMPARE(editor.control<QLineEdit>("Text1_0")->text(), QString());  // slot 0's fields, not slot 1's "7"
}

void EditorPageWindowsTest::aPictureThatCannotBeLoadedIsReportedAndItsRemovalOffered() {
  Editor editor;
  editor.document().insertResource(project::ResourceKind::Cg, 1, {"gone", "/no/such/picture.BMP"});
  editor.dialogs.answers = {Answer::Cancel};
  editor.choose("Combo1_1", 1);
  QCOMPARE(editor.dialogs.shown[0], project::warning("ＣＧファイルロード時にエラーが発生しました。"));
  QCOMPARE(editor.dialogs.shown[1].title, std::string("確認のメッセージ"));
  QCOMPARE(editor.document().project().cgs.count(), 1);  // kept, and the choice stays stored
  QCOMPARE(editor.document().project().pages[1].backgroundCg, project::PageReference::number(1));

  editor.dialogs.answers = {Answer::Ok};
  editor.frame.state().setCurrentPage(2);
  editor.frame.state().setCurrentPage(1);  // showing the page again reports again; this time removed
  QCOMPARE(editor.document().project().cgs.count(), 0);
  QCOMPARE(editor.document().project().pages[1].backgroundCg, project::PageReference::number(0));
}

void EditorPageWindowsTest::jumpLabelsGoToTheirPageAndTurnRedOnHover() {
  Editor editor;
  editor.control<QTabBar>("TabStrip1")->setCurrentIndex(1);
  auto* label = editor.control<QLabel>("Label3_1");
  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(label, &enter);
  QVERIFY(label->styleSheet().contains(QStringLiteral("255, 0, 0")));
  QTest::mouseClick(label, Qt::LeftButton);
  QCOMPARE(editor.frame.state().currentPage(), 3);
  QCOMPARE(editor.control<QComboBox>("Combo1_0")->currentText(), QStringLiteral("three"));
  QCOMPARE(editor.frame.commandWindow()->button(0)->text(), QString());
}

void EditorPageWindowsTest::buttonsAndMessageFollowTheRunState() {
  Editor editor;
  editor.dialogs.inputs = {std::nullopt, ""};
  editor.frame.commandWindow()->button(1)->click();  // cancel keeps the caption
  QCOMPARE(editor.button(1, 1).caption(), std::string("stay"));
  editor.frame.commandWindow()->button(1)->click();  // an empty answer frees the slot
  QCOMPARE(editor.button(1, 1).caption(), std::string());
  QCOMPARE(editor.control<QTabBar>("TabStrip1")->tabText(1), QString());

  editor.frame.state().setRunState(1);
  editor.frame.commandWindow()->button(3)->click();
  QCOMPARE(editor.frame.state().runChoice(), 4);
  editor.frame.state().setRunPage(2);
  editor.frame.state().setRunState(2);
  QTest::mouseDClick(editor.frame.messageWindow()->textBox()->viewport(), Qt::LeftButton);
  QCOMPARE(editor.frame.state().runChoice(), 7);
  QCOMPARE(editor.frame.state().runState(), 1);
}

void EditorPageWindowsTest::theTestRunPlaysInTheWindowsUntilStopped() {
  Editor editor;
  project::ProjectDocument& document = editor.document();
  document.setProjectOption(project::ProjectOption::MessageWait, "0");
  document.setButtonField(1, 1, F::Caption, "");  // page 1 now waits for a click
  document.setPageText(1, "一");
  document.setPageText(2, "二");
  document.setButtonField(2, 0, F::Caption, "上");
  document.setButtonField(2, 1, F::Caption, "下");
  const editor::FrameActions& a = editor.frame.actions();
  QString typed;
  QStringList offered;
  bool stageShown = false;
  QTimer::singleShot(200, [&] {
    typed = editor.frame.messageWindow()->textBox()->toPlainText();
    stageShown = editor.frame.mainWindow()->isVisible() && !editor.frame.pageEventWindow()->isVisible() &&
                 !a.file->menuAction()->isEnabled() && a.buttons[editor::kStopButton]->isEnabled();
    emit editor.frame.mainWindow()->stageClicked();  // on to page 2
  });
  QTimer::singleShot(500, [&] {
    for (int slot = 0; slot < project::kButtonSlots; ++slot) {
      if (editor.frame.commandWindow()->button(slot)->isVisible()) offered << editor.frame.commandWindow()->button(slot)->text();
    }
    a.buttons[editor::kStopButton]->trigger();
  });
  a.project_run->trigger();  // returns when the run has ended
  QCOMPARE(typed, QStringLiteral("一"));
  QVERIFY(stageShown);
  QCOMPARE(offered, QStringList({"上", "下"}));
  QCOMPARE(editor.frame.state().runState(), 0);
  QCOMPARE(editor.frame.state().currentPage(), 2);  // the last page played is selected
  QVERIFY(editor.frame.pageEventWindow()->isVisible() && a.file->menuAction()->isEnabled());
  QCOMPARE(editor.frame.messageWindow()->textBox()->toPlainText(), QStringLiteral("二"));
  QCOMPARE(editor.frame.commandWindow()->button(4)->isVisible(), true);
}

// The visible choice buttons of the player window playing the project, if one is up.
QStringList playerChoices(player::GameWindow** shownWindow) {
  *shownWindow = nullptr;
  QStringList captions;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<player::GameWindow*>(widget);
    if (window == nullptr || !window->isVisible()) continue;
    *shownWindow = window;
    for (int slot = 0; slot < player::kChoiceButtons; ++slot) {
      auto* button = window->findChild<QPushButton*>(QStringLiteral("Command1(%1)").arg(slot));
      if (button != nullptr && button->isVisible()) captions << button->text();
    }
  }
  return captions;
}

void EditorPageWindowsTest::theProjectPlaysInThePlayerFromAChosenPageWithPresetValues() {
  Editor editor;
  project::ProjectDocument& document = editor.document();
  document.setProjectOption(project::ProjectOption::MessageWait, "0");
  for (auto [page, first, second] : {std::tuple{2, "x", "y"}, std::tuple{3, "c", "d"}}) {
    document.setButtonField(page, 0, F::Caption, first);
    document.setButtonField(page, 1, F::Caption, second);
  }
  editor.frame.state().setCurrentPage(2);
  const editor::FrameActions& a = editor.frame.actions();

  QString preselected;
  QTimer::singleShot(100, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    QVERIFY(dialog != nullptr && dialog->objectName() == "PlayerStart");
    auto* page = dialog->findChild<QComboBox*>("StartPage");
    preselected = page->currentText();
    page->setCurrentIndex(1);
    dialog->findChild<QTableWidget*>("StartValues")->item(0, 1)->setText("7");  // v
    dialog->findChild<QPushButton*>("Start")->click();
  });
  QList<QStringList> offered;
  QTimer watcher;
  connect(&watcher, &QTimer::timeout, [&] {
    player::GameWindow* window = nullptr;
    QStringList choices = playerChoices(&window);
    if (choices.isEmpty() || (!offered.isEmpty() && offered.back() == choices)) return;
    offered << choices;
    if (offered.size() == 1) {
      window->findChild<QPushButton*>("Command1(1)")->click();  // "stay": to page 3 while v is 7
    } else {
      editor.dialogs.answers.push_back(Answer::Ok);  // the player's own question on closing
      window->close();
    }
  });
  watcher.start(50);
  a.project_play->trigger();  // returns when the game has ended
  watcher.stop();
  QCOMPARE(preselected, editor.frame.lists()->pages.data(editor.frame.lists()->pages.index(2)).toString());
  QCOMPARE(offered, QList<QStringList>({{"go", "stay"}, {"c", "d"}}));
  QVERIFY(a.project->menuAction()->isEnabled() && a.buttons[editor::kPlayButton]->isEnabled());

  QString remembered;
  QTimer::singleShot(100, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    QVERIFY(dialog != nullptr);
    remembered = dialog->findChild<QTableWidget*>("StartValues")->item(0, 1)->text();
    dialog->findChild<QPushButton*>("Cancel")->click();
  });
  Editor later;  // a later run of the editor offers the values again
  later.frame.actions().buttons[editor::kPlayButton]->trigger();
  QCOMPARE(remembered, QStringLiteral("7"));
}

void EditorPageWindowsTest::thePopUpMenuOffersOnlyPagesThatExist() {
  Editor editor;
  const editor::FrameActions& a = editor.frame.actions();
  for (auto [page, last, next] : {std::tuple{1, false, true}, std::tuple{2, true, true}, std::tuple{3, true, false}}) {
    editor.frame.state().setCurrentPage(page);
    emit editor.frame.mainWindow()->popUpMenuRequested(QPoint(10, 10));
    QCOMPARE(a.Menu_Last->isEnabled(), last);
    QCOMPARE(a.Menu_Next->isEnabled(), next);
    a.Menu->hide();
  }
}

}  // namespace pryx::player::testing
