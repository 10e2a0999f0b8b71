// The project commands of the pryx tool, run as an author runs them.

#include "project/game_file_build.h"
#include "project/project_file.h"

#include "tests/support/tool_folder.h"

#include "platform/cut_fonts.h"
#include "platform/distribution_files.h"
#include "platform/font_subset.h"
#include "platform/midi_presets.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "platform/soundfont_cut.h"
#include "platform/soundfont_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace pryx::project {
namespace {

namespace fs = std::filesystem;
using F = ButtonField;

using ProjectCommands = testing::ToolFolder;

Project twoPageProject() {
  Project project = newProject();
  project.pages.append(Page{"終わり", "おしまい", {}, {}, {}, {}, {}});
  project.pages[1].buttons[0][F::Caption] = "次へ";
  return project;
}

TEST_F(ProjectCommands, ResaveTurnsAnOldFileIntoACurrentOne) {
  std::string old = "50\r\nDefault\r\nDefault\r\n1\r\n0\r\n-1\r\n{\r\n}\r\n{\r\n}\r\n{\r\n}\r\n{\r\n}\r\n@,TopPage\r\n\r\n\r\n\r\n{\r\n\r\n}\r\n";
  write("old.pxk", old);
  EXPECT_EQ(pryx("resave old.pxk new.PXK"), 0);
  EXPECT_EQ(read("new.PXK"), encodeProjectFile(newProject()).bytes);
  EXPECT_EQ(pryx("resave missing.PXK x.PXK"), 1);
  EXPECT_EQ(pryx("resave old.pxk"), 2);
  write("newer.PXK", "50\r\n106\r\n");
  EXPECT_EQ(pryx("resave newer.PXK x.PXK"), 1);
  EXPECT_NE(read("errors.txt").find("ファイルをオープンできませんでした。"), std::string::npos);
}

TEST_F(ProjectCommands, ScriptWritesShiftJisWithCrLf) {
  write("game.PXK", encodeProjectFile(twoPageProject()).bytes);
  ASSERT_EQ(pryx("script game.PXK"), 0);
  std::string expected = platform::encodeSjis(
      "@VERSION,1,5\r\n@WAIT,50\r\n@GAMEMODE,1\r\n@EFFECT,0\r\n@TCOLORA\r\n#,TopPage\r\n@CG,\r\n@CHR,\r\n@BGM,\r\n"
      "@BTN, 1,次へ,{\r\n@JMP,終わり\r\n}\r\n@EVTWAIT\r\n#,終わり\r\n@CG,\r\n@CHR,\r\n@BGM,\r\n@TEXT,{\r\nおしまい\r\n}\r\n@END");
  EXPECT_EQ(read("output.txt"), expected);
  ASSERT_EQ(pryx("script game.PXK -o game.PXJ"), 0);
  EXPECT_EQ(read("game.PXJ"), expected);
  EXPECT_EQ(pryx("script game.PXK -o missing/game.PXJ"), 1);
}

TEST_F(ProjectCommands, BuildWritesTheGameFileAndFailsWhenAStepFails) {
  write("game.pxk", encodeProjectFile(twoPageProject()).bytes);
  // A copy of the tool with no player beside it: copying the player fails.
  std::filesystem::create_directories(path("lonely"));
  std::filesystem::copy_file(PRYX_TOOL, path("lonely/pryx"));
  EXPECT_EQ(pryx("build game.pxk --out dist --name game", path("lonely/pryx")), 1);
  std::string game = read("dist/game.PRY");
  platform::SilentProgress progress;
  auto expected = buildGameFile(twoPageProject(), progress);
  EXPECT_EQ(std::vector<std::uint8_t>(game.begin(), game.end()), expected);
  EXPECT_NE(read("output.txt").find("PRYXPlayer"), std::string::npos);
  EXPECT_EQ(pryx("build game.pxk --out dist --name ../escape"), 2);
  EXPECT_EQ(pryx("build game.pxk --name game"), 2);
}

TEST_F(ProjectCommands, CheckReportsFindings) {
  Project project = twoPageProject();
  project.pages[1].buttons[0][F::JumpTarget] = "7";
  write("game.PXK", encodeProjectFile(project).bytes);
  write("clean.PXK", encodeProjectFile(twoPageProject()).bytes);
  EXPECT_EQ(pryx("check clean.PXK"), 0);
  EXPECT_EQ(pryx("check game.PXK"), 1);
  EXPECT_EQ(read("output.txt"),
            "game.PXK: page 1 \"TopPage\", button 1: jump target 7 is not a page (2 pages)\n"
            "game.PXK: page 2 \"終わり\": no route from page 1 reaches the page\n"
            "game.PXK: note: page 2 \"終わり\": the page has no button: the game ends here\n");
  EXPECT_EQ(pryx("check absent.PXK"), 2);

  // Resource files are looked for beside the project.
  Project withPictures = twoPageProject();
  withPictures.cgs.append({"forest", "pictures\\forest.BMP"});
  withPictures.cgs.append({"sea", "pictures/sea.BMP"});
  fs::create_directories(folder_ / "pictures");
  write("pictures/forest.BMP", "BM");
  write("pictures.PXK", encodeProjectFile(withPictures).bytes);
  EXPECT_EQ(pryx("check pictures.PXK"), 1);
  EXPECT_EQ(read("output.txt").substr(0, read("output.txt").find('\n')),
            "pictures.PXK: CG 2 \"sea\": the file pictures/sea.BMP does not exist, so it cannot ship");

  // Scripts and projects in one run, each checked by its own rules.
  write("story.PXJ", "@VERSION,1,5\r\n#,Top\r\n@JMP,Nowhere\r\n");
  EXPECT_EQ(pryx("check clean.PXK story.PXJ"), 1);
  std::string output = read("output.txt");
  EXPECT_EQ(output.substr(0, output.find("story")), "clean.PXK: note: page 2 \"終わり\": the page has no button: the game "
                                                   "ends here\nclean.PXK: no findings\n");
  EXPECT_NE(output.find("story.PXJ:3: unknown label"), std::string::npos);
  // Under a Japanese locale the script's findings are Japanese.
  setenv("LC_ALL", "ja_JP.UTF-8", 1);
  EXPECT_EQ(pryx("check story.PXJ"), 1);
  unsetenv("LC_ALL");
  EXPECT_NE(read("output.txt").find("story.PXJ:3: 不明なラベル \"Nowhere\" です。"), std::string::npos) << read("output.txt");
}

// A project folder moves as a whole: its relative resource paths count from the
// project file's folder, wherever the tool runs.
TEST_F(ProjectCommands, RelativeResourcePathsCountFromTheProjectFilesFolder) {
  Project project = twoPageProject();
  project.cgs.append({"forest", "pictures/forest.BMP"});
  fs::create_directories(folder_ / "story/pictures");
  write("story/pictures/forest.BMP", "BM");
  write("story/game.PXK", encodeProjectFile(project).bytes);
  EXPECT_EQ(pryx("check story/game.PXK"), 0);
  ASSERT_EQ(pryx("script story/game.PXK -o elsewhere.PXJ"), 0);
  EXPECT_NE(read("elsewhere.PXJ").find("@DEF,CG,forest," + path("story/pictures/forest.BMP") + "\r\n"), std::string::npos);
  ASSERT_EQ(pryx("build story/game.PXK --out dist --name game"), 0);
  EXPECT_EQ(read("dist/forest.BMP"), "BM");
  fs::remove(folder_ / "story/pictures/forest.BMP");
  EXPECT_EQ(pryx("check story/game.PXK"), 1);
  EXPECT_EQ(read("output.txt").substr(0, read("output.txt").find('\n')),
            "story/game.PXK: CG 1 \"forest\": the file pictures/forest.BMP does not exist, so it cannot ship");
}

// A distribution holds exactly the runtime staged beside the tool, each file as it
// was staged (the player under the game's name, the fonts cut down to what the game
// shows, the SoundFont cut down to the game's music), the game file and the resources.
TEST_F(ProjectCommands, TheDistributionHoldsTheToolsRuntimeAndTheGame) {
  const std::string runtime = platform::GetPath(platform::folderOf(PRYX_TOOL), platform::kRuntimeFolderName);
  const std::vector<std::string> runtimeFiles = platform::runtimeFiles(runtime);
  ASSERT_GT(runtimeFiles.size(), 2u) << "no runtime staged in " << runtime;
  const std::string sample = PRYX_SOURCE_DIR "/samples/tsukiyo/tsukiyo.PXK";
  ASSERT_EQ(pryx("build '" + sample + "' --out dist --name 月夜"), 0) << read("errors.txt");

  std::set<std::string> expected{"月夜.PRY"};
  std::optional<Project> project = openProjectFile(sample).project;
  ASSERT_TRUE(project);
  std::vector<platform::Bytes> music;
  for (ResourceKind kind : kResourceKinds) {
    for (const Resource& resource : project->resources(kind)) {
      expected.insert(platform::fileNameOf(resource.path));
      if (kind == ResourceKind::Bgm) music.push_back(*platform::readWholeFile(resourceFilePath(sample, resource.path)));
    }
  }
  const auto presets = platform::presetsReachedBy(std::vector<std::span<const std::uint8_t>>(music.begin(), music.end()));
  ASSERT_TRUE(presets);
  for (const std::string& file : runtimeFiles) {
    // A font goes cut down to the game's characters where HarfBuzz can cut it.
    const platform::CutFont* cut = platform::cutFontOf(file);
    if (cut && fs::exists(folder_ / "dist" / cut->file)) {
      expected.insert({std::string(cut->file), std::string(platform::kCutFontNoteName)});
      const auto gameFile = platform::readWholeFile(path("dist/月夜.PRY"));
      ASSERT_TRUE(gameFile);
      const std::vector<char32_t> shown = platform::charactersOfGameFile(*gameFile);
      EXPECT_EQ(platform::fontCharacters(path("dist/" + std::string(cut->file)), shown),
                platform::fontCharacters(runtime + "/" + file, shown));
      continue;
    }
    const std::string name = file == platform::playerProgramFileName() ? "月夜" : file;
    expected.insert(name);
    std::optional<platform::Bytes> staged = platform::readWholeFile(runtime + "/" + file);
    if (platform::isSoundFontName(file)) staged = platform::cutSoundFont(*staged, *presets, nullptr);
    EXPECT_EQ(platform::readWholeFile(path("dist/" + name)), staged) << name;
  }
  std::set<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder_ / "dist")) {
    if (!entry.is_directory()) found.insert(fs::relative(entry.path(), folder_ / "dist").string());
  }
  EXPECT_EQ(found, expected);
  EXPECT_NE(fs::status(folder_ / "dist/月夜").permissions() & fs::perms::owner_exec, fs::perms::none);
}

