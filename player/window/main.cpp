// PRYXPlayer: copied beside a game file under the game's name, it plays that game.

#include <QApplication>

#include "platform/paths.h"
#include "player/window/player_program.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  pryx::player::PlayerProgramOptions options;
  options.executablePath = pryx::platform::currentExecutablePath();
  return pryx::player::PlayerProgram(options).run();
}
