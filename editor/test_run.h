#pragma once
// The test run: plays the open project page by page in the editor's own windows,
// straight from the model, without building it. It shows the background CG,
// plays the music, types the text at the message wait and offers the buttons,
// performs the buttons' variable operations and follows their jumps, on whole
// numbers as the game keeps them; pictures of characters, page options, the game mode and effects are left
// to the real player. A step that fails (a missing file, a reference outside its
// list, a division by zero) is passed over silently.

#include "editor/editor_state.h"
#include "editor/test_run_host.h"

#include "project/button_rules.h"
#include "project/project.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace pryx::editor {

class TestRun {
 public:
  static constexpr int kVariableEntries = 10001;  // variables 0..10000

  // `project` is read as it stands at each step: the author's text edits while
  // the run waits for a click show on the next visit of the page.
  TestRun(const project::Project& project, std::string projectPath, EditorState& state, TestRunHost& host);

  // Runs until the run ends (run state 0, the last page passed, a page without
  // buttons, a jump to page 0) or the frame abandons it (run-stop request 2).
  // The run starts at page 1, or at the selected page when started from the
  // toolbar and the author agrees.
  void run();

  // The variables' values by number, 0 until an operation sets them.
  const std::vector<std::int32_t>& variables() const { return variables_; }

 private:
  enum class PageEnd { Next, Leave };

  void start();
  void finish();
  void playPage();
  void showMedia(const project::Page& page);
  PageEnd typeText(const std::string& text);
  PageEnd awaitClick();
  void awaitChoice(const project::Page& page, std::size_t offered);
  void operate(const project::ButtonEvent& button, project::OperationTiming timing);
  void jump(const project::ButtonEvent& button);
  bool comparisonHolds(const project::Comparison& comparison) const;
  void goTo(std::int64_t page);
  bool stopped() const { return state_.runState() == 0 || state_.runStopRequest() != 0; }
  const project::Page* currentPage() const { return project_.pages.find(page_); }

  const project::Project& project_;
  std::string projectPath_;
  EditorState& state_;
  TestRunHost& host_;

  int page_ = 1;
  std::vector<std::int32_t> variables_;
  std::int64_t messageWait_ = 0;
  std::optional<std::int64_t> lastMusic_, lastBackground_;
  std::mt19937 random_;
};

}  // namespace pryx::editor
