// The pryx tool's exit status tells the truth: a write that failed, a file cut short,
// a project that was not read whole, a special file in place of a game file or
// script is a failure, never a silent success.

#include "project/project_file.h"

#include "tests/support/tool_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace pryx {
namespace {

namespace fs = std::filesystem;

class ExitCodes : public testing::ToolFolder {
 protected:
  // The exit status of a shell command run in the folder; "pryx" names the built tool.
  int shell(const std::string& command) {
    std::string line = "cd '" + folder_.string() + "' && pryx() { '" PRYX_TOOL "' \"$@\"; } && " + command;
    int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  bool mentions(std::string_view file, std::string_view text) const { return read(file).find(text) != std::string::npos; }

  // The sample game built into dist/, its game file dist/t.PRY.
  void buildSample() {
    ASSERT_EQ(pryx("build '" PRYX_SOURCE_DIR "/samples/tsukiyo/tsukiyo.PXJ' --out dist --name t"), 0)
        << read("errors.txt");
  }
};

TEST_F(ExitCodes, ABuildWhoseCopiesAreCutShortFailsAndTheNextOneCopiesThemAgain) {
  write("big.BMP", std::string(1 << 20, 'p'));
  write("game.PXJ", "@DEF,CG,big,big.BMP\r\n#,top\r\n@END\r\n");
  // 256 blocks of at most 1024 bytes: the picture does not fit, the game file does.
  EXPECT_EQ(shell("(ulimit -f 256 && trap '' XFSZ && pryx build game.PXJ --out out --name g >output.txt 2>errors.txt)"),
            1);
  EXPECT_TRUE(mentions("output.txt", "failed   big.BMP: could not write out/big.BMP: ")) << read("output.txt");
  EXPECT_FALSE(fs::exists(path("out/big.BMP")));
  EXPECT_EQ(pryx("build game.PXJ --out out --name g"), 0) << read("errors.txt");
  EXPECT_TRUE(mentions("output.txt", "copied   big.BMP")) << read("output.txt");
  EXPECT_EQ(read("out/big.BMP").size(), std::size_t{1} << 20);
}

TEST_F(ExitCodes, ResaveFailsWhenThePartsBeyondTheLimitsWereNotReadAndKeepsItsInput) {
  project::Project project = project::newProject();
  for (int i = 0; i <= project::kMaxResources; ++i) project.cgs.append({"cg" + std::to_string(i), "cg.BMP"});
  const std::string bytes = project::encodeProjectFile(project).bytes;
  write("big.PXK", bytes);
  EXPECT_EQ(pryx("resave big.PXK big.PXK"), 1);
  EXPECT_EQ(read("big.PXK"), bytes) << "nothing is written over the input";
  EXPECT_TRUE(mentions("errors.txt", "is left as it was")) << read("errors.txt");
  EXPECT_EQ(pryx("resave big.PXK ./big.PXK"), 1);
  EXPECT_EQ(read("big.PXK"), bytes);
  EXPECT_EQ(pryx("resave big.PXK small.PXK"), 1);
  EXPECT_NE(read("small.PXK"), "(missing)");
}

TEST_F(ExitCodes, AStandardOutputThatCannotBeWrittenFailsEveryCommand) {
  buildSample();
  write("game.PXK", project::encodeProjectFile(project::newProject()).bytes);
  for (const char* command : {"pryx dump dist/t.PRY", "pryx script game.PXK", "pryx --help", "pryx dump --help",
                              "pryx check '" PRYX_SOURCE_DIR "/samples/tsukiyo/tsukiyo.PXJ'",
                              "pryx play dist/t.PRY --headless --choose 1,1,2,1"}) {
    EXPECT_EQ(shell(std::string(command) + " >/dev/full 2>errors.txt"), 1) << command;
    EXPECT_TRUE(mentions("errors.txt", "cannot write the standard output")) << command << ": " << read("errors.txt");
  }
}

TEST_F(ExitCodes, PlayFailsWhenTheTraceOrAFrameCannotBeWritten) {
  buildSample();
  EXPECT_EQ(pryx("play dist/t.PRY --headless --choose 1,1,2,1 --trace /dev/full"), 1);
  EXPECT_TRUE(mentions("errors.txt", "cannot write all of the trace /dev/full")) << read("errors.txt");
  // Folders where the first frame would go: it cannot be written.
  for (const char* kind : {"choice", "prompt", "click", "page"}) fs::create_directories(path("frames/0001-" + std::string(kind) + ".png"));
  EXPECT_EQ(pryx("play dist/t.PRY --headless --choose 1,1,2,1 --frames frames"), 1);
  EXPECT_TRUE(mentions("errors.txt", "cannot write the frame")) << read("errors.txt");
}

TEST_F(ExitCodes, GameFilesCutShortAreRefusedByPlayAndDump) {
  buildSample();
  const std::string game = read("dist/t.PRY");
  for (std::size_t length : {std::size_t{20}, std::size_t{40}, game.size() / 2, game.size() - 1}) {
    write("cut.PRY", game.substr(0, length));
    EXPECT_EQ(pryx("play cut.PRY --headless --choose 1,1,2,1"), 1) << length;
    EXPECT_TRUE(mentions("errors.txt", "ファイルの読みこみに失敗しました。")) << length;
    EXPECT_EQ(pryx("dump cut.PRY"), 1) << length;
    EXPECT_TRUE(mentions("output.txt", "Header")) << "listed as far as it goes";
    EXPECT_TRUE(mentions("errors.txt", "is cut short or damaged")) << length << ": " << read("errors.txt");
  }
}

TEST_F(ExitCodes, SpecialFilesAreRefusedInsteadOfWaitedFor) {
  for (const char* name : {"fifo.PRY", "fifo.PXJ", "fifo.PXK"}) ASSERT_EQ(mkfifo(path(name).c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", path("zero.PXJ"));
  // A FIFO would block the tool for ever and /dev/zero never ends: both are refused at once.
  EXPECT_EQ(shell("timeout 60 '" PRYX_TOOL "' dump fifo.PRY 2>errors.txt"), 1);
  EXPECT_TRUE(mentions("errors.txt", "is not a regular file")) << read("errors.txt");
  EXPECT_EQ(shell("timeout 60 '" PRYX_TOOL "' play fifo.PRY --headless 2>errors.txt"), 1);
  EXPECT_EQ(shell("timeout 60 '" PRYX_TOOL "' check fifo.PXJ zero.PXJ fifo.PXK 2>errors.txt"), 2);
  EXPECT_EQ(shell("timeout 60 '" PRYX_TOOL "' build fifo.PXJ --out out --name g 2>errors.txt"), 1);
  EXPECT_EQ(shell("timeout 60 '" PRYX_TOOL "' resave fifo.PXK x.PXK 2>errors.txt"), 1);
}

}  // namespace
}  // namespace pryx
