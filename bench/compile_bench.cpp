// Compiling a generated script of 1,000 and 10,000 pages (text, five buttons with
// conditions and operations, resources) against merely reading and decoding the
// same file. Goals: compiling at most 5 times the reading, and 10,000 pages at most
// 11 times 1,000 pages.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "script/compiler.h"

namespace {

namespace fs = std::filesystem;
using namespace pryx;

constexpr int kCgs = 30, kChrs = 10, kBgms = 8, kVariables = 20;

std::string pageName(int page) { return "ページ" + std::to_string(page); }

// A script as the editor's generator lays it out, in UTF-8.
std::string generatedScript(int pages) {
  std::string s = "@VERSION,1,5\n";
  for (int i = 1; i <= kCgs; ++i) s += "@DEF,CG,背景" + std::to_string(i) + ",res\\bg" + std::to_string(i) + ".BMP\n";
  for (int i = 1; i <= kChrs; ++i)
    s += "@DEF,CHR,人物" + std::to_string(i) + ",res\\chr" + std::to_string(i) + ".BMP\n";
  for (int i = 1; i <= kBgms; ++i) s += "@DEF,BGM,曲" + std::to_string(i) + ",res\\bgm" + std::to_string(i) + ".MID\n";
  for (int i = 1; i <= kVariables; ++i) s += "@DEF,PARAM,変数" + std::to_string(i) + "\n";
  s += "@WAIT, 30\n@TCOLORA\n";
  for (int page = 1; page <= pages; ++page) {
    s += "#," + pageName(page) + "\n";
    s += "@CG,背景" + std::to_string(page % kCgs + 1) + "\n@CHR,人物" + std::to_string(page % kChrs + 1) + "\n@BGM,曲" +
         std::to_string(page % kBgms + 1) + "\n";
    s += "@TEXT,{\n" + std::to_string(page) +
         "ページ目。月が綺麗な夜、二人は静かに歩いていた。\n"
         "「どこへ行くの？」と彼女は尋ねた。\n}\n";
    for (int slot = 1; slot <= 5; ++slot) {
      std::string variable = "変数" + std::to_string((page + slot) % kVariables + 1);
      int target = (page * 7 + slot * 13) % pages + 1;
      s += "@BTN, " + std::to_string(slot) + ",選択肢" + std::to_string(slot) + "へ進む,{\n";
      s += "@," + variable + ",+," + std::to_string(slot) + "\n";
      s += "@IFA," + variable + ",>,10," + pageName(target) + "\n";
      s += "@IFB," + variable + ",=,3,&&,変数1,!=,0," + pageName(page) + "\n";
      s += "@JMP," + pageName(page % pages + 1) + "\n}\n";
    }
    s += "@EVTWAIT\n";
  }
  std::string crlf;
  for (char c : s) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return platform::encodeSjis(crlf);
}

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
  fs::remove_all(folder);
  fs::create_directories(folder / "res");
  auto touch = [&](const std::string& name) {
    platform::writeFileReplacing(platform::fromFsPath(folder / "res" / name), "x");
  };
  for (int i = 1; i <= kCgs; ++i) touch("bg" + std::to_string(i) + ".BMP");
  for (int i = 1; i <= kChrs; ++i) touch("chr" + std::to_string(i) + ".BMP");
  for (int i = 1; i <= kBgms; ++i) touch("bgm" + std::to_string(i) + ".MID");
  platform::writeFileReplacing(platform::fromFsPath(folder / "game.PXJ"), generatedScript(pages));
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
