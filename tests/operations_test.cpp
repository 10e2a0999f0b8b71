#include "authoring/page_operations.h"
#include "authoring/resource_operations.h"
#include "authoring/variable_operations.h"

#include "tests/support/recording_progress.h"

#include <gtest/gtest.h>

namespace pryx::authoring {
namespace {

using project::ButtonEvent;
using project::Change;
using project::Message;
using project::Page;
using project::PageReference;
using project::Project;
using project::ProjectDocument;
using project::ResourceKind;
using F = project::ButtonField;
using Lines = std::vector<std::string>;

Project pagesNamed(std::initializer_list<const char*> names) {
  Project project = project::newProject();
  project.pages.clear();
  for (const char* name : names) project.pages.append(Page{name, {}, {}, {}, {}, {}, {}});
  return project;
}

// Records every change the document reports, less the file state that follows each
// step and the announcements before rows move.
struct Observed {
  explicit Observed(ProjectDocument& document)
      : subscription(document.subscribe([this](const Change& change) {
          bool announcing = change.kind == Change::Kind::RowsAboutToBeInserted ||
                            change.kind == Change::Kind::RowsAboutToBeRemoved;
          if (change.kind != Change::Kind::FileState && !announcing) changes.push_back(change);
        })) {}
  std::vector<Change> changes;
  project::Subscription subscription;
};

TEST(ProjectDocument, TellsObserversWhatChangedUntilTheyLeave) {
  ProjectDocument document;
  auto observed = std::make_unique<Observed>(document);
  document.setButtonField(1, 2, F::Caption, "go");
  document.setPageReference(1, ResourceKind::Bgm, PageReference::number(1));
  document.setProjectOption(project::ProjectOption::EffectType, "2");
  document.setProjectOption(project::ProjectOption::EffectType, "2");  // no change, nothing told
  EXPECT_EQ(observed->changes, (std::vector<Change>{Change::buttonField(1, 2, F::Caption),
                                                    Change::pageContent(1, project::PageField::Music),
                                                    Change::projectOption(project::ProjectOption::EffectType)}));
  EXPECT_EQ(document.project().pages[1].buttons[2].caption(), "go");
  EXPECT_TRUE(document.isModified());
  document.markSaved("game.PXK", "105");
  EXPECT_FALSE(document.isModified());
  observed.reset();  // its subscription ends with it
  document.setPageText(1, "text");
  EXPECT_THROW(document.setPageText(2, "no such page"), std::out_of_range);
  EXPECT_THROW(document.setPageText(0, "the blank entry is no page"), std::out_of_range);
  EXPECT_EQ(document.project().pages[1].text, "text");
}

TEST(PageOperations, NewPageProposesTheNextNumberAndAppends) {
  ProjectDocument document;
  auto prompt = promptNewPage(document.project(), 1);
  EXPECT_FALSE(prompt.refusal);
  EXPECT_FALSE(prompt.notice);
  EXPECT_EQ(prompt.title, (project::InputRequest{"ページのタイトルを付けてください", "タイトルの設定", "Page- 2"}));
  Observed observed(document);
  EXPECT_EQ(addPage(document, ""), 0);
  EXPECT_TRUE(observed.changes.empty());
  EXPECT_EQ(addPage(document, "TopPage"), 2);  // names need not be unique
  EXPECT_EQ(document.project().pages[2], (Page{"TopPage", {}, {}, {}, {}, {}, {}}));
  EXPECT_EQ(observed.changes, std::vector<Change>{Change::rowsInserted(project::ListKind::Pages, 2)});
  EXPECT_TRUE(document.isModified());
}

TEST(PageOperations, NoticeAt9000AndRefusalAt10000Pages) {
  Project project = project::newProject();
  EXPECT_EQ(promptNewPage(project, 9000).notice,
            (Message{"このプログラムで利用できるページ数は、後1000ページです。", "注意", project::MessageIcon::Information}));
  EXPECT_EQ(promptPageCopy(project, 9000, 1).notice, promptNewPage(project, 9000).notice);
  while (project.pageCount() < project::kMaxPages) project.pages.append(Page{});
  ProjectDocument document(project);
  auto prompt = promptNewPage(document.project(), 1);
  EXPECT_EQ(prompt.refusal, project::warning("これ以上ページを増やす事は出来ません。"));
  EXPECT_EQ(addPage(document, "one too many"), 0);
  EXPECT_EQ(copyPage(document, 1, "one too many"), 0);
  EXPECT_EQ(document.project().pageCount(), project::kMaxPages);
}

TEST(PageOperations, CopyKeepsJumpsAndStartsWithNewPageOptions) {
  Project project = pagesNamed({"one", "two", "three", "four", "five"});
  Page& source = project.pages[2];
  source.text = "text";
  source.backgroundCg = PageReference::number(1);
  source.options.quick = true;
  source.buttons[0][F::Caption] = "a";
  source.buttons[0][F::JumpTarget] = " 3";
  source.buttons[1][F::Caption] = "b";
  source.buttons[1][F::JumpTarget] = " 5";
  ProjectDocument document(project);
  EXPECT_EQ(promptPageCopy(document.project(), 2, 2).title.defaultAnswer, "two_コピー");
  EXPECT_EQ(copyPage(document, 2, ""), 0);
  ASSERT_EQ(copyPage(document, 2, "copy"), 6);
  const Page& copy = document.project().pages[6];
  EXPECT_EQ(copy.name, "copy");
  EXPECT_EQ(copy.buttons, source.buttons);
  EXPECT_EQ(copy.text, "text");
  EXPECT_EQ(copy.backgroundCg, source.backgroundCg);
  EXPECT_EQ(copy.options, project::PageOptions{});
}

TEST(PageOperations, RetitleChangesOnlyTheName) {
  Project project = pagesNamed({"one", "two"});
  project.pages[1].buttons[0][F::JumpTarget] = "2";
  ProjectDocument document(project);
  EXPECT_EQ(promptRetitle(document.project(), 2), (project::InputRequest{"ページタイトルの変更", "再編集", "two"}));
  EXPECT_FALSE(retitlePage(document, 2, ""));
  EXPECT_TRUE(retitlePage(document, 2, "zwei"));
  EXPECT_EQ(document.project().pages[2].name, "zwei");
  EXPECT_EQ(document.project().pages[1].buttons[0][F::JumpTarget], "2");
}

TEST(PageOperations, DeletingPageTwoOfFiveRenumbersAndListsAffectedPages) {
  Project project = pagesNamed({"one", "two", "three", "four", "five"});
  project.pages[1].buttons[0][F::JumpTarget] = " 4";
  project.pages[1].buttons[1][F::ConditionTarget] = "2";
  project.pages[4].buttons[0][F::JumpTarget] = "2";
  project.pages[4].buttons[3][F::ConditionTarget] = " 2";  // a page listed twice
  project.pages[5].buttons[0][F::JumpTarget] = "1";
  project.pages[5].buttons[0][F::ConditionTarget] = "5";
  project.pages[3].text = "third";
  ProjectDocument document(project);

  PageDeletionPrompt prompt = promptPageDeletion(document.project(), 2, WorkListMode::Idle);
  EXPECT_FALSE(prompt.refusal);
  EXPECT_EQ(prompt.question, project::question("two\r\nを、ページリストから削除してもよろしいですか。"));
  EXPECT_EQ(prompt.workListCaption, "twoの削除により影響が出るページ");
  EXPECT_EQ(promptPageDeletion(document.project(), 2, WorkListMode::AffectedPages).refusal,
            project::warning("作業中のプログラムがあるため、この処理を実行できません"));

  testing::RecordingProgress progress;
  PageDeletion deletion = deletePage(document, 2, progress);
  const Project& after = document.project();
  ASSERT_EQ(after.pageCount(), 4);
  EXPECT_EQ(after.pages[2].name, "three");
  EXPECT_EQ(after.pages[2].text, "third");
  EXPECT_EQ(after.pages[1].buttons[0][F::JumpTarget], " 3");
  EXPECT_EQ(after.pages[1].buttons[1][F::ConditionTarget], "");
  EXPECT_EQ(after.pages[3].buttons[0][F::JumpTarget], "");
  EXPECT_EQ(after.pages[3].buttons[3][F::ConditionTarget], "");
  EXPECT_EQ(after.pages[4].buttons[0][F::JumpTarget], "1");
  EXPECT_EQ(after.pages[4].buttons[0][F::ConditionTarget], " 4");
  EXPECT_EQ(deletion.affected, (std::vector<AffectedPage>{{1, "one"}, {3, "four"}, {3, "four"}}));
  EXPECT_EQ(progress.calls, (Lines{"show ページの削除", "maximum 7", "value 0", "label リストを再構築しています...",
                                   "label 各ページへのリンクをチェックしています...", "value 1", "value 2", "value 3",
                                   "value 4", "hide"}));
}

TEST(PageOperations, DeletingTheLastPageMovesNothing) {
  Project project = pagesNamed({"one", "two"});
  project.pages[1].buttons[0][F::JumpTarget] = "2";
  project.pages[1].buttons[1][F::JumpTarget] = "1";
  ProjectDocument document(project);
  platform::SilentProgress progress;
  EXPECT_EQ(deletePage(document, 2, progress).affected, (std::vector<AffectedPage>{{1, "one"}}));
  EXPECT_EQ(document.project().pages[1].buttons[1][F::JumpTarget], "1");
  EXPECT_TRUE(deletePage(document, 1, progress).affected.empty());
  EXPECT_EQ(document.project().pageCount(), 0);
}

TEST(ResourceOperations, AddingChecksNamesExactlyAndTheLimit) {
  ProjectDocument document;
  EXPECT_EQ(resourceFileDialog(ResourceKind::Cg),
            (project::FileDialogRequest{"ＣＧファイルの読み込み", "ピクチャーファイル(*.BMP,*.JPG)|*.BMP;*.JPG"}));
  EXPECT_EQ(resourceNamePrompt(ResourceKind::Chr, "C:\\pictures\\hero.bmp"),
            (project::InputRequest{"キャラクターファイルの名前を付けてください", "ＣＧファイルの設定", "hero.bmp"}));
  EXPECT_FALSE(addResource(document, ResourceKind::Cg, "forest", "C:\\forest.bmp"));
  EXPECT_EQ(addResource(document, ResourceKind::Cg, "forest", "C:\\other.bmp"),
            project::warning("同じ名前のＣＧファイルがすでに存在しています。"));
  EXPECT_FALSE(addResource(document, ResourceKind::Cg, "Forest", "C:\\other.bmp"));
  EXPECT_FALSE(addResource(document, ResourceKind::Cg, "", "C:\\nameless.bmp"));
  EXPECT_EQ(document.project().cgs.count(), 2);
  EXPECT_EQ(document.project().cgs[1], (project::Resource{"forest", "C:\\forest.bmp"}));

  for (int i = 0; i < project::kMaxResources - 1; ++i) {
    ASSERT_FALSE(addResource(document, ResourceKind::Bgm, "music" + std::to_string(i), "m.mid"));
  }
  EXPECT_FALSE(addResource(document, ResourceKind::Bgm, "the 1000th", "m.mid"));
  EXPECT_EQ(addResource(document, ResourceKind::Bgm, "the 1001st", "m.mid"),
            project::warning("これ以上ＢＧＭファイルを追加する事は出来ません。"));
  EXPECT_EQ(document.project().bgms.count(), project::kMaxResources);
}

TEST(ResourceOperations, RemovingCgTwoOfThreeRenumbersPages) {
  Project project = pagesNamed({"a", "b", "c", "d", "e"});
  for (const char* name : {"one", "two", "three"}) project.cgs.append({name, std::string(name) + ".bmp"});
  project.pages[1].backgroundCg = PageReference::number(1);
  project.pages[2].backgroundCg = PageReference::text("2");
  project.pages[3].backgroundCg = PageReference::text(" 3");
  project.pages[5].backgroundCg = PageReference::number(0);
  ProjectDocument document(project);
  EXPECT_EQ(resourceRemovalQuestion(document.project(), ResourceKind::Cg, 2),
            project::question("two\r\nを、ＣＧリストから削除してもよろしいですか。"));
  EXPECT_FALSE(resourceRemovalQuestion(document.project(), ResourceKind::Cg, 0));

  Observed observed(document);
  testing::RecordingProgress progress;
  removeResource(document, ResourceKind::Cg, 2, progress);
  const Project& after = document.project();
  EXPECT_EQ(after.cgs.count(), 2);
  EXPECT_EQ(after.cgs[2], (project::Resource{"three", "three.bmp"}));
  EXPECT_EQ(after.pages[1].backgroundCg, PageReference::number(1));
  EXPECT_EQ(after.pages[2].backgroundCg, PageReference::number(0));
  EXPECT_EQ(after.pages[3].backgroundCg, PageReference::number(2));
  EXPECT_FALSE(after.pages[4].backgroundCg.isSet());
  EXPECT_EQ(after.pages[5].backgroundCg, PageReference::number(0));
  EXPECT_EQ(progress.calls.front(), "show ＣＧリストから、項目の削除");
  EXPECT_EQ(progress.calls[4], "label ＣＧファイルへのリンクをチェックしています...");
  // The row and exactly the pages whose reference changed.
  auto cg = [](int page) { return Change::pageContent(page, project::PageField::BackgroundCg); };
  EXPECT_EQ(observed.changes, (std::vector<Change>{Change::rowsRemoved(project::ListKind::Cgs, 2), cg(2), cg(3)}));
}

TEST(ResourceOperations, RemovingCharacterOneMovesTheOthersDown) {
  Project project = pagesNamed({"a", "b"});
  project.chrs.append({"first", "first.bmp"});
  project.chrs.append({"second", "second.bmp"});
  project.cgs.append({"untouched", "bg.bmp"});
  project.pages[1].character = PageReference::number(2);
  project.pages[1].backgroundCg = PageReference::number(1);
  project.pages[2].character = PageReference::number(1);
  ProjectDocument document(project);
  platform::SilentProgress progress;
  removeResource(document, ResourceKind::Chr, 1, progress);
  removeResource(document, ResourceKind::Chr, 9, progress);  // no such entry: nothing
  const Project& after = document.project();
  EXPECT_EQ(after.chrs.count(), 1);
  EXPECT_EQ(after.chrs[1].path, "second.bmp");
  EXPECT_EQ(after.pages[1].character, PageReference::number(1));
  EXPECT_EQ(after.pages[1].backgroundCg, PageReference::number(1));
  EXPECT_EQ(after.pages[2].character, PageReference::number(0));
}

class VariableDeletion : public ::testing::Test {
 protected:
  void SetUp() override {
    Project project = project::newProject();
    for (const char* name : {"v1", "v2", "v3", "v4"}) project.variables.append(name);
    document_ = ProjectDocument(project);
  }

