// The story map and the search window on their own, off screen, driven through the
// accessibility tree where a screen reader would drive them.

#include "window_test_classes.h"

#include "editor_window_helpers.h"

#include "editor/search_window.h"
#include "editor/story_map_view.h"
#include "editor/story_map_window.h"
#include "project/story_graph.h"

#include <QAccessible>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace pryx::player::testing {
namespace {

using F = project::ButtonField;

// Page 1 jumps to 2, or with its condition to 3; 2 goes back to 1; 3 has no button;
// 4 is reached by nothing.
project::Project branchingStory() {
  project::Project project = pagesNamed({"始まり", "森", "川", "離れ"});
  project.variables.append("鍵");
  project::ButtonEvent& go = project.pages[1].buttons[0];
  go[F::Caption] = "進む";
  go[F::ConditionVariable1] = "1";
  go[F::Comparison1] = "1";
  go[F::ConditionValue1] = "1";
  go[F::ConditionTarget] = " 3";
  go[F::JumpTarget] = " 2";
  project.pages[2].buttons[0][F::Caption] = "戻る";
  project.pages[2].buttons[0][F::JumpTarget] = " 1";
  project.pages[4].buttons[0][F::Caption] = "行く";
  return project;
}

struct MapFixture {
  explicit MapFixture(project::Project project) : document(std::move(project)) {
    window.setDocument(&document);
    window.show();
    window.refreshNow();
  }

  QAccessibleInterface* map() const { return QAccessible::queryAccessibleInterface(window.map()); }
  QStringList boxNames() const {
    QStringList names;
    for (int box = 0; box < map()->childCount(); ++box) names << map()->child(box)->text(QAccessible::Name);
    return names;
  }
  // The pages the findings list names, in its order, as the story graph finds them.
  std::vector<int> findingPagesExpected() const {
    std::vector<int> pages;
    const project::Project& shown = document.project();
    for (const auto& finding : project::storyFindings(shown, project::storyGraph(shown))) pages.push_back(finding.page);
    return pages;
  }
  std::vector<int> findingPagesListed() const {
    std::vector<int> pages;
    for (const QString& row : rows(*window.findingsList())) pages.push_back(row.section(u' ', 1, 1).section(u'「', 0, 0).toInt());
    return pages;
  }

  project::ProjectDocument document;
  editor::EditorState state;
  editor::StoryMapWindow window{state};
};

}  // namespace

void StoryMapWindowTest::boxesAreItemsAndTheKeyboardFollowsTheJumps() {
  MapFixture f(branchingStory());
  QCOMPARE(f.boxNames(), QStringList({"始まり", "森", "川", "離れ"}));
  QCOMPARE(f.findingPagesListed(), f.findingPagesExpected());
  QStringList unnamed = unnamedControls(f.window);
  QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u',')));

  // From page 1 the arrow keys go to where it jumps and back; Enter makes a page current.
  f.state.setCurrentPage(1);
  f.window.map()->setFocus();
  editor::StoryMapView& view = *f.window.map();
  QTest::keyClick(&view, Qt::Key_Down);
  const int first = view.focusPage();
  QVERIFY(first == 2 || first == 3);
  QTest::keyClick(&view, Qt::Key_Right);
  QTest::keyClick(&view, Qt::Key_Left);
  QTest::keyClick(&view, Qt::Key_Right);
  QCOMPARE(view.focusPage(), 5 - first);  // the other page 1 jumps to
  QVERIFY(f.map()->child(view.focusPage() - 1)->state().selected);
  QTest::keyClick(&view, Qt::Key_Return);
  QCOMPARE(f.state.currentPage(), 5 - first);
  QTest::keyClick(&view, Qt::Key_Up);
  QCOMPARE(view.focusPage(), 1);

  // Pressing a box through the tree chooses it, as a double-click does.
  f.map()->child(3)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  QCOMPARE(f.state.currentPage(), 4);
  // A double-click on a finding goes to its page.
  doubleClickRow(*f.window.findingsList(), 0);
  QCOMPARE(f.state.currentPage(), f.findingPagesExpected().front());
}

void StoryMapWindowTest::followsEditsAndUndoKeepingZoomAndPlace() {
  MapFixture f(branchingStory());
  editor::StoryMapView& view = *f.window.map();
  view.scale(1.5, 1.5);
  const QTransform zoomed = view.transform();
  const std::vector<int> before = f.findingPagesExpected();

  // Each edit, and its undo, shows in the boxes and findings after the step.
  const std::function<void()> edits[] = {
      [&] { f.document.setButtonField(2, 0, F::JumpTarget, " 4"); },
      [&] { f.document.renamePage(1, "序章"); },
      [&] { f.document.setButtonField(3, 0, F::Caption, "終わり"); },
      [&] { f.document.insertPage(2, project::Page{"新しい", {}, {}, {}, {}, {}, {}}); },
      [&] { f.document.removePage(4); },
  };
  for (const auto& edit : edits) {
    edit();
    QTest::qWait(0);
    QCOMPARE(f.findingPagesListed(), f.findingPagesExpected());
    QStringList names;
    for (const project::Page& page : f.document.project().pages) names << QString::fromStdString(page.name);
    QCOMPARE(f.boxNames(), names);
    QCOMPARE(view.transform(), zoomed);
  }
  while (f.document.canUndo()) f.document.undo();
  QTest::qWait(0);
  QCOMPARE(f.findingPagesListed(), before);
  QCOMPARE(f.boxNames(), QStringList({"始まり", "森", "川", "離れ"}));
}

void StoryMapWindowTest::searchListsEveryPlaceAndReplacesInOneStep() {
  project::Project project = branchingStory();
  project.pages[2].text = "森の奥\r\n森は暗い";
  project.cgs.append({"森の絵", "mori.bmp"});
  project::ProjectDocument document(project);
  editor::SearchWindow window(document);
  window.showSearch();
  std::vector<authoring::SearchHit> chosen;
  QObject::connect(&window, &editor::SearchWindow::hitChosen, [&](const authoring::SearchHit& hit) { chosen.push_back(hit); });
  window.findChild<QLineEdit*>("FindText")->setText("森");
  window.findChild<QPushButton*>("Find")->click();
  auto* results = window.findChild<QListView*>("Results");
  QCOMPARE(results->model()->rowCount(), 4);  // the page name, twice in the message, the CG
  doubleClickRow(*results, 2);
  QCOMPARE(chosen.size(), 1u);
  QCOMPARE(chosen.front().place, authoring::SearchPlace::Message);
  QStringList unnamed = unnamedControls(window);
  QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u',')));

  window.findChild<QLineEdit*>("ReplaceText")->setText("林");
  window.findChild<QPushButton*>("Replace")->click();
  QCOMPARE(document.project().pages[2].text, std::string("林の奥\r\n林は暗い"));
  QCOMPARE(results->model()->rowCount(), 2);  // names are not replaced
  QCOMPARE(document.undoName(), std::string("置換"));
}

}  // namespace pryx::player::testing
