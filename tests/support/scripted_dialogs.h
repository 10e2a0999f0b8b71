#pragma once
// The editor's dialogs answered from a script: each question takes the next answer
// of its kind, and every request is kept so that tests can check what was asked.
// A question with no answer left is a test failure, never a hang.

#include "editor/dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace pryx::testing {

class ScriptedDialogs final : public editor::Dialogs {
 public:
  std::deque<editor::Answer> answers;
  std::deque<std::optional<std::string>> inputs;
  std::deque<std::optional<std::string>> files;  // open and save dialogs alike
  std::deque<std::optional<std::int32_t>> colours;

  std::vector<project::Message> shown;
  std::vector<project::InputRequest> asked;
  std::vector<project::FileDialogRequest> fileDialogs;
  // Runs once inside the next dialog, before it is answered: what the author (or an
  // accessibility client) does behind an open box.
  std::function<void()> behindNextDialog;

  editor::Answer show(const project::Message& message) override {
    shown.push_back(message);
    if (message.buttons == project::MessageButtons::Ok) return editor::Answer::Ok;
    return next(answers, "message box");
  }
  std::optional<std::string> input(const project::InputRequest& request) override {
    asked.push_back(request);
    return next(inputs, "input box");
  }
  std::optional<std::string> openFile(const project::FileDialogRequest& request) override {
    fileDialogs.push_back(request);
    return next(files, "file dialog");
  }
  std::optional<std::string> saveFile(const project::FileDialogRequest& request) override {
    fileDialogs.push_back(request);
    return next(files, "file dialog");
  }
  std::optional<std::int32_t> chooseColour(std::int32_t) override { return next(colours, "colour dialog"); }

 private:
  template <typename T>
  T next(std::deque<T>& script, const char* what) {
    if (auto behind = std::exchange(behindNextDialog, nullptr)) behind();
    if (script.empty()) throw std::logic_error(std::string("unexpected ") + what);
    T answer = std::move(script.front());
    script.pop_front();
    return answer;
  }
};

}  // namespace pryx::testing
