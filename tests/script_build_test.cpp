#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/files.h"
#include "platform/paths.h"
#include "player/gamefile/image.h"
#include "script/compiler.h"
#include "script_test_support.h"

namespace pryx::script {
namespace {

namespace fs = std::filesystem;
using platform::CopyOutcome;

std::string readText(const fs::path& path) {
  auto bytes = platform::readWholeFile(platform::fromFsPath(path));
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("(missing)");
}

void writeText(const fs::path& path, std::string_view text) {
  fs::create_directories(path.parent_path());
  ASSERT_TRUE(platform::writeFileReplacing(platform::fromFsPath(path), text));
}

class RecordingProgress final : public platform::Progress {
 public:
  void show(std::string_view caption) override { calls.push_back("show " + std::string(caption)); }
  void setLabel(std::string_view text) override { calls.push_back("label " + std::string(text)); }
  void setMaximum(int maximum) override { calls.push_back("maximum " + std::to_string(maximum)); }
  void setValue(int value) override { values.push_back(value); }
  void hide() override { calls.push_back("hide"); }
  std::vector<std::string> calls;
  std::vector<int> values;
};

class Build : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            (std::string("pryx-build-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    program_ = root_ / "bin";
    script_ = root_ / "game" / "story.PXJ";
    out_ = root_ / "dist";
    fs::remove_all(root_);
    writeText(program_ / "runtime" / platform::playerProgramFileName(), "player");
    writeText(program_ / "runtime" / std::string(platform::kDisplayLibraryFileName), "library");
    writeText(root_ / "game" / "pics" / "forest.BMP", "forest picture");
    writeText(root_ / "game" / "sea.JPG", "sea picture");
  }
  void TearDown() override { fs::remove_all(root_); }

  CompileRequest request(bool failIfExists = true) {
    return {platform::fromFsPath(script_), platform::fromFsPath(out_), "tsukiyo", failIfExists,
            platform::fromFsPath(program_)};
  }
  void writeScript(std::string_view utf8) { writeText(script_, testing::scriptBytes(utf8)); }

  fs::path root_, program_, script_, out_;
};

TEST_F(Build, WritesTheGameFileAndCopiesEverythingUnderTheirNames) {
  writeScript("@DEF,CG,forest,pics\\forest.BMP\n@DEF,CG,sea,sea.JPG\n@DEF,BGM,gone,nowhere\\gone.MID\n#,TopPage\n");
  platform::SilentProgress progress;
  CompileResult result = progcompile(request(), progress);
  ASSERT_TRUE(result.scriptRead);
  ASSERT_TRUE(result.gameFileWritten) << result.error;
  auto written = platform::readWholeFile(platform::fromFsPath(out_ / "tsukiyo.PRY"));
  ASSERT_TRUE(written);
  EXPECT_EQ(*written, compileScriptText(testing::scriptBytes(
                          "@DEF,CG,forest,pics\\forest.BMP\n@DEF,CG,sea,sea.JPG\n@DEF,BGM,gone,nowhere\\gone.MID\n"
                          "#,TopPage\n")));
  EXPECT_EQ(readText(out_ / "forest.BMP"), "forest picture");  // relative to the script's folder
  EXPECT_EQ(readText(out_ / "sea.JPG"), "sea picture");
  EXPECT_EQ(readText(out_ / ("tsukiyo" + std::string(platform::kExecutableSuffix))), "player");
  EXPECT_EQ(readText(out_ / std::string(platform::kDisplayLibraryFileName)), "library");
  ASSERT_EQ(result.resourceCopies.size(), 3u);
  EXPECT_EQ(result.resourceCopies[2].outcome, CopyOutcome::Failed);  // a missing file is skipped
  EXPECT_FALSE(fs::exists(out_ / "gone.MID"));
}

TEST_F(Build, KeepsPlayerAndLibraryReplacesTheGameFileAndOverwritesResourcesOnlyWhenAllowed) {
  writeScript("@DEF,CG,forest,pics/forest.BMP\n");
  writeText(out_ / ("tsukiyo" + std::string(platform::kExecutableSuffix)), "old player");
  writeText(out_ / std::string(platform::kDisplayLibraryFileName), "old library");
  writeText(out_ / "tsukiyo.PRY", "old game");
  writeText(out_ / "forest.BMP", "old forest");
  platform::SilentProgress progress;

  progcompile(request(true), progress);
  EXPECT_EQ(readText(out_ / ("tsukiyo" + std::string(platform::kExecutableSuffix))), "old player");
  EXPECT_EQ(readText(out_ / std::string(platform::kDisplayLibraryFileName)), "old library");
  EXPECT_EQ(readText(out_ / "forest.BMP"), "old forest");
  EXPECT_EQ(readText(out_ / "tsukiyo.PRY").substr(0, 4), "PRYX");

  progcompile(request(false), progress);
  EXPECT_EQ(readText(out_ / "forest.BMP"), "forest picture");
  EXPECT_EQ(readText(out_ / ("tsukiyo" + std::string(platform::kExecutableSuffix))), "old player");
}

TEST_F(Build, AScriptThatCannotBeReadWritesNothing) {
  writeText(out_ / "tsukiyo.PRY", "old game");
  RecordingProgress progress;
  CompileResult result = progcompile(request(), progress);
  EXPECT_FALSE(result.scriptRead);
  EXPECT_NE(result.error.find("story.PXJ"), std::string::npos);
  EXPECT_EQ(readText(out_ / "tsukiyo.PRY"), "old game");
  EXPECT_FALSE(fs::exists(out_ / std::string(platform::kDisplayLibraryFileName)));
  EXPECT_EQ(progress.calls.back(), "hide");
}

TEST_F(Build, ShowsTheCompilersProgress) {
  std::string script;
  // Each page jumps to the next, a label further down: the build's second pass fills it in.
  for (int page = 0; page < 1000; ++page) {
    script += "#,p" + std::to_string(page) + "\n@CG,\n@JMP,p" + std::to_string(page + 1) + "\n";
  }
  writeScript(script);
  const int bytes = static_cast<int>(fs::file_size(script_));
  RecordingProgress progress;
  progcompile(request(), progress);
  EXPECT_EQ(progress.calls,
            (std::vector<std::string>{"show 配布ファイルの作成", "label 配布ファイルの作成準備をしています...",
                                      "label 配布ファイルの情報を集めています...", "maximum " + std::to_string(bytes),
                                      "label 配布ファイルの作成中...", "hide"}));
  // Each pass runs the bar from 0 up to the script's size, in steps along the way.
  auto secondPass = std::find(progress.values.begin() + 1, progress.values.end(), 0);
  ASSERT_NE(secondPass, progress.values.end());
  for (auto pass : {std::vector<int>(progress.values.begin(), secondPass),
                    std::vector<int>(secondPass, progress.values.end())}) {
    EXPECT_EQ(pass.front(), 0);
    EXPECT_EQ(pass.back(), bytes);
    EXPECT_GT(pass.size(), 3u);
    EXPECT_TRUE(std::is_sorted(pass.begin(), pass.end()));
  }
}

}  // namespace
}  // namespace pryx::script
