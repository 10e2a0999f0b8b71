#include "project/project_file.h"

#include "platform/files.h"
#include "platform/sjis.h"
#include "tests/support/sample_projects.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace pryx::project {
namespace {

using F = ButtonField;

std::string linesOf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) (text += line) += "\r\n";
  return text;
}

std::string saved(const Project& project) { return encodeProjectFile(project).bytes; }

Project opened(std::string_view bytes) {
  DecodedProject decoded = decodeProjectFile(bytes);
  EXPECT_TRUE(decoded.project) << decoded.refusal;
  return decoded.project ? *decoded.project : Project{};
}

// The option and list lines of a new project, in front of its pages.
const std::string kNewProjectHead =
    linesOf({"50", "105", "Default", "1", "0", "-1", "{", "}", "{", "}", "{", "}", "{", "}"});
const std::string kDefaultPageOptions = linesOf({" 0 ", "False", " 0 ", " 0 ", "False", " 0 ", " 0 "});

TEST(ProjectFile, NewProjectSavesItsOptionsListsAndOnePage) {
  EXPECT_EQ(saved(newProject()), kNewProjectHead + linesOf({"@,TopPage", "", "", "", "{", "", "}"}) + kDefaultPageOptions);
}

TEST(ProjectFile, WritesPageTextsReferencesOptionsAndButtons) {
  Project project = newProject();
  Page& page = project.pages[1];
  page.text = "一行目\r\n二行目";
  page.music = PageReference::number(3);
  page.backgroundCg = PageReference::text("2");
  page.options = {100, true, 0x0000FF, 0, true, 0, 3};
  ButtonEvent& button = page.buttons[0];
  button[F::Caption] = "次へ";
  button[F::ConditionVariable1] = " 2";
  button[F::ConditionValue1] = "12 apples";
  button[F::JumpTarget] = "1.5";
  button[F::OperationValue] = "-7";
  std::string expected = kNewProjectHead +
                         linesOf({"@,TopPage", " 3 ", "2", "", "{", "一行目", "二行目", "}", " 100 ", "True", " 255 ", " 0 ",
                                  "True", " 3 ", " 0 ", "次へ", " 2 ", " 0 ", "12 apples", " 0 ", " 0 ", " 0 ", "", " 0 ",
                                  " 1.5 ", " 0 ", " 0 ", " 0 ", "-7"});
  EXPECT_EQ(saved(project), platform::encodeSjis(expected));
}

TEST(ProjectFile, PageTextsComeBackUnchanged) {
  for (std::string text : {"", "one line", "two\r\nlines", "\r\n", "ends with a break\r\n", "  blanks, commas, \"quotes\"  "}) {
    Project project = newProject();
    project.pages[1].text = text;
    EXPECT_EQ(opened(saved(project)).pages[1].text, text);
  }
}

TEST(ProjectFile, ReadsAFileWithoutPageOptions) {
  std::string file = linesOf({"50", "Default", "Default", "1", "0", "-1", "{", "bg,C:\\pictures\\bg.bmp", "}", "{", "}", "{",
                              "}", "{", "flag", "}", "@,TopPage", "", " 1 ", "", "{", "Hello", "}", "Go", " 1 ", " 1 ", " 5",
                              " 0 ", " 0 ", " 0 ", "", " 0 ", " 2 ", " 0 ", " 0 ", " 0 ", "", "@,Second", "", "", "", "{",
                              "", "}"});
  DecodedProject decoded = decodeProjectFile(file);
  ASSERT_TRUE(decoded.project);
  EXPECT_EQ(decoded.version, 0);
  EXPECT_TRUE(decoded.warnings.empty());
  const Project& project = *decoded.project;
  ASSERT_EQ(project.pageCount(), 2);
  EXPECT_EQ(project.cgs[1], (Resource{"bg", "C:\\pictures\\bg.bmp"}));
  EXPECT_EQ(project.variables[1], "flag");
  EXPECT_EQ(project.pages[1].text, "Hello");
  EXPECT_EQ(project.pages[1].backgroundCg.value(), 1);
  EXPECT_FALSE(project.pages[1].music.isSet());
  EXPECT_EQ(project.pages[1].options, PageOptions{});
  EXPECT_EQ(project.pages[1].buttons[0][F::ConditionValue1], "5");
  EXPECT_EQ(project.pages[1].buttons[0].number(F::JumpTarget), 2);
  EXPECT_EQ(project.pages[2].name, "Second");

  // Saved again, it is a current file with page options.
  std::string resaved = saved(project);
  EXPECT_EQ(resaved.substr(0, 9), "50\r\n105\r\n");
  EXPECT_EQ(decodeProjectFile(resaved).version, 105);
  Project reopened = opened(resaved);
  EXPECT_EQ(reopened.option(ProjectOption::FileVersion), "105");
  reopened.option(ProjectOption::FileVersion) = "Default";
  EXPECT_EQ(reopened, project);
}

