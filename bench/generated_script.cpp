#include "bench/generated_script.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"

namespace pryx::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kCgs = 30, kChrs = 10, kBgms = 8, kVariables = 20;

std::string pageName(int page) { return "ページ" + std::to_string(page); }

}  // namespace

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

void writeScriptFolder(const fs::path& folder, int pages) {
  fs::remove_all(folder);
  fs::create_directories(folder / "res");
  auto touch = [&](const std::string& name) {
    platform::writeFileReplacing(platform::fromFsPath(folder / "res" / name), "x");
  };
  for (int i = 1; i <= kCgs; ++i) touch("bg" + std::to_string(i) + ".BMP");
  for (int i = 1; i <= kChrs; ++i) touch("chr" + std::to_string(i) + ".BMP");
  for (int i = 1; i <= kBgms; ++i) touch("bgm" + std::to_string(i) + ".MID");
  platform::writeFileReplacing(platform::fromFsPath(folder / "game.PXJ"), generatedScript(pages));
}

}  // namespace pryx::bench
