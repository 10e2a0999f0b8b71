// The editor's File menu work on projects, with the dialogs answered from a script.

#include "editor/project_files.h"
#include "authoring/resource_operations.h"
#include "project/project_file.h"

#include "tests/support/sample_projects.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/tool_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace pryx::editor {
namespace {

using project::Message;
using Files = testing::ToolFolder;

TEST_F(Files, TheRecoveryCopyFollowsUnsavedChangesAtMostEvery30SecondsAndIsOfferedOnOpening) {
  std::int64_t now = 0;
  RecoveryCopy recovery(path("cache/recovery"), [&] { return now; });
  testing::ScriptedDialogs dialogs;
  ProjectFiles files(dialogs);
  files.createNew();
  project::ProjectDocument& document = *files.document();
  dialogs.files = {path("game.PXK")};
  ASSERT_TRUE(files.save());
  const std::string copy = recovery.copyPathOf(path("game.PXK"));
  auto copied = [&] {
    auto bytes = platform::readWholeFile(copy);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "(none)";
  };
  auto current = [&] { return project::encodeProjectFile(document.project()).bytes; };

  EXPECT_EQ(recovery.keep(document), 0);
  EXPECT_EQ(copied(), "(none)");  // nothing unsaved, nothing copied
  document.setPageText(1, "a");
  EXPECT_EQ(recovery.keep(document), 0);
  EXPECT_EQ(copied(), current());
  const std::string first = current();
  now = 10000;
  document.setPageText(1, "ab");
  EXPECT_EQ(recovery.keep(document), 20000);  // written 10 s ago: the next write is due in 20 s
  EXPECT_EQ(copied(), first);
  now = 30000;
  EXPECT_EQ(recovery.keep(document), 0);
  EXPECT_EQ(copied(), current());

  // The editor ended without closing the project: opening the file offers the copy.
  std::filesystem::last_write_time(path("game.PXK"), std::filesystem::last_write_time(copy) - std::chrono::hours(1));
  for (Answer answer : {Answer::Yes, Answer::No}) {
    testing::ScriptedDialogs reopening;
    ProjectFiles again(reopening);
    ASSERT_TRUE(again.openPath(path("game.PXK")));
    reopening.answers = {answer};
    again.offerRecovery(recovery);
    EXPECT_EQ(again.document()->project().pages[1].text, answer == Answer::Yes ? "ab" : "");
    EXPECT_EQ(again.document()->isModified(), answer == Answer::Yes);
    EXPECT_EQ(again.document()->path(), path("game.PXK"));
  }
  EXPECT_EQ(copied(), "(none)");  // declined, the copy went

  now = 70000;
  document.setPageText(1, "abc");
  recovery.keep(document);
  ASSERT_NE(copied(), "(none)");
  ASSERT_TRUE(files.save());
  recovery.keep(document);
  EXPECT_EQ(copied(), "(none)");  // saved: nothing left to recover
}

TEST_F(Files, FilesInsideTheProjectFolderAreStoredRelativeAndFollowASaveElsewhere) {
  using project::ResourceKind;
  testing::ScriptedDialogs dialogs;
  ProjectFiles files(dialogs);
  files.createNew();
  project::ProjectDocument& document = *files.document();
  authoring::addResource(document, ResourceKind::Cg, "unsaved", path("story/a.BMP"));
  dialogs.files = {path("story/game.PXK")};
  std::filesystem::create_directories(folder_ / "story");
  ASSERT_TRUE(files.save());
  authoring::addResource(document, ResourceKind::Cg, "inside", path("story/pictures/../pictures/b.BMP"));
  authoring::addResource(document, ResourceKind::Bgm, "outside", path("music/c.MID"));
  authoring::addResource(document, ResourceKind::Chr, "beside", path("story/d.BMP"));
  auto stored = [&] {
    std::vector<std::string> paths;
    for (ResourceKind kind : {ResourceKind::Cg, ResourceKind::Bgm, ResourceKind::Chr}) {
      for (const project::Resource& resource : document.project().resources(kind)) paths.push_back(resource.path);
    }
    return paths;
  };
  auto files_named = [&] {
    std::vector<std::string> named;
    for (ResourceKind kind : {ResourceKind::Cg, ResourceKind::Bgm, ResourceKind::Chr}) {
      for (const project::Resource& resource : document.project().resources(kind)) {
        named.push_back(std::filesystem::path(project::resourceFilePath(document.path(), resource.path)).lexically_normal());
      }
    }
    return named;
  };
  EXPECT_EQ(stored(), (std::vector<std::string>{path("story/a.BMP"), "pictures/b.BMP", path("music/c.MID"), "d.BMP"}));
  const std::vector<std::string> named = files_named();

  std::filesystem::create_directories(folder_ / "copy/deeper");
  std::filesystem::create_directories(folder_ / "story/pictures");
  for (const char* where : {"missing/game.PXK", "copy/deeper/game.PXK", "story/pictures/game.PXK"}) {
    SCOPED_TRACE(where);
    dialogs.files = {path(where)};
    bool saved = files.saveAs();  // the first fails: the paths stay as they were
    EXPECT_EQ(saved, std::string(where) != "missing/game.PXK");
    EXPECT_EQ(files_named(), named);
  }
  EXPECT_EQ(stored()[1], "b.BMP");  // inside the new folder again
}

TEST_F(Files, EveryProjectFileSavesAsPryxResaveWritesIt) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(PRYX_SOURCE_DIR "/fuzz/corpus/project_file")) {
    std::filesystem::copy_file(entry.path(), folder_ / entry.path().filename());
    names.push_back(entry.path().filename().string());
  }
  for (std::uint32_t seed = 1; seed <= 4; ++seed) {
    names.push_back("sample" + std::to_string(seed) + ".PXK");
    write(names.back(), project::encodeProjectFile(project::samples::sampleProject({.pages = 15, .seed = seed})).bytes);
  }
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    testing::ScriptedDialogs dialogs;
    ProjectFiles files(dialogs);
    ASSERT_TRUE(files.openPath(path(name)));
    dialogs.files = {path("editor.PXK")};
    ASSERT_TRUE(files.saveAs());
    // 1 for a file that held bytes that are no Shift-JIS: written all the same.
    ASSERT_LE(pryx("resave '" + name + "' resaved.PXK"), 1);
    EXPECT_EQ(read("editor.PXK"), read("resaved.PXK"));
    EXPECT_EQ(files.document()->path(), path("editor.PXK"));
    EXPECT_FALSE(files.document()->isModified());
  }
}

