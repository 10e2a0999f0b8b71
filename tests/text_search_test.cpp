// Search and replace over sample projects: every hit is the text at its place, every
// occurrence is a hit, and a replacement is one step that undo takes back whole.

#include "authoring/text_search.h"

#include "tests/support/sample_projects.h"

#include <gtest/gtest.h>

namespace pryx::authoring {
namespace {

// Occurrences of `text` in `field`, counted without overlap as the search counts them.
std::size_t occurrences(const std::string& field, const std::string& text) {
  std::size_t count = 0;
  for (std::size_t at = field.find(text); at != std::string::npos; at = field.find(text, at + text.size())) ++count;
  return count;
}

TEST(TextSearch, HitsAreTheTextAtTheirPlaceAndReplacingIsOneStep) {
  for (std::uint32_t seed = 1; seed <= 4; ++seed) {
    const project::Project project = project::samples::sampleProject({.pages = 40, .seed = seed});
    for (const std::string text : {"一行目", "Go", "e", "_", "page1", "こんにちは、世界。"}) {
      const std::vector<SearchHit> hits = findText(project, text);
      std::size_t replaceable = 0;
      for (const SearchHit& hit : hits) {
        const std::string* field = searchedField(project, hit);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->substr(hit.offset, hit.length), text) << searchPlaceText(project, hit);
        replaceable += hit.place == SearchPlace::Message || hit.place == SearchPlace::Caption;
      }
      std::size_t everywhere = 0;
      for (const project::Page& page : project.pages) {
        everywhere += occurrences(page.name, text) + occurrences(page.text, text);
        for (const project::ButtonEvent& button : page.buttons) everywhere += occurrences(button.caption(), text);
      }
      for (const auto* list : {&project.cgs, &project.chrs, &project.bgms}) {
        for (const project::Resource& resource : *list) everywhere += occurrences(resource.name, text);
      }
      for (const std::string& variable : project.variables) everywhere += occurrences(variable, text);
      EXPECT_EQ(hits.size(), everywhere) << text;

      project::ProjectDocument document(project);
      EXPECT_EQ(replaceText(document, text, "〈" + text + "〉"), static_cast<int>(replaceable));
      if (replaceable == 0) {
        EXPECT_FALSE(document.canUndo());
        continue;
      }
      EXPECT_EQ(document.undoName(), kReplaceStep);
      EXPECT_EQ(findText(document.project(), "〈" + text + "〉").size(), replaceable);
      document.undo();
      EXPECT_EQ(document.project(), project);
      EXPECT_FALSE(document.canUndo());
    }
  }
  EXPECT_TRUE(findText(project::newProject(), "").empty());
}

}  // namespace
}  // namespace pryx::authoring