TEST(ProjectFile, RefusesNewerVersions) {
  for (std::string_view version : {"106", "200", " 106.9"}) {
    std::string file = kNewProjectHead;
    file.replace(4, 3, version);
    DecodedProject decoded = decodeProjectFile(file);
    EXPECT_FALSE(decoded.project) << version;
    EXPECT_FALSE(decoded.refusal.empty());
  }
  EXPECT_FALSE(decodeProjectFile("50\r\n106\r\n").project);  // even when the file ends early
  EXPECT_EQ(openFailureMessage().text, "ファイルをオープンできませんでした。");
  EXPECT_EQ(openFailureMessage().title, "警告");
  EXPECT_TRUE(decodeProjectFile(linesOf({"50", "105.9", "", "1", "0", "-1"})).project);
}

TEST(ProjectFile, PacksButtonsBehindAnEmptySlot) {
  Project project = newProject();
  project.pages[1].buttons[0][F::Caption] = "first";
  project.pages[1].buttons[2][F::Caption] = "third";
  project.pages[1].buttons[2][F::JumpTarget] = "1";
  Project reopened = opened(saved(project));
  EXPECT_EQ(reopened.pages[1].buttons[0].caption(), "first");
  EXPECT_EQ(reopened.pages[1].buttons[1].caption(), "third");
  EXPECT_EQ(reopened.pages[1].buttons[1].number(F::JumpTarget), 1);
  EXPECT_FALSE(reopened.pages[1].buttons[2].inUse());
}

TEST(ProjectFile, QuotesTextsTheReaderWouldCutOrChange) {
  Project project = newProject();
  project.option(ProjectOption::MessageWait) = " 30";
  project.cgs.append({"room, night", "C:\\a,b\\room.bmp"});
  project.cgs.append({"}", " padded.bmp "});
  project.variables.append("}");
  project.variables.append("x,y");
  project.pages[1].name = "a,b";
  project.pages[1].buttons[0][F::Caption] = "@";
  project.pages[1].buttons[1][F::Caption] = "say \"hi\"";
  project.pages[1].buttons[1][F::ConditionValue1] = " 5 ";
  project.pages[1].backgroundCg = PageReference::text("x,1");
  EncodedProject encoded = encodeProjectFile(project);
  EXPECT_TRUE(encoded.unstorable.empty());
  EXPECT_NE(encoded.bytes.find("\"room, night\",\"C:\\a,b\\room.bmp\"\r\n"), std::string::npos);
  EXPECT_NE(encoded.bytes.find("\r\n\"}\",\" padded.bmp \"\r\n"), std::string::npos);
  EXPECT_NE(encoded.bytes.find("\r\n@,\"a,b\"\r\n"), std::string::npos);
  Project reopened = opened(encoded.bytes);
  EXPECT_EQ(reopened.option(ProjectOption::MessageWait), " 30");
  EXPECT_EQ(reopened.cgs, project.cgs);
  EXPECT_EQ(reopened.variables, project.variables);
  EXPECT_EQ(reopened.pages[1].name, "a,b");
  EXPECT_EQ(reopened.pages[1].buttons[0].caption(), "@");
  EXPECT_EQ(reopened.pages[1].buttons[1].caption(), "say \"hi\"");
  EXPECT_EQ(reopened.pages[1].buttons[1][F::ConditionValue1], " 5 ");
  EXPECT_EQ(reopened.pages[1].backgroundCg, PageReference::text("x,1"));
  EXPECT_EQ(reopened.pageCount(), 1);
}

