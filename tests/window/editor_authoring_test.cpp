// A whole game made only through PRYXTOOL's windows, as an author makes it: the
// saved project builds and plays along the expected route, and undoing every step
// gives back the new project's file byte for byte.

#include "window_test_classes.h"
#include "window_test_support.h"

#include "editor/command_window.h"
#include "editor/editor_frame.h"
#include "editor/main_window.h"
#include "editor/message_window.h"
#include "editor/page_event_window.h"
#include "project/project_file.h"
#include "tests/support/scripted_dialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace pryx::player::testing {
namespace {

using editor::Answer;

const std::string kSamples = PRYX_SOURCE_DIR "/samples/tsukiyo/";

struct Editor {
  pryx::testing::ScriptedDialogs dialogs;
  NotedSequencer music;
  editor::EditorFrame frame{{&dialogs, &music, QFileInfo(PRYX_ZORVEX_LIBRARY).absolutePath().toStdString()}};

  // A control of the page event settings window (the command window's buttons share its names).
  template <typename T>
  T* control(const char* name) const {
    T* found = frame.pageEventWindow()->findChild<T*>(name);
    if (found == nullptr) qFatal("no control %s", name);
    return found;
  }
  // A choice in a list box, as a click on the entry makes it.
  void choose(const char* box, int index) const {
    auto* combo = control<QComboBox>(box);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  void click(const char* button) const { control<QPushButton>(button)->click(); }
};

std::string fileBytes(const QString& path) {
  std::ifstream file(path.toStdString(), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

int run(const QString& command) { return std::system(command.toLocal8Bit().constData()); }

}  // namespace

void EditorAuthoringTest::aTwoPageGameMadeThroughTheWindowsBuildsPlaysAndUndoes() {
  QTemporaryDir folder;
  Editor editor;
  editor.frame.show();
  editor.frame.actions().file_new->trigger();

  editor.dialogs.files = {kSamples + "cg/yoru.BMP", kSamples + "bgm/tsukiyo.MID"};
  editor.dialogs.inputs = {"夜", "月夜"};
  editor.click("Command1_1");  // CG
  editor.click("Command1_2");  // BGM
  editor.choose("Combo1_1", 1);
  editor.choose("Combo1_2", 1);
  QImage black(640, 480, QImage::Format_RGB32);
  black.fill(Qt::black);
  QVERIFY(editor.frame.mainWindow()->picture() != black);
  QCOMPARE(editor.music.opened.back(), kSamples + "bgm/tsukiyo.MID");

  for (QChar typed : QStringLiteral("月が綺麗ですね。")) editor.frame.messageWindow()->textBox()->insertPlainText(typed);
  editor.dialogs.inputs = {"はい", "いいえ"};
  editor.frame.commandWindow()->button(0)->click();
  editor.frame.commandWindow()->button(1)->click();
  QCOMPARE(editor.control<QTabBar>("TabStrip1")->tabText(1), QStringLiteral("いいえ"));

  editor.dialogs.inputs = {"好感度", "おしまい"};
  editor.click("Command3_0");  // define the variable
  editor.click("Command1_0");  // add page 2
  editor.choose("Combo2_0", 1);
  editor.choose("Combo3_0", 1);  // "="
  QTest::keyClicks(editor.control<QLineEdit>("Text1_0"), "0");
  editor.choose("Combo4_0", 2);  // THEN GOTO おしまい
  editor.control<QTabBar>("TabStrip1")->setCurrentIndex(1);
  editor.choose("Combo4_1", 1);  // いいえ: back to the first page

  QString project = folder.filePath("game.PXK");
  editor.dialogs.files = {project.toStdString()};
  editor.frame.actions().file_save->trigger();
  const project::Project& made = editor.frame.files().document()->project();
  QCOMPARE(made.pageCount(), 2);
  QCOMPARE(made.pages[1].text, std::string("月が綺麗ですね。"));
  QCOMPARE(made.pages[1].buttons[0][project::ButtonField::ConditionValue1], std::string("0"));

  QString tool = QStringLiteral(PRYX_TOOL);
  QString dist = folder.filePath("dist");
  QCOMPARE(run(QStringLiteral("'%1' build '%2' --out '%3' --name game >/dev/null").arg(tool, project, dist)), 0);
  QString trace = folder.filePath("trace.jsonl");
  QCOMPARE(run(QStringLiteral("QT_QPA_PLATFORM=offscreen '%1' play '%2/game.PRY' --headless --choose 2,1 --trace '%3' "
                              ">/dev/null")
                   .arg(tool, dist, trace)),
           0);
  // いいえ leads back to the first page, はい with 好感度 = 0 on to the second, where the game ends.
  std::vector<std::string> labels;
  std::istringstream lines(fileBytes(trace));
  for (std::string line; std::getline(lines, line);) {
    if (line.find("\"label\"") != std::string::npos) labels.push_back(line.substr(line.rfind(':') + 1));
  }
  QCOMPARE(labels, (std::vector<std::string>{"1}", "1}", "2}"}));
  QVERIFY(fileBytes(trace).find("\"reason\":\"END\"") != std::string::npos);

  while (editor.frame.actions().edit_undo->isEnabled()) editor.frame.actions().edit_undo->trigger();
  editor.frame.actions().file_save->trigger();
  QCOMPARE(fileBytes(project), project::encodeProjectFile(project::newProject()).bytes);
}

}  // namespace pryx::player::testing
