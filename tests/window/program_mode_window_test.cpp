// Program mode, off screen: the switch from a project and back, the script window's
// file work and its findings, the questions answered from a script.

#include "window_test_classes.h"
#include "window_test_support.h"
#include "editor_window_helpers.h"

#include "authoring/script_generation.h"
#include "editor/distribution_window.h"
#include "editor/editor_texts.h"
#include "editor/editor_frame.h"
#include "editor/main_window.h"
#include "editor/program_mode_window.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "tests/support/scripted_dialogs.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace pryx::player::testing {
namespace {

using editor::Answer;
using editor::EditorFrame;
using editor::ProgramModeWindow;

void trigger(QWidget& window, const char* item) {
  auto* action = window.findChild<QAction*>(item);
  QVERIFY2(action != nullptr, item);
  action->trigger();
}

std::string fileBytes(const QString& path) {
  auto bytes = platform::readWholeFile(path.toStdString());
  return bytes ? std::string(bytes->begin(), bytes->end()) : "(missing)";
}

// The frame's menus file, view, project and tool, enabled or not.
QList<bool> frameMenus(const EditorFrame& frame) {
  const editor::FrameActions& a = frame.actions();
  return {a.file->menuAction()->isEnabled(), a.view->menuAction()->isEnabled(),
          a.project->menuAction()->isEnabled(), a.tool->menuAction()->isEnabled()};
}

}  // namespace

