// Any bytes as a game file, played on the scripted host with a route that clicks
// through and takes the first button: loading and running must stay inside the
// file, end within the instruction limit, and never crash.

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "player/headless/headless_display.h"
#include "player/headless/recording_sequencer.h"
#include "player/headless/route.h"
#include "player/headless/scripted_host.h"
#include "player/player.h"

using namespace pryx::player;

namespace {

QTemporaryDir* saveFolder;

}  // namespace

// Fontconfig keeps what it loads for the life of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  new QGuiApplication(*argc, *argv);
  saveFolder = new QTemporaryDir;
  // The fonts are loaded once here rather than inside the first input.
  Screen screen;
  for (TextFont font : {TextFont::Message, TextFont::NovelMessage, TextFont::NovelChoice}) {
    screen.drawText("あA▼", 0, 0, Qt::white, font);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pryx::gamefile::GameImage image(std::vector<std::uint8_t>(data, data + size));
  if (!image.hasMagic()) return 0;
  GameLocation location{saveFolder->path().toStdString(), "fuzz", saveFolder->path().toStdString()};
  headless::VirtualClock clock;
  headless::ScriptedHost host(clock);
  headless::RecordingSequencer sequencer(clock, [](const std::string&) { return 1000; });
  headless::HeadlessDisplay display;
  PlayerOptions options;
  options.observer = &host;
  options.instructionLimit = 20000;
  Player player(host.host(clock, sequencer, display), location, std::move(image), options);
  host.attach(player);
  headless::Route route;
  route.choices = {1, 2, 1};
  route.menuActions = {{1, headless::MenuAction::Kind::Save, 1}, {2, headless::MenuAction::Kind::Load, 1}};
  headless::RouteDriver driver(host, player, route);
  player.run();
  return 0;
}