TEST_F(Files, RefusedFilesLeaveTheEditorAsItWasExceptANewerVersion) {
  testing::ScriptedDialogs dialogs;
  ProjectFiles files(dialogs);
  const Message refused = project::openFailureMessage();

  EXPECT_FALSE(files.openPath(path("missing.PXK")));
  std::filesystem::create_directory(folder_ / "folder.PXK");
  EXPECT_FALSE(files.openPath(path("folder.PXK")));
  EXPECT_FALSE(files.isOpen());
  EXPECT_EQ(dialogs.shown, (std::vector<Message>{refused, refused}));

  // A newer editor's file: the empty project stays, and it cannot be saved over that file.
  write("newer.PXK", "50\r\n106\r\nDefault\r\n");
  EXPECT_TRUE(files.openPath(path("newer.PXK")));
  EXPECT_EQ(files.document()->project().pageCount(), 0);
  EXPECT_EQ(files.document()->path(), "");
  EXPECT_EQ(dialogs.shown.back(), refused);
  dialogs.files = {std::nullopt};
  EXPECT_FALSE(files.save());
  EXPECT_EQ(read("newer.PXK"), "50\r\n106\r\nDefault\r\n");

  // While a project is open, nothing else is opened over it.
  write("other.PXK", project::encodeProjectFile(project::newProject()).bytes);
  EXPECT_FALSE(files.openPath(path("other.PXK")));
  EXPECT_EQ(files.document()->project().pageCount(), 0);
}

TEST_F(Files, SavingAsksForANameUntilOneIsGivenAndReportsFailures) {
  testing::ScriptedDialogs dialogs;
  ProjectFiles files(dialogs);
  files.createNew();
  files.document()->setPageText(1, "a line\r\n}");  // the file cannot hold the "}" line as it is
  dialogs.files = {std::nullopt};
  EXPECT_FALSE(files.save());  // cancelled: nothing written, still no name
  EXPECT_TRUE(files.document()->isModified());
  EXPECT_EQ(dialogs.fileDialogs.back().title, "ファイルに名前を付けて保存");

  dialogs.files = {path("no-such-folder/game.PXK")};
  EXPECT_FALSE(files.save());
  EXPECT_EQ(dialogs.shown.back().title, "警告");
  EXPECT_NE(dialogs.shown.back().text.find("ファイルを保存できませんでした。"), std::string::npos);

  dialogs.files = {path("game.PXK")};
  EXPECT_TRUE(files.save());
  EXPECT_EQ(dialogs.shown.back(),
            project::unstorableFieldsMessage(project::encodeProjectFile(files.document()->project()).unstorable));
  EXPECT_FALSE(files.document()->isModified());
  EXPECT_TRUE(files.save());  // now without asking
  EXPECT_TRUE(dialogs.files.empty());

  // Save as, cancelled, forgets the name: the next save asks again.
  dialogs.files = {std::nullopt, std::nullopt};
  EXPECT_FALSE(files.saveAs());
  EXPECT_EQ(files.document()->path(), "");
  EXPECT_FALSE(files.save());
}

