// The browser player's entry: the page has put the game's files into FOLDER (the
// game file NAME.PRY, its pictures and music, the save files and read marks it
// keeps) and calls pryx_play(FOLDER, NAME), which returns when the run has ended.

#include <emscripten.h>

#include <ostream>

#include "player/headless/headless_display.h"
#include "player/headless/observer_list.h"
#include "player/headless/trace_writer.h"
#include "player/messages.h"
#include "player/player.h"
#include "player/web/trace_lines.h"
#include "player/web/web_host.h"
#include "player/web/web_read_marks.h"
#include "player/web/web_sequencer.h"
#include "player/web/web_speech.h"

EM_JS(void, pryx_ended, (const char* reason, const char* message), {
  Module.pryxHost.ended(UTF8ToString(reason), UTF8ToString(message));
});

using namespace pryx::player;

extern "C" EMSCRIPTEN_KEEPALIVE void pryx_play(const char* folder, const char* name) {
  GameLocation location{folder, name, folder};
  web::WebHost host(location);
  web::TraceLines lines;
  std::ostream traceStream(&lines);
  headless::TraceWriter trace(traceStream);

  auto image = readGameFile(gameFilePath(location));
  if (!image) {
    host.show({text::kLoadFailed, text::kWarningTitle, MessageIcon::Critical});
    trace.ended(0, EndReason::Error, text::kLoadFailed);
    pryx_ended(endReasonText(EndReason::Error).data(), text::kLoadFailed);
    return;
  }

  web::WebSequencer sequencer;
  web::WebSpeech speech;
  // The display library's pixel work, without a screen whose mode could change.
  headless::HeadlessDisplay display;
  headless::ObserverList observers{&host, &trace};
  web::WebReadMarks readMarks(location);
  PlayerOptions options;
  options.observer = &observers;
  options.readMarks = &readMarks;
  options.speech = &speech;
  PlayerHost playerHost{host, host, host, host, host, host, sequencer, display};
  Player player(playerHost, location, std::move(*image), options);
  host.attach(player);
  RunEnd end = player.run();
  pryx_ended(std::string(endReasonText(end.reason)).c_str(), end.message.c_str());
}
