// PRYXPlayer: copied beside a game file under the game's name, it plays that game.

#include <QApplication>

#include "platform/paths.h"
#include "player/window/player_program.h"

int main(int argc, char** argv) {
  const std::string executable = pryx::platform::currentExecutablePath();
  // A distribution brings Qt's platform plugins along; they come before the system's.
  QCoreApplication::addLibraryPath(
      QString::fromStdString(pryx::platform::GetPath(pryx::platform::folderOf(executable), PRYX_PLUGIN_FOLDER)));
  QApplication application(argc, argv);
  pryx::player::PlayerProgramOptions options;
  options.executablePath = executable;
  return pryx::player::PlayerProgram(options).run();
}
