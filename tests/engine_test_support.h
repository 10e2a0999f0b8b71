#pragma once
// A game played on the scripted host for the engine's tests: written as a script (or
// as raw bytes) into a folder of its own with its pictures and music, run to its
// end, and read back through the trace, the host's records and the picture.

#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "player/headless/headless_display.h"
#include "player/headless/observer_list.h"
#include "player/headless/recording_sequencer.h"
#include "player/headless/route.h"
#include "player/headless/scripted_host.h"
#include "player/headless/trace_writer.h"
#include "player/player.h"
#include "screen_test_support.h"

namespace pryx::player::testing {

// Remembers the clock at every event, so tests can tell how long steps took.
class ClockedEvents final : public PlayObserver {
 public:
  explicit ClockedEvents(const Clock& clock) : clock_(clock) {}
  struct Event {
    std::string what;  // "cg 3", "wait choice", "text 1", ...
    std::int64_t at;
  };
  const std::vector<Event>& events() const { return events_; }
  // The moment of the first event named `what`, or -1.
  std::int64_t momentOf(std::string_view what) const;

  void label(std::int32_t, int label) override { note("label " + std::to_string(label)); }
  void cg(std::int32_t, int cg) override { note("cg " + std::to_string(cg)); }
  void chr(std::int32_t, int chr) override { note("chr " + std::to_string(chr)); }
  void text(std::int32_t, int message, const std::string&) override { note("text " + std::to_string(message)); }
  void waitStarted(std::int32_t, WaitKind kind) override;
  void waitEnded() override { note("wait end"); }
  void ended(std::int32_t, EndReason, const std::string&) override { note("end"); }

 private:
  void note(std::string what) { events_.push_back({std::move(what), clock_.milliseconds()}); }
  const Clock& clock_;
  std::vector<Event> events_;
};

class GameRun {
 public:
  // A game compiled from a script written in UTF-8 with "\n" line ends.
  static std::unique_ptr<GameRun> fromScript(std::string_view utf8Script, std::string name = "game");
  // A game file given byte for byte.
  static std::unique_ptr<GameRun> fromBytes(std::vector<std::uint8_t> gameFile, std::string name = "game");

  // Files beside the game (pictures, music, saves).
  std::string write(const std::string& fileName, const QByteArray& bytes) const;
  std::string writePicture(const std::string& fileName, const QImage& picture) const;  // BMP or JPG by name
  std::string path(const std::string& fileName) const { return folder_.path(fileName); }
  const GameLocation& location() const { return location_; }
  // The position of label k's opcode byte (where a save restarts), -1 if none.
  std::int32_t labelPosition(int label) const;

  // Another observer of the run (before the player is created).
  void observe(PlayObserver& observer) { observers_.add(observer); }
  // Each wait of the run answered as a route says (before `run`).
  void followRoute(headless::Route route);

  // Creates the player (as the window's load does); `run` creates it when needed.
  Player& player();
  RunEnd run();

  headless::VirtualClock clock;
  headless::ScriptedHost host{clock};
  headless::RecordingSequencer sequencer{clock, [this](const std::string&) { return pieceLength; },
                                        headless::RecordingSequencer::Keep::Calls};
  headless::HeadlessDisplay display;
  ClockedEvents clocked{clock};
  std::int64_t pieceLength = 60000;
  std::int64_t instructionLimit = 0;

  // The trace lines of the run, those whose event is `event` when one is given.
  std::vector<std::string> trace(std::string_view event = {}) const;
  QImage picture() { return shown(player().screen().picture()); }
  // The message texts the player showed, in order.
  std::vector<std::string> messageTexts() const;

 private:
  GameRun(std::vector<std::uint8_t> gameFile, std::string name);

  ScratchFolder folder_;
  GameLocation location_;
  std::vector<std::uint8_t> gameFile_;
  std::ostringstream traceText_;
  headless::TraceWriter traceWriter_{traceText_};
  headless::ObserverList observers_;
  std::unique_ptr<Player> player_;
  std::unique_ptr<headless::RouteDriver> route_;
  std::unique_ptr<headless::Route> pendingRoute_;
};

inline const std::string kSampleFolder = std::string(PRYX_SOURCE_DIR) + "/samples/tsukiyo";

// The sample built once per script into a distribution folder of its own.
class SampleDistribution {
 public:
  // `script`: tsukiyo.PXJ (normal mode) or tsukiyo_novel.PXJ.
  explicit SampleDistribution(const std::string& script) {
    built_ = buildSample(script, folder_.path().toStdString());
  }
  bool built() const { return built_; }
  std::string path(const std::string& name) const { return folder_.filePath(QString::fromStdString(name)).toStdString(); }

 private:
  static bool buildSample(const std::string& script, const std::string& folder);
  QTemporaryDir folder_;
  bool built_ = false;
};

// Script lines shared by most test games: a version line and normal mode.
inline constexpr std::string_view kNormalGame = "@VERSION,1,5\n@GAMEMODE,1\n";
inline constexpr std::string_view kNovelGame = "@VERSION,1,5\n@GAMEMODE,2\n";

// The number after "key": in a trace line (0 when it has none).
std::int64_t numberField(const std::string& line, std::string_view key);
// That number from each line.
std::vector<std::int64_t> numberFields(const std::vector<std::string>& lines, std::string_view key);

// A game file of raw code: the header with every pool at the end of the code and
// no chains, then `code` from position 37.
std::vector<std::uint8_t> rawGame(const std::vector<std::uint8_t>& code);

// A click on the window at every wait that is not a list of choices.
headless::Route clickThrough(std::vector<int> choices = {});

}  // namespace pryx::player::testing
