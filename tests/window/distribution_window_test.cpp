// The distribution window as an author uses it: the open project or a script file
// built into a folder chosen or made in the window, and played by the tool; a
// missing resource ends in the list of what failed, never in "作成完了".

#include "window_test_classes.h"
#include "window_test_support.h"

#include "editor/distribution_job.h"
#include "editor/distribution_window.h"
#include "editor/editor_frame.h"
#include "tests/support/scripted_dialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QComboBox>
#include <QTest>

#include <cstdlib>
#include <filesystem>

namespace pryx::player::testing {
namespace {

using editor::Answer;

const QString kSamples = QStringLiteral(PRYX_SOURCE_DIR "/samples/tsukiyo/");

struct Editor {
  pryx::testing::ScriptedDialogs dialogs;
  NotedSequencer music;
  editor::EditorFrame frame{{&dialogs, &music, QFileInfo(PRYX_ZORVEX_LIBRARY).absolutePath().toStdString()}};

  editor::DistributionWindow& window() const { return *frame.distributionWindow(); }
  void click(const char* button) const { window().findChild<QPushButton*>(button)->click(); }

  // Names the game, answers the overwrite question and gives the final message.
  project::Message build(const char* name, Answer overwrite) {
    dialogs.inputs.push_back(name);
    dialogs.answers.push_back(overwrite);
    click("Command3");
    return dialogs.shown.back();
  }
};

// The game file the tool reads back as a game.
bool plays(const QString& gameFile) {
  std::string command = "'" PRYX_TOOL "' dump '" + gameFile.toStdString() + "' >/dev/null 2>&1";
  return QFileInfo::exists(gameFile) && std::system(command.c_str()) == 0;
}

}  // namespace

void DistributionWindowTest::buildsTheOpenProjectIntoANewFolder() {
  QTemporaryDir folder;
  Editor editor;
  editor.frame.openFromCommandLine(kSamples + "tsukiyo.PXK");
  editor.frame.actions().project_pac->trigger();
  QVERIFY(editor.window().isVisible());
  QCOMPARE(editor.frame.state().buildSource(), editor::BuildSource::Project);

  editor.window().showDirectory(folder.path());
  editor.dialogs.inputs = {std::string("NoTitle")};
  editor.click("Command1");
  QCOMPARE(editor.dialogs.asked.back(), editor::newFolderRequest());
  QString target = folder.filePath("NoTitle");
  QCOMPARE(editor.window().directory(), target);

  project::Message result = editor.build("tsukiyo", Answer::No);
  QCOMPARE(result.text, std::string("作成完了"));
  QVERIFY(!editor.window().isVisible());
  QVERIFY(plays(target + "/tsukiyo.PRY"));
  QVERIFY(QFileInfo::exists(target + "/tsukiyo"));  // the player under the game's name
  QVERIFY(QFileInfo::exists(target + "/yoru.BMP"));
}

void DistributionWindowTest::compilesTheScriptFileOfProgramMode() {
  QTemporaryDir folder;
  Editor editor;
  editor.frame.state().setScriptPath((kSamples + "tsukiyo.PXJ").toStdString());
  editor.frame.openDistributionWindow(editor::BuildSource::Script);
  editor.window().showDirectory(folder.path());

  project::Message result = editor.build("tsukiyo", Answer::Yes);
  QCOMPARE(result.text, std::string("作成完了"));
  QVERIFY(plays(folder.filePath("tsukiyo.PRY")));
  QVERIFY(QFileInfo::exists(folder.filePath("tsukiyo.MID")));
}

// The web player lies in web/ beside the programs once it is built (make web): the
// folder holds the page and its list either way, and no desktop player.
void DistributionWindowTest::buildsAWebFolderWhenChosen() {
  QTemporaryDir folder;
  Editor editor;
  editor.frame.openFromCommandLine(kSamples + "tsukiyo.PXK");
  editor.frame.actions().project_pac->trigger();
  editor.window().showDirectory(folder.path());
  auto* kind = editor.window().findChild<QComboBox*>("Kind");
  QVERIFY(kind != nullptr);
  QCOMPARE(kind->accessibleName(), QStringLiteral("配布の種類"));
  kind->setCurrentIndex(1);

  editor.build("tsukiyo", Answer::No);
  QVERIFY(plays(folder.filePath("tsukiyo.PRY")));
  QVERIFY(QFileInfo::exists(folder.filePath("files.json")));
  QVERIFY(QFileInfo::exists(folder.filePath("yoru.BMP")));
  QVERIFY(!QFileInfo::exists(folder.filePath("tsukiyo")));
}

void DistributionWindowTest::failedStepsAreListedNeverReportedAsDone_data() {
  QTest::addColumn<int>("source");
  QTest::newRow("project") << static_cast<int>(editor::BuildSource::Project);
  QTest::newRow("script") << static_cast<int>(editor::BuildSource::Script);
}

void DistributionWindowTest::failedStepsAreListedNeverReportedAsDone() {
  QFETCH(int, source);
  // A copy of the samples whose first picture goes once the project is open.
  QTemporaryDir folder;
  std::filesystem::copy(kSamples.toStdString(), folder.path().toStdString(),
                        std::filesystem::copy_options::recursive);
  Editor editor;
  if (source == static_cast<int>(editor::BuildSource::Project)) {
    editor.frame.openFromCommandLine(folder.filePath("tsukiyo.PXK"));
  } else {
    editor.frame.state().setScriptPath(folder.filePath("tsukiyo.PXJ").toStdString());
  }
  QVERIFY(QFile::remove(folder.filePath("cg/yoru.BMP")));
  editor.frame.openDistributionWindow(static_cast<editor::BuildSource>(source));
  editor.window().showDirectory(folder.path());

  project::Message result = editor.build("alone", Answer::No);
  QCOMPARE(result.icon, project::MessageIcon::Warning);
  QVERIFY(result.text != "作成完了");
  QVERIFY(QString::fromStdString(result.text).contains(folder.filePath("yoru.BMP")));
  QVERIFY(plays(folder.filePath("alone.PRY")));  // the game itself was still written
}

}  // namespace pryx::player::testing
