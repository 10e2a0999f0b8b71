// The story map and the search on Qt's off-screen platform: the map of a project of
// 1,000 and of 10,000 pages (the sample generator's projects with all five buttons
// of every page in use) laid out and drawn, the large one as the neighbourhood of
// its current page and whole; one jump set redrawn, once where the layer tree stays
// and once where it changes; a search over 10,000 pages.

#include "authoring/story_map.h"
#include "authoring/text_search.h"
#include "editor/editor_state.h"
#include "editor/story_map_view.h"
#include "editor/story_map_window.h"
#include "tests/support/sample_projects.h"

#include <QApplication>
#include <QCheckBox>

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace pryx;
using F = project::ButtonField;

project::Project fiveButtonProject(int pages) {
  project::Project project = project::samples::sampleProject({.pages = pages, .seed = 11});
  std::mt19937 random(5);
  for (project::Page& page : project.pages) {
    for (project::ButtonEvent& button : page.buttons) {
      if (button.inUse()) continue;
      button[F::Caption] = "Go";
      button[F::JumpTarget] = std::to_string(std::uniform_int_distribution<int>(1, pages)(random));
    }
  }
  return project;
}

struct Map {
  explicit Map(int pages) : document(fiveButtonProject(pages)) {
    state.setCurrentPage(1);
    window.show();
  }
  void drawAnew() {
    window.setDocument(nullptr);
    window.setDocument(&document);
    window.map()->viewport()->repaint();
  }
  void redraw() {
    window.refreshNow();
    window.map()->viewport()->repaint();
  }
  project::ProjectDocument document;
  editor::EditorState state;
  editor::StoryMapWindow window{state};
};

// range(1) 1: the whole map even of a large project, as "全体を表示" asks.
void mapLaidOutAndDrawn(benchmark::State& state) {
  Map map(static_cast<int>(state.range(0)));
  map.window.wholeMapBox()->setChecked(state.range(1) == 1);
  for (auto _ : state) map.drawAnew();
  state.counters["boxes"] = static_cast<double>(map.window.map()->shownPages().size());
  state.counters["arrows"] = 0;
  for (const auto& jumps : project::storyGraph(map.document.project()).jumpsFrom) state.counters["arrows"] += static_cast<double>(jumps.size());
}
BENCHMARK(mapLaidOutAndDrawn)->Args({1000, 0})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
// The neighbourhood of the current page, then the whole map.
BENCHMARK(mapLaidOutAndDrawn)->Args({project::kMaxPages, 0})->Args({project::kMaxPages, 1})->Iterations(1)
    ->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// A page and two jump targets for its fifth button: set in turn, they keep the layer
// tree as it is, or change it, as `changes` asks.
std::pair<int, std::array<std::string, 2>> jumpSet(const project::Project& project, bool changes) {
  const authoring::LayerTree before = authoring::layerTree(project::storyGraph(project));
  for (int page = 2; page <= project.pageCount(); ++page) {
    project::Project changed = project;
    const std::string was = changed.pages[page].buttons[4][F::JumpTarget];
    for (int target = 1; target <= project.pageCount(); target += 97) {
      changed.pages[page].buttons[4][F::JumpTarget] = std::to_string(target);
      if ((authoring::layerTree(project::storyGraph(changed)) != before) == changes) return {page, {std::to_string(target), was}};
    }
  }
  return {0, {}};
}

void oneJumpSetRedrawn(benchmark::State& state) {
  Map map(1000);
  map.drawAnew();
  const auto [page, targets] = jumpSet(map.document.project(), state.range(0) == 1);
  if (page == 0) {
    state.SkipWithError("no such jump");
    return;
  }
  int turn = 0;
  for (auto _ : state) {
    map.document.setButtonField(page, 4, F::JumpTarget, targets[static_cast<std::size_t>(turn++ % 2)]);
    map.redraw();
  }
}
// 0: the layer tree stays; 1: it changes, and the new layout waits for the author's pause.
BENCHMARK(oneJumpSetRedrawn)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void searchTenThousandPages(benchmark::State& state) {
  const project::Project project = fiveButtonProject(project::kMaxPages);
  std::size_t hits = 0;
  for (auto _ : state) hits = authoring::findText(project, "世界").size();
  state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(searchTenThousandPages)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