TEST(ProjectFile, ReportsTextsItCannotStore) {
  Project project = newProject();
  project.pages[1].name = "say \"hi\", then go";
  project.pages[1].text = "line\r\n}\r\nafter";
  project.pages[1].buttons[0][F::Caption] = "two\r\nlines";
  project.variables.append("絵文字😀");
  EncodedProject encoded = encodeProjectFile(project);
  ASSERT_EQ(encoded.unstorable.size(), 4u);
  EXPECT_EQ(encoded.unstorable[0].place, "変数 1 の名前");
  EXPECT_EQ(encoded.unstorable[1].place, "ページ 1「say \"hi\", then go」のタイトル");
  EXPECT_EQ(encoded.unstorable[2].place, "ページ 1「say \"hi\", then go」のテキスト");
  EXPECT_EQ(encoded.unstorable[3].place, "ページ 1「say \"hi\", then go」のボタン 1 のキャプション");
  // Everything else keeps its place: the damaged texts are written in a form that
  // still reads as one field and one text.
  Project reopened = opened(encoded.bytes);
  EXPECT_EQ(reopened.pages[1].name, "say 'hi', then go");
  EXPECT_EQ(reopened.pages[1].text, "line\r\n} \r\nafter");
  EXPECT_EQ(reopened.pages[1].buttons[0].caption(), "two  lines");
  EXPECT_EQ(reopened.variables[1], "絵文字?");
  EXPECT_EQ(reopened.pageCount(), 1);
  Message message = unstorableFieldsMessage(encoded.unstorable);
  EXPECT_EQ(message.title, "警告");
  EXPECT_NE(message.text.find("ページ 1「say \"hi\", then go」のテキスト：「}」だけの行"), std::string::npos);
}

TEST(ProjectFile, ReferencesKeepTheFormTheyWereSavedIn) {
  Project project = newProject();
  project.pages[1].music = PageReference::number(3);
  project.pages[1].backgroundCg = PageReference::text("3");
  project.pages[1].character = PageReference::number(-1);
  Project reopened = opened(saved(project));
  EXPECT_EQ(reopened.pages[1].music, PageReference::number(3));
  EXPECT_EQ(reopened.pages[1].backgroundCg, PageReference::text("3"));
  EXPECT_EQ(reopened.pages[1].character, PageReference::number(-1));
  EXPECT_EQ(opened(linesOf({"50", "105", "", "1", "0", "-1", "", "", "", "", "@,p", " 3", "x", "", "{", "}"}))
                .pages[1].music, PageReference::text("3"));
}

TEST(ProjectFile, SaveOpenSaveIsByteIdentical) {
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    Project project = samples::sampleProject({.pages = 25, .seed = seed});
    EncodedProject first = encodeProjectFile(project);
    ASSERT_TRUE(first.unstorable.empty()) << "seed " << seed << ": " << first.unstorable[0].place;
    DecodedProject decoded = decodeProjectFile(first.bytes);
    ASSERT_TRUE(decoded.project);
    EXPECT_TRUE(decoded.warnings.empty()) << decoded.warnings.front();
    EXPECT_EQ(encodeProjectFile(*decoded.project).bytes, first.bytes) << "seed " << seed;
  }
}

TEST(ProjectFile, TruncatedFilesGiveWhatWasThereAndSaySo) {
  std::string file = saved(samples::sampleProject({.pages = 3, .seed = 7}));
  for (std::size_t length = 0; length < file.size(); ++length) {
    DecodedProject decoded = decodeProjectFile(std::string_view(file).substr(0, length));
    ASSERT_TRUE(decoded.project) << length;
    EXPECT_LE(decoded.project->pageCount(), 3);
  }
  // Cut inside the second page's text: the first page is whole, the second has its start.
  std::string cut = saved(samples::sampleProject({.pages = 2, .seed = 7}));
  DecodedProject decoded = decodeProjectFile(cut.substr(0, cut.rfind("\r\n{\r\n") + 5));
  ASSERT_TRUE(decoded.project);
  EXPECT_EQ(decoded.project->pageCount(), 2);
  ASSERT_FALSE(decoded.warnings.empty());
  EXPECT_EQ(decoded.warnings.back(), "ファイルがページ 2の途中で終わっています。");

  // A caption on the last line starts no button.
  std::string newPage = saved(newProject());
  decoded = decodeProjectFile(newPage + "Go\r\n");
  ASSERT_TRUE(decoded.project);
  EXPECT_FALSE(decoded.project->pages[1].buttons[0].inUse());
  EXPECT_EQ(decoded.warnings.back(), "ファイルがページ 1 のボタンの途中で終わっています。");
}

