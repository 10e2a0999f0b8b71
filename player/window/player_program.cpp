#include "player/window/player_program.h"

#include <cstdlib>
#include <iostream>
#include <optional>

#include "player/game_files.h"
#include "player/messages.h"
#include "player/music/fluid_sequencer.h"
#include "player/player.h"
#include "player/qt_host/dialog_message_boxes.h"
#include "player/qt_host/event_loop.h"
#include "player/window/game_window.h"
#include "player/window/library_display.h"
#include "player/window/qt_speech.h"

namespace pryx::player {

// What the program makes for itself when nothing was handed in.
struct PlayerProgram::OwnedHost {
  QtEventPump events;
  ElapsedClock clock;
  DialogMessageBoxes dialogs;
  std::optional<FluidSequencer> music;
  std::optional<LibraryDisplay> display;
  QtSpeech speech;
  std::optional<ReadMarksFile> readMarks;
};

PlayerProgram::PlayerProgram(PlayerProgramOptions options)
    : options_(std::move(options)), owned_(std::make_unique<OwnedHost>()) {}

PlayerProgram::~PlayerProgram() = default;

int PlayerProgram::run() {
  MessageBoxes& messages = options_.messages ? *options_.messages : owned_->dialogs;
  PlayerOptions playerOptions;
  playerOptions.observer = options_.observer;
  GameLocation location;
  std::optional<gamefile::GameImage> image;
  std::string programFolder;
  if (options_.game) {
    location = options_.game->location;
    image = std::move(options_.game->image);
    programFolder = options_.game->programFolder;
    playerOptions.findResource = options_.game->findResource;
    playerOptions.start = options_.game->start;
  } else {
    location = locationOfExecutable(options_.executablePath);
    image = readGameFile(gameFilePath(location));
    programFolder = location.folder;
  }
  if (!image) {
    endReason_ = EndReason::Error;
    endMessage_ = text::kLoadFailed;
    messages.show({endMessage_, text::kWarningTitle, MessageIcon::Critical});
    return endedInFailure(endReason_) ? 1 : 0;
  }

  window_ = std::make_unique<GameWindow>();
  owned_->dialogs.setParent(window_.get());
  Sequencer* sequencer = options_.sequencer;
  if (sequencer == nullptr) {
    // A check on a machine without sound has the music written into a file instead.
    const char* musicFile = std::getenv("PRYX_MUSIC_FILE");
    sequencer = &owned_->music.emplace(playerSoundFonts(programFolder),
                                       musicFile ? AudioOutput::File : AudioOutput::Device, std::cerr,
                                       musicFile ? musicFile : "");
  }
  LibraryDisplay& display = owned_->display.emplace(programFolder, messages);
  playerOptions.readMarks = &owned_->readMarks.emplace(readMarksFilePath(location), std::cerr);
  playerOptions.speech = options_.speech ? options_.speech : &owned_->speech;
  PlayerHost host{owned_->events, owned_->clock, *window_, messages, window_->menus(), window_->choiceButtons(),
                  *sequencer, display};
  player_ = std::make_unique<Player>(host, location, std::move(*image), playerOptions);
  window_->attach(*player_);
  window_->showHistoryOf(player_->history());
  display.attach(*player_);

  // The game starts once its window is up, and runs until it ends.
  window_->show();
  RunEnd end = player_->run();
  endReason_ = end.reason;
  endMessage_ = end.message;
  window_->allowClosing();
  window_->close();
  return endedInFailure(endReason_) ? 1 : 0;
}

void PlayerProgram::end() {
  if (player_) player_->endRequested(EndReason::Closed);
}

}  // namespace pryx::player
