// The drawing a page costs the player: a new CG (stretch and novel-mode darkening), a
// character mask, a redraw of picture and character, and typing one character.
// Goal: a whole novel-mode page of 320 characters with its redraw well under 20 ms,
// so that message wait 0 and the headless player are limited by nothing here.

#include <benchmark/benchmark.h>

#include "player/screen/screen.h"

namespace {

using namespace pryx::player;

Picture gradient(int width, int height, bool withKey) {
  Picture picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.row(y)[x] = withKey && x < width / 2 ? pixelOf(255, 0, 255) : pixelOf(x % 256, y % 256, (x + y) % 256);
  return picture;
}

void ShowAndDarkenCg(benchmark::State& state) {
  Screen screen;
  const Picture cg = gradient(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)) * 3 / 4, false);
  for (auto _ : state) {
    screen.showCg(cg);
    screen.darkenCg();
  }
}
BENCHMARK(ShowAndDarkenCg)->Arg(320)->Arg(640);

void LoadCharacter(benchmark::State& state) {
  Screen screen;
  const Picture character = gradient(640, 480, true);
  for (auto _ : state) screen.loadCharacter(character, -1, true);
}
BENCHMARK(LoadCharacter);

void NovelRedrawWithCharacter(benchmark::State& state) {
  Screen screen;
  screen.showCg(gradient(640, 480, false));
  screen.darkenCg();
  screen.loadCharacter(gradient(640, 480, true), -1, true);
  for (auto _ : state) screen.formRedraw(true, true, true);
}
BENCHMARK(NovelRedrawWithCharacter);

void TypeOneCharacter(benchmark::State& state) {
  Screen screen;
  const std::u32string character = U"月";
  for (auto _ : state) {
    screen.drawText(character, 7, 7, kBlackColour, TextFont::NovelMessage);
    screen.drawText(character, 5, 5, kWhiteColour, TextFont::NovelMessage);
  }
}
BENCHMARK(TypeOneCharacter);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
