// The player engine headless: starting a game of 10,000 pages (the label, text and
// button chains and the tables read before the first instruction), and running
// 100,000 instructions — once in a loop of variable operations and conditions, once
// through pages that type a message and offer a choice. Goals: starting 10,000 pages
// within 50 ms; the interpreter loop at least a million instructions a second.

#include <benchmark/benchmark.h>

#include "player/gamefile/writer.h"
#include "player/headless/headless_display.h"
#include "player/headless/recording_sequencer.h"
#include "player/headless/route.h"
#include "player/headless/scripted_host.h"
#include "player/player.h"
#include "tests/media/temporary_folder.h"

namespace {

using namespace pryx;
using gamefile::Opcode;

constexpr int kPages = 10000;
constexpr std::int64_t kInstructions = 100000;

// Pages as the distribution builder writes them: a label, picture, character and
// music (none here), a message, two buttons that jump on, and the wait.
std::vector<std::uint8_t> pagesGame() {
  gamefile::GameFileWriter writer;
  writer.instruction(Opcode::Version, {1, 5});
  writer.instruction(Opcode::Wait, {0});
  for (int page = 1; page <= kPages; ++page) {
    writer.label();
    writer.instruction(Opcode::VarOp, {1, 2, 1});
    writer.instruction(Opcode::Cg, {0});
    writer.instruction(Opcode::Chr, {0});
    writer.text(page, "月が綺麗な夜、二人は静かに歩いていた。");
    for (int slot = 0; slot < 2; ++slot) {
      writer.button(page, slot, slot == 0 ? "先へ進む" : "はじめに戻る");
      writer.instruction(Opcode::BlockOpen);
      writer.instruction(Opcode::Jmp, {slot == 0 ? page % kPages + 1 : 1});
      writer.instruction(Opcode::BlockClose);
    }
    writer.instruction(Opcode::EvtWait);
  }
  return std::move(writer).finish(gamefile::kBuilderPools);
}

std::vector<std::uint8_t> loopGame() {
  gamefile::GameFileWriter writer;
  writer.label();
  writer.instruction(Opcode::VarOp, {1, 2, 3});
  writer.instruction(Opcode::IfB, {1, 2, 0, 1, 2, 3, 1, 1});
  writer.instruction(Opcode::Jmp, {1});
  return std::move(writer).finish(gamefile::kBuilderPools);
}

// One run on the scripted host, taking the first button at every choice.
player::RunEnd play(const std::vector<std::uint8_t>& file, std::int64_t limit, const std::string& folder) {
  player::headless::VirtualClock clock;
  player::headless::ScriptedHost host(clock);
  player::headless::RecordingSequencer sequencer(clock, {});
  player::headless::HeadlessDisplay display;
  player::PlayerOptions options;
  options.observer = &host;
  options.instructionLimit = limit;
  player::Player game(host.host(clock, sequencer, display), {folder, "bench", folder}, gamefile::GameImage(file),
                      options);
  host.attach(game);
  player::headless::Route route;
  route.choices.assign(kPages, 1);
  player::headless::RouteDriver driver(host, game, route);
  return game.run();
}

void StartTenThousandPages(benchmark::State& state) {
  pryx::test_support::TemporaryFolder folder("player-bench");
  auto file = pagesGame();
  for (auto _ : state) benchmark::DoNotOptimize(play(file, 1, folder.path()));
  state.counters["bytes"] = static_cast<double>(file.size());
}
BENCHMARK(StartTenThousandPages)->Unit(benchmark::kMillisecond);

void RunInstructions(benchmark::State& state, std::vector<std::uint8_t> (*game)()) {
  pryx::test_support::TemporaryFolder folder("player-bench");
  auto file = game();
  for (auto _ : state) benchmark::DoNotOptimize(play(file, kInstructions, folder.path()));
  state.SetItemsProcessed(state.iterations() * kInstructions);
}
BENCHMARK_CAPTURE(RunInstructions, loop, loopGame)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunInstructions, pages, pagesGame)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
