// The frame's side of the test run: the windows become the stage of the run, and
// the run asks them through TestRunHost.

#include "editor/command_window.h"
#include "editor/editor_frame.h"
#include "editor/main_window.h"
#include "editor/message_window.h"
#include "editor/page_event_window.h"
#include "editor/test_run.h"
#include "editor/test_run_host.h"

#include "player/qt_host/event_loop.h"

#include <algorithm>

namespace pryx::editor {

class EditorFrame::RunHost final : public TestRunHost {
 public:
  explicit RunHost(EditorFrame& frame) : frame_(frame) {}

  void pumpEvents() override { pump_.pumpEvents(); }
  void sleep(int milliseconds) override { pump_.sleep(milliseconds); }
  std::int64_t milliseconds() override { return clock_.milliseconds(); }
  int selectedPage() override { return std::max(frame_.state_.currentPage(), 0); }

  void enterRunMode() override {
    frame_.setRunMenus(true);
    show(frame_.main_);
    show(frame_.message_);
    frame_.message_->startRunText();
    (void)frame_.main_->showCharacter({});
    (void)frame_.main_->showBackground({});
    hide(frame_.command_);
    hide(frame_.event_);
    frame_.closePageList();
  }

  void leaveRunMode(int page) override {
    show(frame_.event_);
    show(frame_.command_);
    frame_.setRunMenus(false);
    show(frame_.main_);
    show(frame_.message_);
    frame_.state_.showPageAgain(page != 0 ? page : frame_.state_.currentPage());
  }

  void playMusic(const std::string& path) override {
    if (path.empty() || !frame_.main_->playMusic(path)) frame_.main_->closeMusic();
  }
  void showBackground(const std::string& path) override { (void)frame_.main_->showBackground(path); }

  void startMessage() override {
    if (!frame_.message_->isVisible()) show(frame_.message_);
    frame_.message_->startRunText();
  }
  void appendMessage(std::string_view characters) override { frame_.message_->appendRunText(characters); }
  void setMessage(const std::string& text) override { frame_.message_->setRunText(text); }

  void showButtons(const std::array<std::string, project::kButtonSlots>& captions) override {
    frame_.command_->showRunButtons(captions);
    show(frame_.command_);
  }
  void showButtonWindow() override {
    if (!frame_.command_->isVisible()) show(frame_.command_);
  }
  void hideButtons() override { hide(frame_.command_); }

  Answer ask(const project::Message& question) override { return frame_.dialogs_.show(question); }

 private:
  // The run shows and hides windows as their view items do: marks and toolbar follow.
  void show(ChildWindow* window) { frame_.showChild(childOf(window)); }
  void hide(ChildWindow* window) {
    const Child& child = childOf(window);
    window->hide();
    frame_.childHidden(child);
    // Like the view menu, its button waits for the run's end: the page event settings
    // shown during a run could take pages away under it.
    frame_.actions_.buttons[static_cast<std::size_t>(child.toolbarButton)]->setEnabled(false);
  }
  const Child& childOf(ChildWindow* window) const {
    return *std::find_if(frame_.children_.begin(), frame_.children_.end(),
                         [window](const Child& child) { return child.window == window; });
  }

  EditorFrame& frame_;
  player::QtEventPump pump_;
  player::ElapsedClock clock_;
};

void EditorFrame::setRunMenus(bool running) {
  const FrameActions& a = actions_;
  // The edit menu too: an undo must not move pages under the running game.
  for (QMenu* menu : {a.view, a.file, a.edit, a.project, a.tool}) menu->menuAction()->setEnabled(!running);
  setUsable(a.buttons[kRunButton], !running);
  setUsable(a.buttons[kStopButton], running);
  setUsable(a.buttons[kPlayButton], !running);
}

void EditorFrame::startTestRun(bool fromToolbar) {
  if (!files_.isOpen() || state_.runState() != 0) return;
  state_.setToolbarStart(fromToolbar);
  RunHost host(*this);
  TestRun(files_.document()->project(), files_.document()->path(), state_, host).run();
}

}  // namespace pryx::editor
