#pragma once
// PRYXPlayer from start to end: finds the game file named after the program in
// the program's folder, shows the window and runs the game in it. The message
// boxes, the music and an observer of the run may be handed in (tests answer the
// questions themselves and play no sound); otherwise the program's own are used.
// The game itself may be handed in too: the editor plays a project built in memory.

#include <memory>
#include <optional>
#include <string>

#include "player/game_files.h"
#include "player/gamefile/image.h"
#include "player/host.h"
#include "player/observer.h"
#include "player/sequencer.h"
#include "player/speech.h"
#include "player/start_position.h"

namespace pryx::player {

class GameWindow;
class Player;

struct HandedInGame {
  gamefile::GameImage image;
  GameLocation location;      // the game's name and where its saves are kept
  std::string programFolder;  // where the display library and the SoundFonts lie
  ResourceLookup findResource;
  StartPosition start;
};

struct PlayerProgramOptions {
  std::string executablePath;  // the program as it runs: its name and folder find the game
  MessageBoxes* messages = nullptr;
  Sequencer* sequencer = nullptr;
  PlayObserver* observer = nullptr;
  Speech* speech = nullptr;  // null: the platform's speech service
  std::optional<HandedInGame> game;  // played instead of the game beside the program
};

class PlayerProgram {
 public:
  explicit PlayerProgram(PlayerProgramOptions options);
  ~PlayerProgram();
  PlayerProgram(const PlayerProgram&) = delete;
  PlayerProgram& operator=(const PlayerProgram&) = delete;

  // Plays the game to its end and returns the exit status. Needs a QApplication.
  int run();
  // Ends a running game as closing its window with the answer OK would.
  void end();

  // While running (null before, and when the game file could not be read).
  GameWindow* window() const { return window_.get(); }
  Player* player() const { return player_.get(); }
  // The user's text when the run ended on a fault; empty otherwise.
  const std::string& endMessage() const { return endMessage_; }
  // How the run ended; EndReason::Error also when the game could not be loaded.
  EndReason endReason() const { return endReason_; }

 private:
  struct OwnedHost;

  PlayerProgramOptions options_;
  std::unique_ptr<OwnedHost> owned_;
  std::unique_ptr<GameWindow> window_;
  std::unique_ptr<Player> player_;
  std::string endMessage_;
  EndReason endReason_ = EndReason::Error;
};

}  // namespace pryx::player