// Every byte a Japanese system wrote survives open and save; a byte that is no
// character at all becomes "?", and the warning and the check say the same.
TEST_F(ProjectCommands, OpenAndSaveKeepEveryShiftJisByteAndNameTheRest) {
  const std::string original = encodeProjectFile(twoPageProject()).bytes;
  const std::string message = platform::encodeSjis("おしまい");
  const auto withMessage = [&](std::string_view bytes) {
    std::string file = original;
    return file.replace(file.find(message), message.size(), bytes);
  };
  write("corners.PXK", withMessage("\x80\xA0\xFD\xFE\xFF\x87\x40\xFA\x40\xB1"));
  EXPECT_EQ(pryx("resave corners.PXK resaved.PXK"), 0);
  EXPECT_EQ(read("resaved.PXK"), read("corners.PXK"));
  EXPECT_EQ(read("errors.txt"), "");

  write("broken.PXK", withMessage("a\x82"));  // a lead byte without its partner
  EXPECT_EQ(pryx("check broken.PXK"), 0);
  EXPECT_EQ(read("errors.txt"), "pryx check: broken.PXK: Shift-JIS の文字にならないバイトを「?」に置き換えました。\n");
  EXPECT_EQ(read("output.txt").substr(read("output.txt").find('\n') + 1), "broken.PXK: no findings\n");
  EXPECT_EQ(pryx("resave broken.PXK resaved.PXK"), 1);  // written, but not as it was
  EXPECT_EQ(read("resaved.PXK"), withMessage("a?"));
}

}  // namespace
}  // namespace pryx::project
