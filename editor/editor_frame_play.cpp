// The frame's side of playing the project in the player: the game is built in
// memory and runs in a player window on top of the editor until it ends.

#include "editor/editor_frame.h"
#include "editor/editor_texts.h"
#include "editor/main_window.h"
#include "editor/player_start_dialog.h"
#include "editor/progress_window.h"

#include "authoring/project_play.h"
#include "platform/paths.h"
#include "player/window/player_program.h"

#include <QTemporaryDir>

#include <algorithm>

namespace pryx::editor {
namespace {

constexpr std::string_view kUntitledGame = "NoTitle";

// The player's message boxes asked through the editor's dialogs, so that tests
// answer them from their script as they answer the editor's.
class DialogsMessageBoxes final : public player::MessageBoxes {
 public:
  explicit DialogsMessageBoxes(Dialogs& dialogs) : dialogs_(dialogs) {}

  player::MessageAnswer show(const player::MessageBoxRequest& request) override {
    project::Message message{request.text, request.title, iconOf(request.icon),
                             buttonsOf(request.buttons), isPositive(request.defaultAnswer)};
    switch (dialogs_.show(message)) {
      case Answer::Ok: return player::MessageAnswer::Ok;
      case Answer::Cancel: return player::MessageAnswer::Cancel;
      case Answer::Yes: return player::MessageAnswer::Yes;
      case Answer::No: return player::MessageAnswer::No;
    }
    return player::MessageAnswer::Cancel;
  }

 private:
  static project::MessageIcon iconOf(player::MessageIcon icon) {
    switch (icon) {
      case player::MessageIcon::Critical: return project::MessageIcon::Error;
      case player::MessageIcon::Question: return project::MessageIcon::Question;
      case player::MessageIcon::None:
      case player::MessageIcon::Information: return project::MessageIcon::Information;
    }
    return project::MessageIcon::Information;
  }
  static project::MessageButtons buttonsOf(player::MessageButtons buttons) {
    switch (buttons) {
      case player::MessageButtons::Ok: return project::MessageButtons::Ok;
      case player::MessageButtons::OkCancel: return project::MessageButtons::OkCancel;
      case player::MessageButtons::YesNo: return project::MessageButtons::YesNo;
    }
    return project::MessageButtons::Ok;
  }
  static bool isPositive(player::MessageAnswer answer) {
    return answer == player::MessageAnswer::Ok || answer == player::MessageAnswer::Yes;
  }

  Dialogs& dialogs_;
};

// The game's name: the project file's, as its distribution would most likely be called.
std::string gameName(const std::string& projectPath) {
  if (projectPath.empty()) return std::string(kUntitledGame);
  std::string name = platform::fileNameOf(projectPath);
  return name.substr(0, name.rfind('.'));
}

}  // namespace

void EditorFrame::playInPlayer() {
  if (!files_.isOpen() || !lists_ || playing_ != nullptr || state_.runState() != 0) return;
  const project::ProjectDocument& document = *files_.document();
  if (document.project().pageCount() == 0) {
    dialogs_.show(noPageWarning());
    return;
  }
  PlayerStartDialog dialog(document.project(), *lists_, playerStart_, dialogs_, this);
  auto start = dialog.ask(std::max(state_.currentPage(), 1));
  if (!start) return;
  storePlayerStart(playerStart_);

  // The saves of a trial are no concern of the project: they go with the folder.
  QTemporaryDir saves;
  if (!saves.isValid()) {
    dialogs_.show(project::warning("セーブ用の一時フォルダを作れませんでした。" + std::string(project::kLineBreak) +
                                   saves.errorString().toStdString()));
    return;
  }
  progress_->show("プレイヤーで実行");
  authoring::ProjectPlay play = authoring::prepareProjectPlay(document.project(), document.path(), *progress_);
  progress_->hide();

  std::string folder = saves.path().toStdString();
  DialogsMessageBoxes messages(dialogs_);
  player::PlayerProgramOptions options;
  options.messages = &messages;
  options.sequencer = &music_;
  options.game = player::HandedInGame{gamefile::GameImage(std::move(play.gameFile)),
                                      {folder, gameName(document.path()), folder},
                                      programFolder_,
                                      std::move(play.findResource),
                                      std::move(*start)};
  player::PlayerProgram program(std::move(options));

  // The stage's music makes way for the game's, and comes back afterwards.
  main_->closeMusic();
  actions_.project->menuAction()->setEnabled(false);
  setUsable(actions_.buttons[kRunButton], false);
  setUsable(actions_.buttons[kPlayButton], false);
  playing_ = &program;
  program.run();
  playing_ = nullptr;
  bool open = files_.isOpen();
  actions_.project->menuAction()->setEnabled(open);
  setUsable(actions_.buttons[kRunButton], open);
  setUsable(actions_.buttons[kPlayButton], open);
  if (open) state_.showPageAgain(state_.currentPage());
}

}  // namespace pryx::editor
