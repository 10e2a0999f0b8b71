#pragma once
// The dialogs the frame hands every window, counting the questions open. While one
// is, the window that asked waits inside it: whatever ends the project must wait
// too, or that window would come back to a project that is gone.

#include "editor/dialogs.h"

namespace pryx::editor {

class AskingDialogs final : public Dialogs {
  template <typename Question>
  auto ask(Question question) {
    struct Open {
      int& count;
      explicit Open(int& c) : count(c) { ++count; }
      ~Open() { --count; }
    } open(open_);
    return question();
  }

 public:
  explicit AskingDialogs(Dialogs& answering) : answering_(answering) {}

  bool asking() const { return open_ > 0; }

  Answer show(const project::Message& message) override { return ask([&] { return answering_.show(message); }); }
  std::optional<std::string> input(const project::InputRequest& request) override {
    return ask([&] { return answering_.input(request); });
  }
  std::optional<std::string> openFile(const project::FileDialogRequest& request) override {
    return ask([&] { return answering_.openFile(request); });
  }
  std::optional<std::string> saveFile(const project::FileDialogRequest& request) override {
    return ask([&] { return answering_.saveFile(request); });
  }
  std::optional<std::int32_t> chooseColour(std::int32_t initial) override {
    return ask([&] { return answering_.chooseColour(initial); });
  }

 private:
  Dialogs& answering_;
  int open_ = 0;
};

}  // namespace pryx::editor
