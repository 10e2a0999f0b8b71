#pragma once
// "コマンド入力": the page's five command buttons `Command1`(0..4) showing their
// captions. Clicking one asks for its caption; during a test run it is the choice.

#include "editor/child_window.h"
#include "editor/dialogs.h"
#include "editor/editor_state.h"

#include "project/document.h"

#include <QPushButton>

#include <array>

namespace pryx::editor {

class CommandWindow final : public ChildWindow {
  Q_OBJECT

 public:
  CommandWindow(EditorState& state, Dialogs& dialogs, QWidget* parent = nullptr);

  void setDocument(project::ProjectDocument* document);
  QPushButton* button(int slot) const { return buttons_[static_cast<std::size_t>(slot)]; }

 private:
  void Command1_Click(int slot);
  void showCaptions();

  EditorState& state_;
  Dialogs& dialogs_;
  project::ProjectDocument* document_ = nullptr;
  std::array<QPushButton*, project::kButtonSlots> buttons_{};
  platform::Subscription documentSubscription_;
  platform::Subscription stateSubscription_;
};

}  // namespace pryx::editor
