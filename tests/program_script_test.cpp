// Program mode's script file work, with the dialogs answered from a script.

#include "editor/program_script.h"

#include "platform/sjis.h"

#include "tests/support/scripted_dialogs.h"
#include "tests/support/tool_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

namespace pryx::editor {
namespace {

using Scripts = testing::ToolFolder;

const project::Message kUnreadable = project::warning("ファイルを開けませんでした。");

TEST(ScriptText, FilesAreShiftJisWithCrLfAndComeBackAsTheTextWasForAnyText) {
  const std::vector<std::string> pieces = {"@PAGE,", "あいう", "漢字", ",", " ", "\n", "\n\n", "{", "ｶﾅ", "x"};
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    for (int i = static_cast<int>(random() % 12); i > 0; --i) text += pieces[random() % pieces.size()];
    SCOPED_TRACE(text);
    bool lossy = true;
    std::string file = scriptFileOfText(text, &lossy);
    EXPECT_FALSE(lossy);
    ASSERT_GE(file.size(), 2u);
    EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
    for (std::size_t at = file.find('\n'); at != std::string::npos; at = file.find('\n', at + 1)) {
      EXPECT_EQ(file[at - 1], '\r');
    }
    EXPECT_EQ(platform::decodeSjis(file).size(), text.size() + 2 + static_cast<std::size_t>(std::count(
                                                                       text.begin(), text.end(), '\n')));
    EXPECT_EQ(scriptTextOfFile(file), text);
  }
  // Line ends written elsewhere: LF alone and CR alone end lines too; only one final break goes.
  EXPECT_EQ(scriptTextOfFile("a\nb\rc\r\n\r\n"), "a\nb\nc\n");
  bool lossy = false;
  EXPECT_EQ(scriptFileOfText("한", &lossy), "?\r\n");
  EXPECT_TRUE(lossy);
}

TEST(ScriptText, OpeningSaysWhatASaveWouldChange) {
  struct Case {
    std::string bytes;
    bool noticed;
  };
  const Case cases[] = {
      {platform::encodeSjis("@PAGE,月\r\n@END\r\n"), false}, {"a\nb", false},
      {platform::encodeSjis("ｶﾅ") + "\x80\xA0\xFD", false},  // single bytes Windows keeps
      {"a\rb\r\n", true}, {"end\r", true}, {"\x81\x20", true}, {"x\x82", true},  // lone CRs, broken characters
  };
  for (const Case& c : cases) EXPECT_EQ(scriptFileNotice(c.bytes).has_value(), c.noticed) << c.bytes;
}

TEST_F(Scripts, NewForgetsThePathSoTheNextSaveAsksForAName) {
  testing::ScriptedDialogs dialogs;
  ProgramScript script(dialogs);
  dialogs.files = {path("first.PXJ")};
  ASSERT_TRUE(script.save("@PAGE,一"));
  EXPECT_EQ(read("first.PXJ"), platform::encodeSjis("@PAGE,一\r\n"));
  EXPECT_EQ(dialogs.fileDialogs.back(),
            (project::FileDialogRequest{"ファイルを開く", "ＰＲＹＸＴＯＯＬプロジェクト(*.PXJ)|*.PXJ"}));

  dialogs.answers = {Answer::Cancel, Answer::Ok};
  EXPECT_FALSE(script.startNew());
  EXPECT_EQ(script.path(), path("first.PXJ"));
  EXPECT_TRUE(script.startNew());
  EXPECT_EQ(dialogs.shown.back(), project::question("新規作成を実行しますか？"));
  EXPECT_EQ(script.path(), "");

  // The save asks; cancelled, nothing is written and the path stays empty.
  dialogs.files = {std::nullopt};
  EXPECT_FALSE(script.save(""));
  EXPECT_EQ(dialogs.fileDialogs.size(), 2u);
  EXPECT_EQ(read("first.PXJ"), platform::encodeSjis("@PAGE,一\r\n"));
  EXPECT_EQ(script.path(), "");
}

TEST_F(Scripts, AFileThatCannotBeReadKeepsThePreviousPath) {
  testing::ScriptedDialogs dialogs;
  ProgramScript script(dialogs);
  write("game.PXJ", platform::encodeSjis("@VERSION,1,5\r\n@PAGE,始め\r\n"));
  dialogs.files = {path("game.PXJ")};
  EXPECT_EQ(script.open(), "@VERSION,1,5\n@PAGE,始め");
  EXPECT_EQ(script.path(), path("game.PXJ"));

  std::filesystem::create_directory(folder_ / "folder.PXJ");
  dialogs.files = {path("missing.PXJ"), path("folder.PXJ"), std::nullopt};
  EXPECT_EQ(script.open(), std::nullopt);
  EXPECT_EQ(script.open(), std::nullopt);
  EXPECT_EQ(script.open(), std::nullopt);
  EXPECT_EQ(dialogs.shown, (std::vector<project::Message>{kUnreadable, kUnreadable}));
  EXPECT_EQ(script.path(), path("game.PXJ"));

  // A save that fails says so and keeps the file on disk.
  dialogs.files = {path("nowhere/x.PXJ")};
  EXPECT_FALSE(script.saveAs("text"));
  EXPECT_EQ(dialogs.shown.back().title, "警告");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "nowhere"));
}

TEST_F(Scripts, FindingsNameTheTextsLinesAndLookForFilesBesideTheScript) {
  testing::ScriptedDialogs dialogs;
  ProgramScript script(dialogs);
  const std::string text = "@VERSION,1,5\n@DEF,CG,空,SKY.BMP\n@PAGE,始め\n@CG,ない";
  script::Findings unsaved = script.check(text);
  ASSERT_FALSE(unsaved.empty());
  for (const script::Finding& finding : unsaved) EXPECT_EQ(finding.message.find("SKY.BMP"), std::string::npos);

  dialogs.files = {path("game.PXJ")};
  ASSERT_TRUE(script.save(text));
  script::Findings saved = script.check(text);
  EXPECT_EQ(saved.size(), unsaved.size() + 1);
  auto missing = std::find_if(saved.begin(), saved.end(),
                              [](const script::Finding& f) { return f.message.find("SKY.BMP") != std::string::npos; });
  ASSERT_NE(missing, saved.end());
  EXPECT_EQ(missing->line, 2);
  write("SKY.BMP", "BM");
  EXPECT_EQ(script.check(text).size(), unsaved.size());
}

}  // namespace
}  // namespace pryx::editor
