#pragma once
// What the test run asks of the editor's windows: the frame, the stage (main
// window), the message window and the command input window implement it, a test
// a scripted host with a virtual clock. The run itself reads and writes the shared
// run values in EditorState; the windows feed the author's clicks in there.

#include "editor/dialogs.h"

#include "project/message.h"
#include "project/project.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pryx::editor {

class TestRunHost {
 public:
  virtual ~TestRunHost() = default;

  // Lets pending window events run, so that clicks, the toolbar and closing
  // windows reach the shared run values.
  virtual void pumpEvents() = 0;
  virtual void sleep(int milliseconds) = 0;
  virtual std::int64_t milliseconds() = 0;

  // The page chosen in the page event settings window's selector (0: none).
  virtual int selectedPage() = 0;
  // Into run mode: the view, file, project and tool menus disabled, the main and
  // message windows shown, the message emptied, the stage cleared, the command
  // input window and its buttons hidden, run pressed and stop enabled, the page
  // list window unloaded and the page event settings window hidden.
  virtual void enterRunMode() = 0;
  // Back to editing: the page event settings window, the command input window
  // with five empty buttons, the menus and the toolbar, and the main and message
  // windows shown; `page` (if not 0) is selected for editing.
  virtual void leaveRunMode(int page) = 0;

  // The music device: "Close", then the file, "Open" and "Play"; an empty path
  // only closes it. A file that cannot be played is passed over.
  virtual void playMusic(const std::string& path) = 0;
  // The stage's own background picture; an empty path (or a file that cannot be
  // loaded) clears it.
  virtual void showBackground(const std::string& path) = 0;

  // The message window shown (if hidden), emptied and given the focus.
  virtual void startMessage() = 0;
  virtual void appendMessage(std::string_view characters) = 0;
  virtual void setMessage(const std::string& text) = 0;

  // The command input window with a button per non-empty caption (slot 0..4).
  virtual void showButtons(const std::array<std::string, project::kButtonSlots>& captions) = 0;
  // The command input window again, if the author has hidden it during the choice.
  virtual void showButtonWindow() = 0;
  // The five buttons and their window hidden.
  virtual void hideButtons() = 0;

  virtual Answer ask(const project::Message& question) = 0;
};

}  // namespace pryx::editor
