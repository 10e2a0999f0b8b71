#pragma once
// A host for the editor's test run without windows: a virtual clock that moves
// only on sleeps, the author's input given in advance (at moments of the clock, or
// one input per wait for a click or a button), and a record of what the run
// showed. A wait with no input left ends the run as the toolbar's stop does, so a
// test never hangs.

#include "editor/editor_state.h"
#include "editor/test_run_host.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pryx::testing {

class ScriptedRunHost final : public editor::TestRunHost {
 public:
  using Input = std::function<void(editor::EditorState&)>;

  explicit ScriptedRunHost(editor::EditorState& state) : state_(state) {}

  // Input at a moment of the clock, given at the first pump from then on.
  void at(std::int64_t moment, Input input) { timed_.push_back({moment, std::move(input)}); }
  // Input for the next wait for a click or a button.
  void then(Input input) { waitInputs_.push_back(std::move(input)); }
  // Waits without buttons (one-button pages) get a click and leave the inputs to the choices.
  void clickThroughLoneButtons() { clickThrough_ = true; }
  void answer(editor::Answer answer) { answers_.push_back(answer); }
  void setSelectedPage(int page) { selectedPage_ = page; }
  // Called as each page's message starts, with the page being played.
  void onPage(std::function<void(int)> observer) { onPage_ = std::move(observer); }

  std::int64_t now() const { return now_; }
  const std::vector<int>& pages() const { return pages_; }
  const std::string& message() const { return message_; }
  const std::vector<project::Message>& questions() const { return questions_; }
  // The captions of each list of buttons offered, in order.
  const std::vector<std::vector<std::string>>& offered() const { return offered_; }
  bool inRunMode() const { return inRunMode_; }
  // The page selected when the run ended (0: none); nullopt while it has not ended that way.
  std::optional<int> leftAt() const { return leftAt_; }

  void pumpEvents() override;
  void sleep(int milliseconds) override { now_ += milliseconds; }
  std::int64_t milliseconds() override { return now_; }
  int selectedPage() override { return selectedPage_; }
  void enterRunMode() override;
  void leaveRunMode(int page) override;
  void playMusic(const std::string&) override {}
  void showBackground(const std::string&) override {}
  void startMessage() override;
  void appendMessage(std::string_view characters) override { message_ += characters; }
  void setMessage(const std::string& text) override { message_ = text; }
  void showButtons(const std::array<std::string, project::kButtonSlots>& captions) override;
  void showButtonWindow() override {}
  void hideButtons() override { buttonsShown_ = false; }
  editor::Answer ask(const project::Message& question) override;

 private:
  struct Timed {
    std::int64_t moment;
    Input input;
  };

  editor::EditorState& state_;
  std::int64_t now_ = 0;
  std::vector<Timed> timed_;
  std::deque<Input> waitInputs_;
  std::deque<editor::Answer> answers_;
  bool clickThrough_ = false;
  int selectedPage_ = 0;
  std::function<void(int)> onPage_;

  bool inRunMode_ = false;
  bool buttonsShown_ = false;
  std::optional<int> leftAt_;
  std::vector<int> pages_;
  std::string message_;
  std::vector<project::Message> questions_;
  std::vector<std::vector<std::string>> offered_;
};

// The author's inputs as the windows give them.
ScriptedRunHost::Input clickStage();          // left click in the main window
ScriptedRunHost::Input doubleClickMessage();  // double-click in the message window
ScriptedRunHost::Input pressButton(int slot);  // command button of slot 0..4
ScriptedRunHost::Input stopRun();             // the toolbar's stop
ScriptedRunHost::Input closeFrame();

}  // namespace pryx::testing
