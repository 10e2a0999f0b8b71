#pragma once
// Plays a game file without a window along a route: the engine on the scripted host
// with a virtual clock, music written down instead of played, and optionally a trace
// and a picture at every wait.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "player/headless/route.h"
#include "player/observer.h"
#include "player/player.h"

namespace pryx::player::headless {

struct HeadlessRequest {
  std::string gameFile;
  Route route;
  std::string saveFolder;        // empty: beside the game file, as the player keeps them
  std::ostream* trace = nullptr;  // JSON lines
  std::string framesFolder;      // empty: no pictures
  // A game that loops without waiting for a choice would run for ever: the run ends
  // with step-limit after this many instructions.
  std::int64_t maxSteps = kDefaultMaxSteps;
  // A game built in memory (a project's) is played instead of the file; gameFile then
  // only names the game and where its saves are.
  std::optional<gamefile::GameImage> image;
  ResourceLookup findResource;  // empty: the resource files beside the game file
  StartPosition start;

  static constexpr std::int64_t kDefaultMaxSteps = 100'000'000;
};

struct HeadlessResult {
  bool loaded = false;  // false: the game file could not be read or is no game file
  RunEnd end{EndReason::Error, {}};
  std::string routeProblem;
  int frames = 0;
  std::string frameFailure;
  std::vector<MessageBoxRequest> messages;  // every message box and question shown
};

HeadlessResult playHeadless(const HeadlessRequest& request);

}  // namespace pryx::player::headless
