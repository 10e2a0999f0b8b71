// Any bytes as a game file, played on the scripted host with a route that clicks
// through and takes the first button: loading and running must stay inside the
// file, end within the instruction limit, and never crash. Only the interpreter
// works per input: nothing is drawn and no file is looked up, read or written.

#include <cstdint>
#include <cstdlib>
#include <map>
#include <vector>

#include "player/game_files.h"
#include "player/headless/recording_sequencer.h"
#include "player/headless/route.h"
#include "player/headless/scripted_host.h"
#include "player/player.h"

using namespace pryx::player;

namespace {

// Saves and loads run as often as the input asks; in memory they write no file.
class SavesInMemory final : public SaveSlots {
 public:
  bool exists(int slot) const override { return slots_.contains(slot); }
  std::optional<pryx::platform::Bytes> read(int slot) const override {
    auto found = slots_.find(slot);
    if (found == slots_.end()) return std::nullopt;
    return found->second;
  }
  bool write(int slot, const pryx::platform::Bytes& bytes) override {
    slots_[slot] = bytes;
    return true;
  }

 private:
  std::map<int, pryx::platform::Bytes> slots_;
};

// The run is about the interpreter: the display library's pixel work over the whole
// 640 x 480 picture has tests of its own and is left out.
class NoDisplay final : public DisplayFunctions {
 public:
  void DispChange(std::int32_t) override {}
  void FullScreenMode(void*) override {}
  void ABox(ZorvexSurface&, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
            std::int32_t, std::int32_t) override {}
  void Blend(ZorvexSurface&, std::int32_t, std::int32_t, const ZorvexSurface&, std::int32_t, std::int32_t,
             std::int32_t, std::int32_t) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pryx::gamefile::GameImage image(std::vector<std::uint8_t>(data, data + size));
  if (!image.hasMagic()) return 0;
  // No picture, music or save file exists there: the run reads none.
  GameLocation location{"/nonexistent", "fuzz", "/nonexistent"};
  SavesInMemory saves;
  headless::VirtualClock clock;
  headless::ScriptedHost host(clock);
  headless::RecordingSequencer sequencer(clock, [](const std::string&) { return 1000; });
  NoDisplay display;
  PlayerOptions options;
  options.observer = &host;
  options.instructionLimit = 20000;
  options.drawsPictures = false;  // the interpreter's course is tested, not its pixels
  options.saves = &saves;
  // A resource name gets the player's checks; no folder is searched for it.
  options.findResource = [](std::string_view sjisName, std::string_view extension) -> std::optional<std::string> {
    resourceFileName(sjisName, extension);
    return std::nullopt;
  };
  Player player(host.host(clock, sequencer, display), location, std::move(image), options);
  host.attach(player);
  headless::Route route;
  route.choices = {1, 2, 1};
  route.menuActions = {{1, headless::MenuAction::Kind::Save, 1}, {2, headless::MenuAction::Kind::Load, 1}};
  headless::RouteDriver driver(host, player, route);
  player.run();
  return 0;
}
