// Undo and redo of the document: every edit the editor makes, through the same
// operations its windows call, comes back byte for byte.

#include "authoring/page_operations.h"
#include "authoring/resource_operations.h"
#include "authoring/variable_operations.h"
#include "project/project_file.h"

#include "tests/support/sample_projects.h"

#include <gtest/gtest.h>

#include <random>

namespace pryx::project {
namespace {

// One random edit of the kinds the editor's windows make.
void randomEdit(ProjectDocument& document, std::mt19937& random) {
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const Project& project = document.project();
  int page = pick(1, project.pageCount());
  platform::SilentProgress progress;
  switch (pick(0, 9)) {
    case 0:
      document.setPageText(page, "text " + std::to_string(pick(0, 99)) + "\r\nline");
      break;
    case 1:
      document.setButtonField(page, pick(0, 4), static_cast<ButtonField>(pick(0, kButtonFieldCount - 1)),
                              std::to_string(pick(0, project.pageCount())));
      break;
    case 2: {
      auto kind = kResourceKinds[static_cast<std::size_t>(pick(0, 2))];
      document.setPageReference(page, kind, PageReference::number(pick(0, project.resources(kind).count())));
      break;
    }
    case 3: {
      PageOptions options;
      options.speed = static_cast<std::int16_t>(pick(0, 100));
      options.speedOn = pick(0, 1) == 1;
      options.textColour = pick(0, 0xFFFFFF);
      document.setPageOptions(page, options);
      break;
    }
    case 4:
      document.setProjectOption(static_cast<ProjectOption>(pick(1, kProjectOptionCount)), std::to_string(pick(0, 9)));
      break;
    case 5:
      if (pick(0, 1) == 0) authoring::addPage(document, "page" + std::to_string(pick(0, 999)));
      else authoring::copyPage(document, page, "copy" + std::to_string(pick(0, 999)));
      break;
    case 6:
      if (project.pageCount() > 1) authoring::deletePage(document, page, progress);
      break;
    case 7: {
      auto kind = kResourceKinds[static_cast<std::size_t>(pick(0, 2))];
      if (pick(0, 1) == 0 || project.resources(kind).empty()) {
        authoring::addResource(document, kind, "r" + std::to_string(pick(0, 9999)), "file.bmp");
      } else {
        authoring::removeResource(document, kind, pick(1, project.resources(kind).count()), progress);
      }
      break;
    }
    case 8:
      if (pick(0, 1) == 0 || project.variables.empty()) {
        authoring::defineVariable(document, "v" + std::to_string(pick(0, 9999)));
      } else {
        authoring::deleteVariable(document, pick(1, project.variables.count()), progress);
      }
      break;
    case 9:
      authoring::retitlePage(document, page, "title" + std::to_string(pick(0, 99)));
      break;
  }
}

TEST(DocumentUndo, TakesBackAndRemakesRandomEditsExactly) {
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE(seed);
    const Project original = samples::sampleProject({.pages = 12, .seed = seed});
    ProjectDocument document(original);
    std::mt19937 random(seed);
    for (int i = 0; i < 200; ++i) randomEdit(document, random);
    const Project edited = document.project();
    ASSERT_NE(edited, original);

    while (document.canUndo()) document.undo();
    EXPECT_EQ(document.project(), original);
    EXPECT_EQ(encodeProjectFile(document.project()).bytes, encodeProjectFile(original).bytes);
    EXPECT_FALSE(document.isModified());

    while (document.canRedo()) document.redo();
    EXPECT_EQ(document.project(), edited);
    EXPECT_TRUE(document.isModified());
  }
}

TEST(DocumentUndo, ViewsFollowEveryUndoneRowAndField) {
  // A mirror kept only from what observers are told stays equal to the model.
  ProjectDocument document(samples::sampleProject({.pages = 8, .seed = 3}));
  auto names = [&] {
    std::vector<std::string> model;
    for (const Page& page : document.project().pages) model.push_back(page.name);
    return model;
  };
  std::vector<std::string> pageNames = names();
  int announced = 0;
  auto subscription = document.subscribe([&](const Change& change) {
    if (change.list != ListKind::Pages) return;
    auto at = pageNames.begin() + (change.first - 1);
    if (change.announcement()) {
      EXPECT_EQ(std::exchange(announced, 0), 1) << "rows moved without being announced";
    }
    switch (change.kind) {
      case Change::Kind::RowsAboutToBeInserted:
      case Change::Kind::RowsAboutToBeRemoved:
        EXPECT_EQ(pageNames, names()) << "announced after the rows moved";
        ++announced;
        break;
      case Change::Kind::RowsInserted: pageNames.insert(at, document.project().pages[change.first].name); break;
      case Change::Kind::RowsRemoved: pageNames.erase(at); break;
      case Change::Kind::RowRenamed: *at = document.project().pages[change.first].name; break;
      default: break;
    }
  });
  std::mt19937 random(11);
  for (int i = 0; i < 150; ++i) {
    randomEdit(document, random);
    ASSERT_EQ(pageNames, names());
  }
  while (document.canUndo()) {
    document.undo();
    ASSERT_EQ(pageNames, names());
  }
}

TEST(DocumentUndo, TypingInOneFieldIsOneStepUntilAnotherFieldOrASave) {
  ProjectDocument document;
  for (std::string text : {"a", "ab", "abc"}) document.setPageText(1, text);
  document.setButtonField(1, 0, ButtonField::Caption, "go");
  document.setPageText(1, "abcd");
  document.undo();
  EXPECT_EQ(document.project().pages[1].text, "abc");
  document.undo();
  document.undo();
  EXPECT_EQ(document.project().pages[1].text, "");
  EXPECT_FALSE(document.canUndo());

  // After a save, more typing is a new step: undo returns to the saved state.
  document.redo();
  document.markSaved("game.PXK", "105");
  document.setPageText(1, "abcX");
  EXPECT_TRUE(document.isModified());
  document.undo();
  EXPECT_FALSE(document.isModified());
  EXPECT_EQ(document.project().pages[1].text, "abc");

  // An edit after undoing past the saved state makes that state unreachable.
  document.undo();
  document.setPageText(1, "other");
  while (document.canUndo()) document.undo();
  EXPECT_TRUE(document.isModified());
}

TEST(DocumentUndo, AFailingStepLeavesNothingBehind) {
  ProjectDocument document;
  const Project before = document.project();
  EXPECT_THROW(document.step("broken", [&] {
    document.insertPage(2, Page{"added", {}, {}, {}, {}, {}, {}});
    document.setPageText(2, "text");
    document.setPageText(3, "no such page");
  }),
               std::out_of_range);
  EXPECT_EQ(document.project(), before);
  EXPECT_FALSE(document.canUndo());
}

}  // namespace
}  // namespace pryx::project
