// The page list window "ページの編集" on its own, off screen, its questions answered from a script.

#include "window_test_classes.h"

#include "editor_window_helpers.h"

#include "editor/current_page.h"
#include "editor/page_list_window.h"
#include "tests/support/recording_progress.h"
#include "tests/support/scripted_dialogs.h"

#include <QListView>
#include <QPushButton>

namespace pryx::player::testing {
namespace {

using editor::Answer;
using editor::EditorState;

// The page names the list shows, without their numbers and counts.
QStringList names(const QAbstractItemView& list) {
  QStringList shown;
  for (const QString& row : rows(list)) shown << row.section(QStringLiteral("  "), 1, 1);
  return shown;
}

struct PageListFixture {
  explicit PageListFixture(project::Project project)
      : document(std::move(project)),
        workList(document, state, dialogs, progress),
        window(document, state, dialogs, progress, workList) {
    window.show();
  }

  void select(int row) { list->setCurrentIndex(list->model()->index(row, 0)); }
  void click(const char* button) { window.findChild<QPushButton*>(button)->click(); }

  project::ProjectDocument document;
  EditorState state;
  editor::CurrentPageFollower follower{document, state};
  pryx::testing::ScriptedDialogs dialogs;
  pryx::testing::RecordingProgress progress;
  editor::WorkListWindow workList;
  editor::PageListWindow window;
  QListView* list = window.findChild<QListView*>("List1");
};

}  // namespace

void PageListWindowTest::listsThePagesAndAClickMakesOneCurrent() {
  // A jumps to page 3; B's button has no target, so it goes to the next page.
  project::Project project = pagesNamed({"A", "B", "C"});
  project.pages[1].buttons[0][project::ButtonField::Caption] = "x";
  project.pages[1].buttons[0][project::ButtonField::JumpTarget] = " 3";
  project.pages[2].buttons[0][project::ButtonField::Caption] = "y";
  PageListFixture f(project);
  QCOMPARE(rows(*f.list), QStringList({"1  A  ←0", "2  B  ←0", "3  C  ←2"}));  // no blank entry
  QTest::mouseClick(f.list->viewport(), Qt::LeftButton, {}, f.list->visualRect(f.list->model()->index(1, 0)).center());
  QCOMPARE(f.state.currentPage(), 2);
  f.select(2);
  QTest::keyClick(f.list, Qt::Key_Return);
  QCOMPARE(f.state.currentPage(), 3);
  f.document.insertPage(2, project::Page{"new", {}, {}, {}, {}, {}, {}});  // A's jump now names B
  QCOMPARE(rows(*f.list), QStringList({"1  A  ←0", "2  new  ←0", "3  B  ←1", "4  C  ←1"}));
  QStringList unnamed = unnamedControls(f.window);
  QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u',')));
}

void PageListWindowTest::addsRetitlesAndCopiesThroughTheOperations() {
  project::Project start = pagesNamed({"TopPage"});
  start.pages[1].buttons[0][project::ButtonField::JumpTarget] = " 1";
  PageListFixture f(start);
  for (const char* needsSelection : {"Command1_1", "Command1_2", "Command1_3"}) f.click(needsSelection);
  QVERIFY(f.dialogs.asked.empty() && f.dialogs.shown.empty());

  // Each operation once cancelled (which changes nothing), then answered.
  f.dialogs.inputs = {std::nullopt, "second", "", "copy", "", "renamed"};
  f.click("Command1_0");
  f.click("Command1_0");
  QCOMPARE(f.dialogs.asked.back().defaultAnswer, "Page- 2");
  QVERIFY(!f.list->selectionModel()->hasSelection());  // the selection does not move
  f.select(0);
  f.click("Command1_3");
  f.click("Command1_3");
  QCOMPARE(f.dialogs.asked.back().title, "ページのコピー");
  QCOMPARE(f.document.project().pages[3].buttons, start.pages[1].buttons);
  for (int twice = 0; twice < 2; ++twice) doubleClickRow(*f.list, 1);
  QCOMPARE(f.dialogs.asked.back(), (project::InputRequest{"ページタイトルの変更", "再編集", "second"}));
  QCOMPARE(names(*f.list), QStringList({"TopPage", "renamed", "copy"}));

  for (int step = 0; step < 3; ++step) f.document.undo();
  QVERIFY(!f.document.canUndo());
  QCOMPARE(f.document.project(), start);
}

void PageListWindowTest::deletionChoosesTheNextCurrentPage() {
  // Any other current page stays the same page; the deleted one gives way to the
  // page that moves into its position, else to the new last page, else to none.
  const QStringList names = {"A", "B", "C", "D"};
  for (int count = 1; count <= 4; ++count) {
    for (int deleted = 1; deleted <= count; ++deleted) {
      for (int current = EditorState::kNoPage; current <= count; ++current) {
        project::Project project = pagesNamed({});
        for (int page = 0; page < count; ++page)
          project.pages.append({names[page].toStdString(), {}, {}, {}, {}, {}, {}});
        PageListFixture f(project);
        f.state.setCurrentPage(current);
        f.select(deleted - 1);
        f.dialogs.answers = {Answer::Ok};
        f.click("Command1_2");
        const auto& pages = f.document.project().pages;
        int now = f.state.currentPage();
        if (current < 1) {
          QCOMPARE(now, current);
        } else if (current != deleted) {
          QCOMPARE(QString::fromStdString(pages.at(now).name), names[current - 1]);
        } else {
          QCOMPARE(now, count == 1 ? EditorState::kNoPage : std::min(deleted, count - 1));
        }
      }
    }
  }
}

void PageListWindowTest::deletionListsTheAffectedPagesUntilTheWorkListCloses() {
  using F = project::ButtonField;
  project::Project project = pagesNamed({"A", "B", "C", "D", "E"});
  project.pages[4].buttons[0][F::JumpTarget] = " 2";
  project.pages[4].buttons[3][F::ConditionTarget] = " 2";
  PageListFixture f(project);
  f.select(1);
  f.dialogs.answers = {Answer::Cancel, Answer::Ok};
  f.click("Command1_2");
  QCOMPARE(f.document.project(), project);
  QVERIFY(!f.workList.isVisible());
  f.click("Command1_2");
  QCOMPARE(names(*f.list), QStringList({"A", "C", "D", "E"}));
  QCOMPARE(f.progress.calls.front(), "show ページの削除");
  QVERIFY(f.workList.isVisible());
  QCOMPARE(f.workList.windowTitle(), QStringLiteral("Bの削除により影響が出るページ"));
  QCOMPARE(rows(*f.workList.findChild<QListView*>("List1")), QStringList({"D", "D"}));
  QCOMPARE(f.state.workListMode(), authoring::WorkListMode::AffectedPages);

  f.click("Command1_2");  // refused while the work list is in use
  QCOMPARE(f.dialogs.shown.back(), authoring::workListBusyMessage());
  f.workList.findChild<QPushButton*>("Command1")->click();
  f.select(3);  // E: nothing jumps to it, so the work list goes again
  f.dialogs.answers = {Answer::Ok};
  f.click("Command1_2");
  QCOMPARE(names(*f.list), QStringList({"A", "C", "D"}));
  QVERIFY(!f.workList.isVisible());
  QCOMPARE(f.state.workListMode(), authoring::WorkListMode::Idle);
}

}  // namespace pryx::player::testing
