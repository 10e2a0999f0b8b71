// The long operations on a project of 10,000 pages, the most the editor holds.

#include "authoring/page_operations.h"
#include "authoring/script_generation.h"
#include "project/game_file_build.h"
#include "project/project_file.h"
#include "tests/support/sample_projects.h"

#include <benchmark/benchmark.h>

namespace {

using namespace pryx;

const project::Project& largeProject() {
  static const project::Project project = project::samples::sampleProject({.pages = project::kMaxPages, .seed = 11});
  return project;
}

void openProject(benchmark::State& state) {
  std::string bytes = project::encodeProjectFile(largeProject()).bytes;
  for (auto _ : state) benchmark::DoNotOptimize(project::decodeProjectFile(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void saveProject(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(project::encodeProjectFile(largeProject()));
}

void generateScript(benchmark::State& state) {
  platform::SilentProgress progress;
  for (auto _ : state) benchmark::DoNotOptimize(authoring::generateScript(largeProject(), progress));
}

void buildGameFile(benchmark::State& state) {
  platform::SilentProgress progress;
  for (auto _ : state) benchmark::DoNotOptimize(project::buildGameFile(largeProject(), progress));
}

void deleteFirstPage(benchmark::State& state) {
  platform::SilentProgress progress;
  for (auto _ : state) {
    state.PauseTiming();
    project::ProjectDocument document(largeProject());
    state.ResumeTiming();
    benchmark::DoNotOptimize(authoring::deletePage(document, 1, progress));
  }
}

BENCHMARK(openProject)->Unit(benchmark::kMillisecond);
BENCHMARK(saveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(generateScript)->Unit(benchmark::kMillisecond);
BENCHMARK(buildGameFile)->Unit(benchmark::kMillisecond);
BENCHMARK(deleteFirstPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