// A file the editor could not read as it stands is never written over without the
// author's say: one read in part is refused, one that would turn text into "?" asks
// first, and `pryx resave` in place refuses both.
TEST_F(Files, AFileReadWithLossesIsNeverSavedOverUnasked) {
  std::string plain = project::encodeProjectFile(project::newProject()).bytes;
  auto withPageText = [&](std::string_view text) {
    std::string bytes = plain;
    bytes.replace(bytes.find("{\r\n\r\n}"), 6, "{\r\n" + std::string(text) + "\r\n}");
    return bytes;
  };
  std::string manyCgs = "{\r\n";
  for (int i = 0; i <= project::kMaxResources; ++i) manyCgs += "cg" + std::to_string(i) + ",cg.BMP\r\n";
  std::string partial = plain;
  partial.replace(partial.find("{\r\n}"), 4, manyCgs + "}");
  struct Case {
    const char* name;
    std::string bytes;
    bool partlyRead;
    bool asks;  // 上書き保存 asks before writing over it
    std::string pageText;
  };
  const std::vector<Case> cases = {
      {"partial.PXK", partial, true, false, ""},
      {"replaced.PXK", withPageText("a\x82"), false, true, "a?"},
      {"utf8-lossy.PXK", "\xEF\xBB\xBF" + withPageText("月夜\xF0\x9F\x8C\x99"), false, true, "月夜🌙"},
      {"utf8.PXK", withPageText("月夜"), false, false, "月夜"},
  };
  for (const Case& file : cases) {
    SCOPED_TRACE(file.name);
    write(file.name, file.bytes);
    testing::ScriptedDialogs dialogs;
    ProjectFiles files(dialogs);
    ASSERT_TRUE(files.openPath(path(file.name)));
    ASSERT_EQ(dialogs.shown.size(), 1u);  // one notice of how it was read
    if (!file.partlyRead) {
      EXPECT_EQ(files.document()->project().pages[1].text, file.pageText);
    }
    EXPECT_EQ(files.document()->path(), file.partlyRead ? "" : path(file.name));

    const int resaved = pryx("resave " + std::string(file.name) + " " + file.name);
    EXPECT_EQ(resaved != 0, file.partlyRead || file.asks);
    if (resaved != 0) {
      EXPECT_EQ(read(file.name), file.bytes);
    }

    write(file.name, file.bytes);
    if (file.partlyRead) {
      dialogs.files = {path(file.name), path("copy.PXK")};
      EXPECT_FALSE(files.save());
      EXPECT_EQ(dialogs.shown.back().title, "警告");
      EXPECT_EQ(read(file.name), file.bytes);
      EXPECT_TRUE(files.save());
      EXPECT_NE(read("copy.PXK"), "(missing)");
    } else if (file.asks) {
      dialogs.answers = {Answer::Cancel, Answer::Ok};
      EXPECT_FALSE(files.save());
      EXPECT_TRUE(dialogs.shown.back().positiveDefault);
      EXPECT_EQ(read(file.name), file.bytes);
      // Choosing the same file under 名前を付けて保存 writes over it, and then it is the author's.
      dialogs.files = {path(file.name)};
      EXPECT_TRUE(files.save());
      EXPECT_EQ(read(file.name), project::encodeProjectFile(files.document()->project()).bytes);
      EXPECT_TRUE(files.save());
    } else {
      EXPECT_TRUE(files.save());
      EXPECT_EQ(read(file.name), project::encodeProjectFile(files.document()->project()).bytes);
    }
  }
}

TEST_F(Files, ClosingAndEndingAskOnlyWhileAProjectIsOpen) {
  testing::ScriptedDialogs dialogs;
  ProjectFiles files(dialogs);
  std::vector<ProjectEvent> events;
  auto subscription = files.subscribe([&](ProjectEvent event) { events.push_back(event); });
  EXPECT_TRUE(files.confirmEnd());
  EXPECT_TRUE(dialogs.shown.empty());

  files.createNew();
  dialogs.answers = {Answer::Cancel, Answer::Cancel, Answer::Ok};
  EXPECT_FALSE(files.confirmEnd());
  EXPECT_EQ(dialogs.shown.back(), project::question("終了してもよろしいですか？", "確認メッセージ"));
  EXPECT_FALSE(files.close(true));
  EXPECT_EQ(dialogs.shown.back(), project::question("作成中のプログラムを終了してもよろしいですか。"));
  EXPECT_TRUE(files.isOpen());
  EXPECT_TRUE(files.close(true));
  EXPECT_FALSE(files.isOpen());

  files.createNew();
  std::size_t asked = dialogs.shown.size();
  EXPECT_TRUE(files.close(false));  // entering program mode closes without a question
  EXPECT_EQ(dialogs.shown.size(), asked);
  EXPECT_EQ(events, (std::vector<ProjectEvent>{ProjectEvent::Opened, ProjectEvent::Closing, ProjectEvent::Opened,
                                               ProjectEvent::Closing}));
}

}  // namespace
}  // namespace pryx::editor
