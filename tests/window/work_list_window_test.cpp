// The work list window on its own, off screen: both of its uses and every way of closing it.

#include "window_test_classes.h"

#include "editor_window_helpers.h"

#include "authoring/variable_operations.h"
#include "editor/work_list_window.h"
#include "tests/support/recording_progress.h"
#include "tests/support/scripted_dialogs.h"

#include <QListView>
#include <QPushButton>

namespace pryx::player::testing {
namespace {

using authoring::WorkListMode;

struct WorkListFixture {
  explicit WorkListFixture(project::Project project)
      : document(std::move(project)), window(document, state, dialogs, progress) {}

  project::ProjectDocument document;
  editor::EditorState state;
  pryx::testing::ScriptedDialogs dialogs;
  pryx::testing::RecordingProgress progress;
  editor::WorkListWindow window;
  QListView& list = *window.findChild<QListView*>("List1");
};

}  // namespace

void WorkListWindowTest::doubleClickGoesToAnAffectedPageAndCrossesItOff() {
  WorkListFixture f(pagesNamed({"A", "B", "A", "C"}));
  f.window.beginPageDeletion("Xの削除により影響が出るページ");
  QVERIFY(f.window.isVisible() && rows(f.list).isEmpty());
  f.window.listAffectedPages({{3, "A"}, {3, "A"}, {4, "C"}});
  QCOMPARE(f.state.workListMode(), WorkListMode::AffectedPages);
  QCOMPARE(rows(f.list), QStringList({"A", "A", "C"}));
  QStringList unnamed = unnamedControls(f.window);
  QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u',')));

  doubleClickRow(f.list, 0);
  QCOMPARE(f.state.currentPage(), 3);  // the page found, though an earlier page bears its name
  QCOMPARE(rows(f.list), QStringList({"A", "C"}));
  f.document.renamePage(3, "renamed");
  doubleClickRow(f.list, 0);
  QCOMPARE(f.state.currentPage(), 1);  // that page is no longer there: the first of the name
  f.list.setCurrentIndex(f.list.model()->index(0, 0));
  QTest::keyClick(&f.list, Qt::Key_Return);  // Enter does what a double-click does
  QCOMPARE(f.state.currentPage(), 4);
  QVERIFY(rows(f.list).isEmpty());
  QCOMPARE(f.state.workListMode(), WorkListMode::AffectedPages);  // only closing frees the deletions

  f.window.reject();
  f.window.beginPageDeletion("Aの削除により影響が出るページ");
  f.window.listAffectedPages({});
  QVERIFY(!f.window.isVisible());
  QCOMPARE(f.state.workListMode(), WorkListMode::Idle);
}

void WorkListWindowTest::everyWayOfClosingFreesTheDeletions_data() {
  QTest::addColumn<int>("way");
  QTest::newRow("閉じる") << 0;
  QTest::newRow("close box") << 1;
  QTest::newRow("Escape") << 2;
}

void WorkListWindowTest::everyWayOfClosingFreesTheDeletions() {
  QFETCH(int, way);
  project::Project project = pagesNamed({"A", "B"});
  project.variables.append("flag");
  WorkListFixture f(project);
  for (bool variables : {false, true}) {
    if (variables) {
      f.window.beginVariableDeletion();
    } else {
      f.window.beginPageDeletion("Bの削除により影響が出るページ");
      f.window.listAffectedPages({{1, "A"}});
    }
    QVERIFY(f.state.workListMode() != WorkListMode::Idle);
    if (way == 0) f.window.findChild<QPushButton*>("Command1")->click();
    if (way == 1) f.window.close();
    if (way == 2) QTest::keyClick(&f.list, Qt::Key_Escape);
    QVERIFY(!f.window.isVisible());
    QCOMPARE(f.state.workListMode(), WorkListMode::Idle);
    QCOMPARE(rows(f.list), variables ? QStringList({"flag"}) : QStringList());
  }
  QCOMPARE(f.document.project(), project);
}

void WorkListWindowTest::variablesAreDeletedAfterTheQuestion() {
  project::Project project = pagesNamed({"A"});
  for (const char* name : {"a", "b", "c"}) project.variables.append(name);
  WorkListFixture f(project);
  f.state.setWorkListMode(WorkListMode::AffectedPages);
  f.window.beginVariableDeletion();
  QCOMPARE(f.dialogs.shown.back(), authoring::workListBusyMessage());
  QVERIFY(!f.window.isVisible());

  f.state.setWorkListMode(WorkListMode::Idle);
  f.window.beginVariableDeletion();
  QCOMPARE(f.window.windowTitle(), QStringLiteral("変数の削除"));
  QCOMPARE(f.state.workListMode(), WorkListMode::Variables);
  f.dialogs.answers = {editor::Answer::Cancel, editor::Answer::Ok, editor::Answer::Ok};
  doubleClickRow(f.list, 1);
  QCOMPARE(f.dialogs.shown.back(), authoring::variableDeletionQuestion(project, 2));
  QCOMPARE(rows(f.list), QStringList({"a", "b", "c"}));
  doubleClickRow(f.list, 1);
  QCOMPARE(rows(f.list), QStringList({"a", "c"}));
  QCOMPARE(f.progress.calls.front(), "show 変数の削除");
  doubleClickRow(f.list, 1);  // the entry now shows c, and c goes
  QCOMPARE(rows(f.list), QStringList({"a"}));
  f.document.undo();
  QCOMPARE(rows(f.list), QStringList({"a", "c"}));
}

}  // namespace pryx::player::testing
