// PRYXTOOL's smaller windows on their own, off screen.

#include "window_test_classes.h"

#include "editor/editor_state.h"
#include "editor/document_list_model.h"
#include "editor/page_event_window.h"
#include "editor/progress_window.h"
#include "editor/qt_dialogs.h"
#include "editor/qt_translations.h"
#include "editor/splash_window.h"
#include "editor/version_window.h"

#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QAbstractItemModelTester>
#include <QTest>
#include <QTimer>

namespace pryx::player::testing {

void EditorWindowsTest::splashGoesOnClickKeyOrSecondFocusLoss() {
  QPointer<editor::SplashWindow> splash = new editor::SplashWindow;
  splash->show();
  QEvent deactivate(QEvent::WindowDeactivate);
  QCoreApplication::sendEvent(splash, &deactivate);
  QVERIFY(splash->isVisible());  // the first loss takes the focus back
  QCoreApplication::sendEvent(splash, &deactivate);
  QTRY_VERIFY(splash.isNull());

  for (bool click : {true, false}) {
    QPointer<editor::SplashWindow> another = new editor::SplashWindow;
    another->show();
    if (click) QTest::mouseClick(another, Qt::LeftButton);
    else QTest::keyClick(another, Qt::Key_Space);
    QTRY_VERIFY(another.isNull());
  }
}

void EditorWindowsTest::versionWindowShowsTheVersion() {
  editor::VersionWindow window;
  QCOMPARE(window.windowTitle(), QStringLiteral("PRYXTOOLのﾊﾞｰｼﾞｮﾝ情報"));
  QCOMPARE(window.findChild<QLabel*>("lblVersion")->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + QStringLiteral(PRYX_VERSION));
  window.show();
  window.findChild<QPushButton*>("cmdOK")->click();
  QVERIFY(!window.isVisible());
}

namespace {

// Counts the events it is sent: a progress window must deliver none of them.
class EventCounter : public QObject {
 public:
  int events = 0;
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) ++events;
    return QObject::event(event);
  }
};

}  // namespace

void EditorWindowsTest::progressWindowRepaintsWithoutRunningEvents() {
  editor::ProgressWindow window;
  platform::Progress& progress = window;
  EventCounter counter;
  progress.show("ページの削除");
  QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
  progress.setMaximum(10000);
  progress.setLabel("リストを再構築しています...");
  for (int value = 0; value <= 10000; value += 250) progress.setValue(value);
  QCOMPARE(counter.events, 0);
  QCOMPARE(window.windowTitle(), QStringLiteral("ページの削除"));
  QCOMPARE(window.findChild<QLabel*>("Label1")->text(), QStringLiteral("リストを再構築しています..."));
  QCOMPARE(window.findChild<QProgressBar*>("ProgressBar1")->value(), 10000);
  progress.hide();
  QVERIFY(!window.isVisible());
  QCoreApplication::processEvents();
  QCOMPARE(counter.events, 1);
}

void EditorWindowsTest::fileFiltersTakeBothLetterCases() {
  QCOMPARE(editor::qtFileFilter("ＰＲＹＸＴＯＯＬプロジェクトファイル(*.PXK)|*.PXK"),
           QStringLiteral("ＰＲＹＸＴＯＯＬプロジェクトファイル(*.PXK) (*.PXK *.pxk)"));
  QCOMPARE(editor::qtFileFilter("画像|*.BMP;*.JPG;*.jpeg"), QStringLiteral("画像 (*.BMP *.bmp *.JPG *.jpg *.jpeg)"));
}

void EditorWindowsTest::qtsOwnDialogsSpeakJapanese() {
  QVERIFY(editor::loadQtTranslations());
  QString lookIn = QCoreApplication::translate("QFileDialog", "Look in:");
  QVERIFY2(lookIn != QStringLiteral("Look in:"), qPrintable(lookIn));
  QStringList buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    QVERIFY(box != nullptr);
    for (QPushButton* button : box->findChildren<QPushButton*>()) buttons << button->text();
    box->reject();
  });
  editor::QtDialogs dialogs;
  QCOMPARE(dialogs.input({"名前を入力してください", "名前", "x"}), std::optional<std::string>());
  buttons.sort();
  QCOMPARE(buttons, QStringList({"OK", "キャンセル"}));
}

void EditorWindowsTest::listModelsPassQtsChecksThroughEditsAndUndo() {
  // Qt's model tester reads the rows around every change when it is announced and
  // again when it is done: a list that moved before the views were told fails it.
  project::ProjectDocument document;
  for (const char* name : {"two", "three", "four"}) {
    document.insertPage(document.project().pageCount() + 1, project::Page{name, {}, {}, {}, {}, {}, {}});
  }
  editor::ProjectLists lists(document);
  editor::DocumentListModel withoutBlank(document, project::ListKind::Pages, editor::DocumentListModel::Blank::Left);
  std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
  for (QAbstractItemModel* model : std::initializer_list<QAbstractItemModel*>{&lists.pages, &withoutBlank, &lists.cgs,
                                                                               &lists.variables}) {
    testers.push_back(std::make_unique<QAbstractItemModelTester>(model, QAbstractItemModelTester::FailureReportingMode::QtTest));
  }
  document.insertPage(1, project::Page{"first", {}, {}, {}, {}, {}, {}});
  document.removePage(3);
  document.insertResource(project::ResourceKind::Cg, 1, project::Resource{"sky", "sky.BMP"});
  document.insertVariable(1, "flag");
  document.renamePage(2, "renamed");
  while (document.canUndo()) document.undo();
  while (document.canRedo()) document.redo();
  QCOMPARE(lists.pages.rowCount(), document.project().pageCount() + 1);
  QCOMPARE(withoutBlank.data(withoutBlank.index(0)).toString(), QStringLiteral("first"));
}

}  // namespace pryx::player::testing
