// PRYXTOOL: the editor. A project file named on the command line is opened at once.

#include "editor/editor_frame.h"
#include "editor/qt_translations.h"
#include "editor/version.h"
#include "player/window/window_fonts.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(pryx::editor::kApplicationTitle);
  pryx::player::registerFontSubstitutions();
  pryx::editor::loadQtTranslations();
  pryx::editor::EditorFrame frame;
  frame.show();
  frame.showSplash();
  QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) frame.openFromCommandLine(arguments.at(1));
  return QApplication::exec();
}