void ProgramModeWindowTest::switchesFromTheProjectToItsScriptAndBack() {
  pryx::testing::ScriptedDialogs dialogs;
  NotedSequencer music;
  EditorFrame frame(editor::EditorServices{&dialogs, &music, QFileInfo(PRYX_ZORVEX_LIBRARY).absolutePath().toStdString()});
  frame.show();
  frame.actions().file_new->trigger();
  const std::string generated = [&] {
    platform::SilentProgress silent;
    return authoring::generateScript(frame.files().document()->project(), silent);
  }();

  dialogs.answers = {Answer::Cancel};
  frame.actions().tool_pro->trigger();
  QVERIFY(frame.programModeWindow() == nullptr);
  QVERIFY(frame.files().isOpen());

  dialogs.answers = {Answer::Ok};
  frame.actions().tool_pro->trigger();
  QCOMPARE(dialogs.shown.back().text.rfind("このモードで開発する場合は、", 0), std::size_t{0});
  QVERIFY(dialogs.shown.back().buttons == project::MessageButtons::OkCancel);
  ProgramModeWindow* window = frame.programModeWindow();
  QVERIFY(window != nullptr && window->isVisible());
  QCOMPARE(window->windowTitle(), QStringLiteral("PRYXTOOL プログラムモード[*]"));
  QCOMPARE(window->script(), QString::fromStdString(generated).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  QVERIFY(!frame.files().isOpen());
  QVERIFY(!frame.actions().Toolbar1->isVisible());
  QVERIFY(!frame.mainWindow()->isVisible());
  QCOMPARE(frameMenus(frame), QList<bool>({false, false, false, false}));
  QCOMPARE(dialogs.shown.size(), std::size_t{2});  // the project closed without its own question

  // The distribution is built from a script file chosen on disk.
  dialogs.files = {"/somewhere/story.PXJ"};
  trigger(*window, "file_pac");
  QCOMPARE(dialogs.fileDialogs.back().title, std::string("配布ファイル作成元プログラムの指定"));
  QCOMPARE(frame.state().scriptPath(), std::string("/somewhere/story.PXJ"));
  QVERIFY(frame.state().buildSource() == editor::BuildSource::Script);
  QVERIFY(frame.distributionWindow()->isVisible());
  frame.distributionWindow()->hide();

  dialogs.answers = {Answer::Cancel};
  trigger(*window, "file_return");
  QVERIFY(window->isVisible());
  dialogs.answers = {Answer::Ok};
  trigger(*window, "file_return");
  QCOMPARE(dialogs.shown.back(), project::question("このプログラムを終了しますか？"));
  QVERIFY(frame.programModeWindow() == nullptr);
  QVERIFY(frame.actions().Toolbar1->isVisible());
  QCOMPARE(frameMenus(frame), QList<bool>({true, false, false, true}));
  QVERIFY(frame.actions().file_new->isEnabled());

  // Without a project nothing is asked and the script starts empty; the close box asks once.
  frame.actions().tool_pro->trigger();
  window = frame.programModeWindow();
  QVERIFY(window != nullptr);
  QCOMPARE(window->script(), QString());
  dialogs.answers = {Answer::Cancel};
  QVERIFY(!window->close());
  dialogs.answers = {Answer::Ok};
  std::size_t asked = dialogs.shown.size();
  QVERIFY(window->close());
  QCOMPARE(dialogs.shown.size(), asked + 1);
  QVERIFY(frame.programModeWindow() == nullptr);
  QCOMPARE(frameMenus(frame), QList<bool>({true, false, false, true}));

  // A script on the command line opens straight into program mode.
  QTemporaryDir folder;
  QString script = folder.filePath("game.pxj");
  QVERIFY(platform::writeFileReplacing(script.toStdString(), platform::encodeSjis("@PAGE,始め\r\n")));
  frame.openFromCommandLine(script);
  QVERIFY(frame.programModeWindow() != nullptr);
  QCOMPARE(frame.programModeWindow()->script(), QStringLiteral("@PAGE,始め"));
  QCOMPARE(frame.programModeWindow()->path(), script.toStdString());
  QVERIFY(!frame.actions().Toolbar1->isVisible());
  dialogs.answers = {Answer::Cancel};  // ending the editor asks for the unsaved script too
  QVERIFY(!frame.close());
  QVERIFY(frame.programModeWindow()->isVisible());
}

void ProgramModeWindowTest::savesShiftJisWithCrLfAndKeepsTextAndPathOfAnUnreadableFile() {
  pryx::testing::ScriptedDialogs dialogs;
  ProgramModeWindow window(dialogs);
  window.show();
  auto* text = window.findChild<QPlainTextEdit*>("Text1");
  QTemporaryDir folder;
  QString first = folder.filePath("first.PXJ");
  QString second = folder.filePath("second.PXJ");
  QVERIFY(platform::writeFileReplacing(first.toStdString(), platform::encodeSjis("@PAGE,一\r\n@END\r\n")));

  dialogs.files = {first.toStdString()};
  trigger(window, "file_open");
  QCOMPARE(window.script(), QStringLiteral("@PAGE,一\n@END"));
  text->moveCursor(QTextCursor::End);
  QTest::keyClick(text, Qt::Key_Return);
  text->insertPlainText(QStringLiteral("@PAGE,二"));
  trigger(window, "file_save");
  QCOMPARE(fileBytes(first), platform::encodeSjis("@PAGE,一\r\n@END\r\n@PAGE,二\r\n"));
  QVERIFY(text->document()->isUndoAvailable());

  // New forgets the path: the next save asks for a name and the first file stays.
  dialogs.answers = {Answer::Ok};
  trigger(window, "file_new");
  QCOMPARE(window.script(), QString());
  QTest::keyClicks(text, QStringLiteral("@END"));
  dialogs.files = {second.toStdString()};
  trigger(window, "file_save");
  QCOMPARE(fileBytes(second), std::string("@END\r\n"));
  QCOMPARE(fileBytes(first), platform::encodeSjis("@PAGE,一\r\n@END\r\n@PAGE,二\r\n"));

  dialogs.files = {folder.filePath("missing.PXJ").toStdString()};
  trigger(window, "file_open");
  QCOMPARE(dialogs.shown.back(), project::warning("ファイルを開けませんでした。"));
  QCOMPARE(window.script(), QStringLiteral("@END"));
  QCOMPARE(window.path(), second.toStdString());
}

void ProgramModeWindowTest::findingsListTheLinesAndADoubleClickGoesThere() {
  pryx::testing::ScriptedDialogs dialogs;
  ProgramModeWindow window(dialogs);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  auto* text = window.findChild<QPlainTextEdit*>("Text1");
  auto* findings = window.findChild<QTreeWidget*>("findings");
  window.setScript(QStringLiteral("@VERSION,1,5\r\n@PAGE,始め\r\n@NOPE,1\r\n@END"));
  QStringList lines = rows(*findings);
  QVERIFY(lines.contains(QStringLiteral("3")));

  int row = static_cast<int>(lines.indexOf(QStringLiteral("3")));
  QCOMPARE(findings->topLevelItem(row)->text(1), QStringLiteral("不明なコマンド \"@NOPE\" は読み飛ばされます"));
  doubleClickRow(*findings, row);
  QCOMPARE(text->textCursor().blockNumber(), 2);
  // Mended and checked again on demand (F7), the line's finding goes.
  text->setPlainText(QStringLiteral("@VERSION,1,5\n@PAGE,始め\n@END"));
  QCOMPARE(window.findChild<QAction*>("file_check")->shortcut(), QKeySequence(Qt::Key_F7));
  trigger(window, "file_check");
  QVERIFY(!rows(*findings).contains(QStringLiteral("3")));
}

void ProgramModeWindowTest::unsavedTextIsAskedForAndMarkedInTheCaption() {
  pryx::testing::ScriptedDialogs dialogs;
  ProgramModeWindow window(dialogs);
  window.show();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  auto* text = window.findChild<QPlainTextEdit*>("Text1");
  auto press = [&](QKeyCombination key) { QTest::keyClick(text, key.key(), key.keyboardModifiers()); };
  QTemporaryDir folder;
  QString path = folder.filePath("odd.PXJ");
  const std::string odd = "@PAGE,\x81\x20\r\n@TEXT,a\rb\r\n";  // a broken character and a lone CR
  QVERIFY(platform::writeFileReplacing(path.toStdString(), odd));

  dialogs.files = {path.toStdString()};
  press(Qt::CTRL | Qt::Key_O);
  QCOMPARE(dialogs.shown.size(), std::size_t{1});  // said at opening, with nothing written
  QCOMPARE(dialogs.shown.back().title, std::string("注意"));
  QCOMPARE(fileBytes(path), odd);
  QCOMPARE(window.windowTitle(), QStringLiteral("PRYXTOOL プログラムモード - odd.PXJ[*]"));
  QVERIFY(!window.isWindowModified());

  text->moveCursor(QTextCursor::End);
  QTest::keyClicks(text, QStringLiteral("x"));
  QVERIFY(window.isWindowModified());
  dialogs.answers = {Answer::Cancel};
  press(Qt::CTRL | Qt::Key_N);
  QCOMPARE(dialogs.shown.back(), editor::saveChangesQuestion());
  QVERIFY(window.script().endsWith(u'x'));
  press(Qt::CTRL | Qt::Key_S);
  QVERIFY(!window.isWindowModified());

  QTest::keyClicks(text, QStringLiteral("y"));
  dialogs.answers = {Answer::No};
  dialogs.files = {std::nullopt};  // 保存しない, then no file chosen: the text stays as it is
  press(Qt::CTRL | Qt::Key_O);
  QVERIFY(window.script().endsWith(QStringLiteral("xy")) && window.isWindowModified());
  dialogs.answers = {Answer::Yes};  // 保存する writes before program mode ends
  trigger(window, "file_return");
  QVERIFY(!window.isVisible());
  QVERIFY(fileBytes(path).ends_with("xy\r\n"));
}

}  // namespace pryx::player::testing
