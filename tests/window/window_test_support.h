#pragma once
// The real player window on small games written into a temporary folder: the
// program runs as it would under the name of the game, its questions are answered
// from a list, its music is only written down, and the test acts at each wait the
// run comes to.

#include <QString>
#include <QTemporaryDir>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "player/host.h"
#include "player/observer.h"
#include "player/sequencer.h"
#include "player/window/game_window.h"
#include "player/window/player_program.h"

namespace pryx::player::testing {

// Questions get the queued answers, then the default button; every box is kept.
class AnsweringDialogs final : public MessageBoxes {
 public:
  void queue(MessageAnswer answer) { answers_.push_back(answer); }
  MessageAnswer show(const MessageBoxRequest& request) override;
  const std::vector<MessageBoxRequest>& shown() const { return shown_; }
  QStringList texts() const;

 private:
  std::deque<MessageAnswer> answers_;
  std::vector<MessageBoxRequest> shown_;
};

// Music written down: what was opened and how often a piece was started.
class NotedSequencer final : public Sequencer {
 public:
  std::int64_t length = 60000;
  std::vector<std::string> opened;
  int plays = 0;
  int rewinds = 0;

  bool open(const std::string& path) override;
  void play() override { ++plays; }
  void stop() override {}
  void rewind() override { ++rewinds; }
  void close() override { open_ = false; }
  std::int64_t lengthMilliseconds() const override { return open_ ? length : 0; }

 private:
  bool open_ = false;
};

// A folder holding a game as a distribution does: the game file under the player's
// name and the display library beside it.
class GameFolder {
 public:
  // `utf8Script` is compiled into NAME.PRY; the display library is copied unless told.
  explicit GameFolder(std::string_view utf8Script, std::string name = "b", bool withDisplayLibrary = true);
  // A script or project built into the folder by `pryx build`, as authors ship it;
  // null when the build fails.
  static std::unique_ptr<GameFolder> builtFrom(const std::string& source, std::string name);

  std::string path(const std::string& fileName) const;
  void write(const std::string& fileName, const QByteArray& bytes) const;
  bool exists(const std::string& fileName) const;
  // The player program's path as it would be inside this folder.
  std::string executablePath() const { return path(name_); }
  const std::string& name() const { return name_; }

 private:
  struct Empty {};
  GameFolder(Empty, std::string name) : name_(std::move(name)) {}

  QTemporaryDir dir_;
  std::string name_;
};

// Runs the program on a folder and acts at its waits: each wait that starts takes
// the next action, which runs once the window pumps its events.
class WindowRun final : public PlayObserver {
 public:
  using Action = std::function<void(WindowRun&)>;

  explicit WindowRun(const GameFolder& folder);

  // For the next wait of `kind` (waits of other kinds are clicked through: the page
  // prompt and single-button pages by a click on the picture).
  void atWait(WaitKind kind, Action action);
  // At the first message typed (a text event), while it is being typed.
  void whileTyping(Action action) { typingAction_ = std::move(action); }

  int run();  // the exit status

  GameWindow& window() const { return *program_.window(); }
  Player& player() const { return *program_.player(); }
  PlayerProgram& program() { return program_; }
  AnsweringDialogs dialogs;
  NotedSequencer music;

  // What the run went through.
  std::vector<int> labels;
  std::vector<QString> texts;
  int waitsLeftUnanswered() const { return static_cast<int>(actions_.size()); }
  bool timedOut() const { return timedOut_; }

  // Input as the user gives it.
  void clickPicture(QPoint picturePoint = {320, 240});
  // Clicks there again and again until the wait under way ends (a novel-mode choice
  // is taken only once the engine has highlighted it).
  void keepClickingPicture(QPoint picturePoint);
  void clickButton(int slot);
  // A menu item by its name, if the user could reach it; false when not.
  bool trigger(const char* itemName);
  void pressEscape();
  void movePointer(QPoint viewPoint);

  void label(std::int32_t pc, int label) override;
  void text(std::int32_t pc, int message, const std::string& text) override;
  void waitStarted(std::int32_t pc, WaitKind kind) override;
  void waitEnded() override { clicking_.stop(); }

 private:
  struct PendingAction {
    WaitKind kind;
    Action action;
  };

  PlayerProgram program_;
  std::deque<PendingAction> actions_;
  Action typingAction_;
  QTimer clicking_;
  bool timedOut_ = false;
};

}  // namespace pryx::player::testing
