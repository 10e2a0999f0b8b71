#include "player/headless/headless_play.h"

#include "platform/files.h"
#include "player/headless/frame_writer.h"
#include "player/headless/headless_display.h"
#include "player/headless/observer_list.h"
#include "player/headless/recording_sequencer.h"
#include "player/headless/scripted_host.h"
#include "player/headless/trace_writer.h"
#include "player/messages.h"
#include "player/music/midi_length.h"

namespace pryx::player::headless {
namespace {

std::int64_t pieceLength(const std::string& path) {
  auto bytes = platform::readWholeFile(path);
  return bytes ? midiLengthMilliseconds(*bytes).value_or(0) : 0;
}

}  // namespace

HeadlessResult playHeadless(const HeadlessRequest& request) {
  HeadlessResult result;
  GameLocation location = locationOfGameFile(request.gameFile);
  if (!request.saveFolder.empty()) location.saveFolder = request.saveFolder;

  std::optional<TraceWriter> trace;
  if (request.trace) trace.emplace(*request.trace);

  auto image = request.image ? request.image : readGameFile(request.gameFile);
  if (!image) {
    result.end = {EndReason::Error, text::kLoadFailed};
    result.messages.push_back({text::kLoadFailed, text::kWarningTitle, MessageIcon::Critical});
    if (trace) trace->ended(0, EndReason::Error, result.end.message);
    return result;
  }
  result.loaded = true;

  VirtualClock clock;
  ScriptedHost host(clock);
  RecordingSequencer sequencer(clock, pieceLength);
  HeadlessDisplay display;
  FrameWriter frames(request.framesFolder);
  ObserverList observers{&host};
  if (trace) observers.add(*trace);
  if (!request.framesFolder.empty()) observers.add(frames);

  PlayerOptions options;
  options.observer = &observers;
  options.instructionLimit = request.maxSteps;
  // Pixels are drawn only for the pictures asked for; the course of the run and its
  // trace are the same without them.
  options.drawsPictures = !request.framesFolder.empty();
  options.start = request.start;
  options.findResource = request.findResource;
  Player player(host.host(clock, sequencer, display), location, std::move(*image), options);
  host.attach(player);
  frames.watch(player.screen());
  RouteDriver driver(host, player, request.route);

  result.end = player.run();
  result.routeProblem = driver.problem();
  result.frames = frames.written();
  result.frameFailure = frames.failure();
  result.messages = host.messages();
  return result;
}

}  // namespace pryx::player::headless