  ButtonEvent deleteSecond(const ButtonEvent& button) {
    document_.setButton(1, 0, button);
    platform::SilentProgress progress;
    deleteVariable(document_, 2, progress);
    return document_.project().pages[1].buttons[0];
  }

  static ButtonEvent condition(const char* variable1, const char* logic, const char* variable2) {
    ButtonEvent button;
    button[F::Caption] = "go";
    button[F::ConditionVariable1] = variable1;
    button[F::Comparison1] = "1";
    button[F::ConditionValue1] = "1";
    button[F::Logic] = logic;
    button[F::ConditionVariable2] = variable2;
    button[F::Comparison2] = "2";
    button[F::ConditionValue2] = "0";
    button[F::ConditionTarget] = "1";
    return button;
  }

  ProjectDocument document_;
};

TEST_F(VariableDeletion, AFirstConditionOnItGivesWayToTheSecond) {
  ButtonEvent after = deleteSecond(condition("2", "1", "4"));
  EXPECT_EQ(after[F::ConditionVariable1], " 3");
  EXPECT_EQ(after[F::Comparison1], "2");
  EXPECT_EQ(after[F::ConditionValue1], "0");
  EXPECT_EQ(after[F::Logic], "0");
  EXPECT_EQ(after[F::ConditionVariable2], "0");
  EXPECT_EQ(after[F::Comparison2], "0");
  EXPECT_EQ(after[F::ConditionValue2], "");
  EXPECT_EQ(after[F::ConditionTarget], "1");
  EXPECT_EQ(document_.project().variables.count(), 3);
  EXPECT_EQ(document_.project().variables[2], "v3");
}

TEST_F(VariableDeletion, AConditionOnlyOnItIsClearedWithItsTarget) {
  ButtonEvent after = deleteSecond(condition("2", "0", "0"));
  for (F field : {F::ConditionVariable1, F::Comparison1, F::Logic, F::ConditionVariable2, F::Comparison2, F::ConditionTarget}) {
    EXPECT_EQ(after[field], "0");
  }
  EXPECT_EQ(after[F::ConditionValue1], "");
  EXPECT_EQ(after[F::ConditionValue2], "");
  EXPECT_EQ(after.caption(), "go");

  after = deleteSecond(condition("1", "2", "2"));  // v2 is now the old v3: the second condition goes
  EXPECT_EQ(after[F::ConditionVariable1], "1");
  EXPECT_EQ(after[F::Logic], "0");
  EXPECT_EQ(after[F::ConditionVariable2], "0");
  EXPECT_EQ(after[F::ConditionTarget], "1");
}

TEST_F(VariableDeletion, OperationsAreRenumberedOrCleared) {
  ButtonEvent operation;
  operation[F::OperationTiming] = "1";
  operation[F::OperationVariable] = "3";
  operation[F::OperationOperator] = "2";
  operation[F::OperationValue] = "5";
  ButtonEvent after = deleteSecond(operation);
  EXPECT_EQ(after[F::OperationVariable], " 2");
  EXPECT_EQ(after[F::OperationTiming], "1");
  after = deleteSecond(after);
  EXPECT_EQ(after[F::OperationTiming], "0");
  EXPECT_EQ(after[F::OperationVariable], "0");
  EXPECT_EQ(after[F::OperationOperator], "0");
  EXPECT_EQ(after[F::OperationValue], "");
}

TEST_F(VariableDeletion, ListQuestionAndProgress) {
  VariableDeletionList list = openVariableDeletion(document_.project(), WorkListMode::Idle);
  EXPECT_FALSE(list.refusal);
  EXPECT_EQ(list.caption, "変数の削除");
  EXPECT_EQ(list.names, (Lines{"v1", "v2", "v3", "v4"}));
  EXPECT_TRUE(openVariableDeletion(document_.project(), WorkListMode::Variables).refusal);
  EXPECT_EQ(variableDeletionQuestion(document_.project(), 2),
            (Message{"v2\r\nを、削除してもよろしいですか", "変数の削除", project::MessageIcon::Question,
                     project::MessageButtons::OkCancel}));
  testing::RecordingProgress progress;
  deleteVariable(document_, 1, progress);
  EXPECT_EQ(progress.calls, (Lines{"show 変数の削除", "label リストの再構築をしています...", "maximum 1", "value 0",
                                   "label 変数への参照を修正しています...", "value 1", "hide"}));
}

TEST(VariableDefinition, RefusesADuplicateName) {
  ProjectDocument document;
  EXPECT_EQ(variableNamePrompt(), (project::InputRequest{"新しく設定する変数の名前を入力してください", "変数名の入力", ""}));
  EXPECT_FALSE(defineVariable(document, "flag"));
  EXPECT_EQ(defineVariable(document, "flag"), project::warning("同じ名前の変数がすでに定義されています"));
  EXPECT_FALSE(defineVariable(document, "Flag"));
  EXPECT_FALSE(defineVariable(document, ""));
  EXPECT_EQ(document.project().variables.count(), 2);
}

}  // namespace
}  // namespace pryx::authoring