TEST(ProjectFile, SurvivesHostileBytes) {
  std::string valid = saved(samples::sampleProject({.pages = 4, .seed = 3}));
  std::mt19937 random(99);
  for (int round = 0; round < 400; ++round) {
    std::string bytes = valid;
    int edits = std::uniform_int_distribution<int>(1, 20)(random);
    for (int i = 0; i < edits; ++i) {
      std::size_t at = std::uniform_int_distribution<std::size_t>(0, bytes.size() - 1)(random);
      bytes[at] = "\",\r\n{}@\x82\xFF 0"[std::uniform_int_distribution<int>(0, 11)(random)];
    }
    DecodedProject decoded = decodeProjectFile(bytes);
    if (!decoded.project) continue;
    // Whatever was read, saving it once gives a file that reopens to the same bytes.
    EncodedProject first = encodeProjectFile(*decoded.project);
    DecodedProject again = decodeProjectFile(first.bytes);
    ASSERT_TRUE(again.project);
    if (first.unstorable.empty()) {
      EXPECT_EQ(encodeProjectFile(*again.project).bytes, first.bytes) << bytes;
    }
  }
  std::string noise(5000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  DecodedProject decoded = decodeProjectFile(noise);
  if (decoded.project) {
    EXPECT_LE(decoded.project->pageCount(), kMaxPages);
  }
}

TEST(ProjectFile, KeepsToTheLimitsOfTheLists) {
  std::string file = linesOf({"50", "105", "", "1", "0", "-1", "{"});
  for (int i = 0; i < kMaxResources + 5; ++i) file += linesOf({"cg,c.bmp"});
  file += linesOf({"}", "{", "}", "{", "}", "{", "}"});
  for (int i = 0; i <= kMaxPages; ++i) file += linesOf({"@,p", "", "", "", "{", "}", "99999", "true", "1e12", "0", "TRUE", "0", "-70000"});
  DecodedProject decoded = decodeProjectFile(file);
  ASSERT_TRUE(decoded.project);
  EXPECT_EQ(decoded.project->cgs.count(), kMaxResources);
  EXPECT_EQ(decoded.project->pageCount(), kMaxPages);
  EXPECT_EQ(decoded.warnings.size(), 3u);
  const PageOptions& options = decoded.project->pages[1].options;
  EXPECT_EQ(options.speed, 32767);
  EXPECT_TRUE(options.speedOn);
  EXPECT_EQ(options.textColour, 2147483647);
  EXPECT_TRUE(options.quick);
  EXPECT_EQ(options.saveSlot, -32768);
}

class SavedProject : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("pryx-project-file-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string path(std::string_view name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_;
};

TEST_F(SavedProject, SaveStoresTheVersionAndThePath) {
  Project project = newProject();
  project.option(ProjectOption::FileVersion) = "Default";
  ProjectDocument document(project);
  int changes = 0;
  auto subscription = document.subscribe([&](const Change&) { ++changes; });
  SaveOutcome outcome = saveProject(document, path("game.PXK"));
  ASSERT_TRUE(outcome.saved) << outcome.error;
  EXPECT_EQ(document.path(), path("game.PXK"));
  EXPECT_EQ(document.project().option(ProjectOption::FileVersion), "105");
  EXPECT_FALSE(document.isModified());
  EXPECT_GE(changes, 1);
  DecodedProject reopened = openProjectFile(path("game.PXK"));
  ASSERT_TRUE(reopened.project);
  EXPECT_EQ(*reopened.project, document.project());
}

TEST_F(SavedProject, AFailedSaveKeepsTheOldFileAndThePath) {
  ProjectDocument document(newProject(), path("old.PXK"));
  std::filesystem::create_directories(path("taken.PXK"));  // a folder where the file should go
  SaveOutcome outcome = saveProject(document, path("taken.PXK"));
  EXPECT_FALSE(outcome.saved);
  EXPECT_FALSE(outcome.error.empty());
  EXPECT_EQ(document.path(), path("old.PXK"));
  EXPECT_TRUE(std::filesystem::is_directory(path("taken.PXK")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 1);
  EXPECT_FALSE(saveProject(document, path("missing/folder/x.PXK")).saved);
  EXPECT_FALSE(openProjectFile(path("missing.PXK")).project);
}

}  // namespace
}  // namespace pryx::project
