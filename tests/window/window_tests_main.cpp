// The window tests: every test class, or the one named as the first argument (the
// remaining arguments go to QtTest).

#include <QApplication>
#include <QByteArray>
#include <QStandardPaths>
#include <QTest>

#include <vector>

#include "window_test_classes.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QStandardPaths::setTestModeEnabled(true);  // the editor's recent files stay out of the user's settings
  QByteArray only = argc > 1 && argv[1][0] != '-' ? QByteArray("::") + argv[1] : QByteArray();
  std::vector<char*> arguments{argv[0]};
  for (int i = only.isEmpty() ? 1 : 2; i < argc; ++i) arguments.push_back(argv[i]);

  int failed = 0;
  bool found = false;
  for (const auto& test : pryx::player::testing::windowTestClasses()) {
    if (!only.isEmpty() && !QByteArray(test->metaObject()->className()).endsWith(only)) continue;
    found = true;
    failed += QTest::qExec(test.get(), static_cast<int>(arguments.size()), arguments.data());
  }
  return found ? failed : 2;
}

namespace pryx::player::testing {

std::vector<std::unique_ptr<QObject>> windowTestClasses() {
  std::vector<std::unique_ptr<QObject>> classes;
  classes.push_back(std::make_unique<PictureViewTest>());
  classes.push_back(std::make_unique<DialogMessageBoxesTest>());
  classes.push_back(std::make_unique<GameWindowTest>());
  classes.push_back(std::make_unique<PlayerProgramTest>());
  classes.push_back(std::make_unique<EditorFrameTest>());
  classes.push_back(std::make_unique<EditorWindowsTest>());
  classes.push_back(std::make_unique<EditorPageWindowsTest>());
  classes.push_back(std::make_unique<EditorAuthoringTest>());
  classes.push_back(std::make_unique<ProgramModeWindowTest>());
  classes.push_back(std::make_unique<PageListWindowTest>());
  classes.push_back(std::make_unique<WorkListWindowTest>());
  classes.push_back(std::make_unique<ProjectOptionsDialogTest>());
  classes.push_back(std::make_unique<PageOptionsDialogTest>());
  classes.push_back(std::make_unique<DistributionWindowTest>());
  classes.push_back(std::make_unique<RealDisplayTest>());
  classes.push_back(std::make_unique<StoryMapWindowTest>());
  return classes;
}

}  // namespace pryx::player::testing
