// Compiling a generated script of 1,000 and 10,000 pages (text, five buttons with
// conditions and operations, resources) against merely reading and decoding the
// same file. Goals: compiling at most 5 times the reading, and 10,000 pages at most
// 11 times 1,000 pages.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>

#include "bench/generated_script.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "script/compiler.h"

namespace {

namespace fs = std::filesystem;
using namespace pryx;

std::map<int, fs::path>& projectFolders() {
  static std::map<int, fs::path> folders;
  return folders;
}

// A folder with the script of `pages` pages and its resource files, made once.
const fs::path& projectFolder(int pages) {
  auto& folders = projectFolders();
  auto found = folders.find(pages);
  if (found != folders.end()) return found->second;
  fs::path folder = fs::temp_directory_path() / ("pryx-bench-" + std::to_string(pages));
  bench::writeScriptFolder(folder, pages);
  return folders.emplace(pages, folder).first->second;
}

void BM_ReadAndDecode(benchmark::State& state) {
  std::string script = platform::fromFsPath(projectFolder(static_cast<int>(state.range(0))) / "game.PXJ");
  for (auto _ : state) {
    auto bytes = platform::readWholeFile(script);
    std::string text =
        platform::decodeSjis(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    benchmark::DoNotOptimize(text.data());
  }
}

void BM_Compile(benchmark::State& state) {
  const fs::path& folder = projectFolder(static_cast<int>(state.range(0)));
  script::CompileRequest request{platform::fromFsPath(folder / "game.PXJ"), platform::fromFsPath(folder / "dist"),
                                 "game", true, platform::fromFsPath(folder)};
  platform::SilentProgress progress;
  for (auto _ : state) {
    script::CompileResult result = script::progcompile(request, progress);
    if (!result.gameFileWritten) state.SkipWithError("the game file was not written");
  }
}

BENCHMARK(BM_ReadAndDecode)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const auto& [pages, folder] : projectFolders()) fs::remove_all(folder);
  return 0;
}
