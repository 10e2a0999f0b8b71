#pragma once
// The frame's menu bar, its pop-up menu "Menu" and its toolbar "Toolbar1", with
// every caption, accelerator, separator and tool tip. The frame routes them.

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <array>

namespace pryx::editor {

struct FrameActions {
  QMenu* file;
  QAction* file_new;
  QAction* file_open;
  QAction* file_saveas;
  QAction* file_save;
  QAction* file_close;
  QMenu* file_recent;
  QAction* file_end;

  QMenu* edit;
  QAction* edit_undo;
  QAction* edit_redo;
  QAction* edit_find;

  QMenu* view;
  QAction* view_main;
  QAction* view_text;
  QAction* view_command;
  QAction* view_event;
  QAction* view_map;

  QMenu* project;
  QAction* project_run;
  QAction* project_play;
  QAction* project_pac;
  QAction* project_option;

  QMenu* tool;
  QAction* tool_pro;

  QMenu* window;
  QAction* window_reset;
  QAction* window_main;
  QAction* window_message;
  QAction* window_command;
  QAction* window_event;
  QAction* window_map;

  QAction* version;

  QMenu* Menu;
  QAction* Menu_Next;
  QAction* Menu_Last;
  QAction* Menu_ZORVEX;

  QToolBar* Toolbar1;
  // Buttons 1 to 15 by their number; the separators 3, 6 and 11 are null.
  std::array<QAction*, 16> buttons{};
};

// The toolbar's buttons by number.
enum ToolbarButton {
  kNewButton = 1,
  kOpenButton = 2,
  kSaveAsButton = 4,
  kSaveButton = 5,
  kMainWindowButton = 7,
  kMessageWindowButton = 8,
  kCommandWindowButton = 9,
  kEventWindowButton = 10,
  kRunButton = 12,
  kStopButton = 13,
  kPlayButton = 14,
  kStoryMapButton = 15,
};

FrameActions buildFrameActions(QMainWindow& frame);

// Menus and their items carry their names, so that tests and the frame find them.
QAction* namedItem(QMenu* menu, const char* name, const QString& caption, bool checkable = false);
QMenu* namedMenu(QMenuBar* bar, const char* name, const QString& caption);

// A usable button is enabled and raised; an unusable one disabled and pressed.
void setUsable(QAction* button, bool usable);

}  // namespace pryx::editor
