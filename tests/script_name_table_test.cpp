#include <gtest/gtest.h>

#include <string>

#include "script/name_table.h"

namespace pryx::script {
namespace {

TEST(NameTable, FirstDefinitionAnswersThroughEveryGrowth) {
  NameTable table;
  std::vector<std::string> names;
  for (int i = 0; i < 5000; ++i) names.push_back("名前" + std::to_string(i));
  for (int i = 0; i < 5000; ++i) EXPECT_FALSE(table.add(names[static_cast<std::size_t>(i)], i + 1));
  // A second definition of every tenth name: numbered on, but the first keeps answering.
  for (int i = 0; i < 5000; i += 10) {
    auto earlier = table.add(names[static_cast<std::size_t>(i)], 9000 + i);
    ASSERT_TRUE(earlier);
    EXPECT_EQ(earlier->number, i + 1);
    EXPECT_EQ(earlier->line, i + 1);
  }
  EXPECT_EQ(table.count(), 5500);
  for (int i = 0; i < 5000; ++i) EXPECT_EQ(table.find(names[static_cast<std::size_t>(i)]), i + 1);
  EXPECT_EQ(table.find("名前5000"), 0);
  EXPECT_EQ(table.find(""), 0);
  EXPECT_EQ(NameTable().find("x"), 0);
}

TEST(NameTable, ComparesNamesExactly) {
  NameTable table;
  table.add("", 1);
  table.add("Forest", 2);
  table.add("forest", 3);
  table.add("forest ", 4);
  EXPECT_EQ(table.find(""), 1);  // an empty name is a name like any other here
  EXPECT_EQ(table.find("forest"), 3);
  EXPECT_EQ(table.find("forest "), 4);
  EXPECT_EQ(table.find("FOREST"), 0);
}

}  // namespace
}  // namespace pryx::script
