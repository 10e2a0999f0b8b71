// What the author types before playing in the player becomes the run's start.

#include "editor/player_start.h"

#include <gtest/gtest.h>

#include <variant>

namespace pryx::editor {
namespace {

TEST(PlayerStartChoice, TypedValuesBecomePresetsAndAnythingButAWholeNumberIsNamed) {
  project::Project project = project::newProject();
  for (const char* name : {"絆", "団子", "coins"}) project.variables.append(name);
  project.pages.append(project::Page{"two", {}, {}, {}, {}, {}, {}});
  PlayerStartChoice choice;
  EXPECT_EQ(choice.value("絆"), "0");
  choice.setValue("絆", " -3 ");
  choice.setValue("団子", " ");
  choice.setValue("coins", "2147483647");

  for (auto [page, label] : {std::pair{2, 2}, std::pair{1, 1}, std::pair{0, 1}, std::pair{3, 1}}) {
    auto start = choice.startAt(project, page);
    ASSERT_TRUE(std::holds_alternative<player::StartPosition>(start));
    EXPECT_EQ(std::get<player::StartPosition>(start).label, label) << page;
    // A variable left at 0 needs no preset: the game starts it there.
    EXPECT_EQ(std::get<player::StartPosition>(start).variables,
              (std::vector<player::VariablePreset>{{1, -3}, {3, 2147483647}}));
  }
  for (const char* wrong : {"-", "1.5", "x", "2147483648", "3a"}) {
    choice.setValue("団子", wrong);
    auto start = choice.startAt(project, 1);
    ASSERT_TRUE(std::holds_alternative<project::Message>(start)) << wrong;
    EXPECT_NE(std::get<project::Message>(start).text.find("団子"), std::string::npos);
  }
}

}  // namespace
}  // namespace pryx::editor
