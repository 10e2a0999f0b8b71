#pragma once
// Every question the editor's windows ask goes through this one interface: the
// program answers with Qt's dialogs, tests with a script of answers.

#include "project/message.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pryx::editor {

enum class Answer { Ok, Cancel, Yes, No };

// True for the answers that go on: OK and Yes.
inline bool accepted(Answer answer) { return answer == Answer::Ok || answer == Answer::Yes; }

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual Answer show(const project::Message& message) = 0;
  // The text typed, or nullopt when the box was cancelled.
  virtual std::optional<std::string> input(const project::InputRequest& request) = 0;
  // The chosen file's path, or nullopt when the dialog was cancelled.
  virtual std::optional<std::string> openFile(const project::FileDialogRequest& request) = 0;
  virtual std::optional<std::string> saveFile(const project::FileDialogRequest& request) = 0;
  // A colour 0x00BBGGRR, or nullopt when the dialog was cancelled.
  virtual std::optional<std::int32_t> chooseColour(std::int32_t initial) = 0;
};

}  // namespace pryx::editor
