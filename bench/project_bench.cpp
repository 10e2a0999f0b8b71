// The long operations on a project of 10,000 pages, the most the editor holds.

#include "authoring/page_operations.h"
#include "authoring/script_generation.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "project/game_file_build.h"
#include "project/project_file.h"
#include "tests/support/sample_projects.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

using namespace pryx;

const project::Project& largeProject() {
  static const project::Project project = project::samples::sampleProject({.pages = project::kMaxPages, .seed = 11});
  return project;
}

// The large project's file, written once into the temporary folder.
const std::string& largeProjectFile() {
  static const std::string path = [] {
    std::string file = platform::fromFsPath(std::filesystem::temp_directory_path() / "pryx-bench-project.PXK");
    platform::writeFileReplacing(file, project::encodeProjectFile(largeProject()).bytes);
    return file;
  }();
  return path;
}

void countBytes(benchmark::State& state) {
  auto fileBytes = static_cast<std::int64_t>(std::filesystem::file_size(platform::toFsPath(largeProjectFile())));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fileBytes);
}

// What opening a project cannot go below: its file read and decoded to UTF-8.
void readAndDecodeProjectFile(benchmark::State& state) {
  for (auto _ : state) {
    auto bytes = platform::readWholeFile(largeProjectFile());
    std::string text =
        platform::decodeSjis(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    benchmark::DoNotOptimize(text.data());
  }
  countBytes(state);
}

// Goal: at most 5 times readAndDecodeProjectFile.
void openProject(benchmark::State& state) {
  for (auto _ : state) {
    project::DecodedProject decoded = project::openProjectFile(largeProjectFile());
    if (!decoded.project) state.SkipWithError("the project file was refused");
    benchmark::DoNotOptimize(decoded);
  }
  countBytes(state);
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

BENCHMARK(readAndDecodeProjectFile)->Unit(benchmark::kMillisecond);
BENCHMARK(openProject)->Unit(benchmark::kMillisecond);
BENCHMARK(saveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(generateScript)->Unit(benchmark::kMillisecond);
BENCHMARK(buildGameFile)->Unit(benchmark::kMillisecond);
BENCHMARK(deleteFirstPage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  pryx::platform::removeFile(largeProjectFile());
  return 0;
}
