// The windows that show and edit one page: the page event settings, the stage, the
// message window and the command buttons, wired to one frame off screen.

#include "window_test_classes.h"
#include "window_test_support.h"

#include "editor/command_window.h"
#include "editor/editor_frame.h"
#include "editor/main_window.h"
#include "editor/message_window.h"
#include "editor/page_event_window.h"
#include "tests/support/scripted_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

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
  QCOMPARE(editor.dialogs.shown.size(), 2u);
  QCOMPARE(editor.dialogs.shown.back(), project::warning("ページを指定してください"));
  QCOMPARE(editor.button(1, 0)[F::ConditionVariable1], std::string());
  QCOMPARE(editor.document().project().pages[1].text, std::string());
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
  editor.dialogs.inputs = {std::nullopt};
  editor.frame.commandWindow()->button(1)->click();  // cancelling empties the caption
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
