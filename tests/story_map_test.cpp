// The story map's layer tree and layout over sample projects: the tree is made of the
// story's own jumps, reaches from page 1 exactly the pages the graph calls reachable,
// and every page shown gets a box of its own with an arrow for each jump.

#include "authoring/story_map.h"

#include "tests/support/sample_projects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace pryx::authoring {
namespace {

// The root of the tree `page` stands in.
int rootOf(const LayerTree& tree, int page) {
  for (int steps = 0; tree.into[static_cast<std::size_t>(page)].to != 0; ++steps) {
    if (steps > static_cast<int>(tree.into.size())) return 0;  // a cycle: no tree
    page = tree.into[static_cast<std::size_t>(page)].from;
  }
  return page;
}

TEST(StoryMap, TheLayerTreeFollowsTheJumpsAndEveryShownPageHasABox) {
  for (std::uint32_t seed = 1; seed <= 5; ++seed) {
    const project::Project project = project::samples::sampleProject({.pages = 60, .seed = seed});
    const project::StoryGraph graph = project::storyGraph(project);
    for (bool whole : {true, false}) {
      const int centre = 1 + static_cast<int>(seed) * 7;
      std::vector<bool> shown = whole ? std::vector<bool>{} : neighbourhood(graph, centre, 20);
      if (!whole) {
        EXPECT_LE(std::count(shown.begin(), shown.end(), true), 20);
        EXPECT_TRUE(shown[static_cast<std::size_t>(centre)]);
      }
      const LayerTree tree = layerTree(graph, shown, whole ? 1 : centre);
      for (int page = 1; page <= graph.pageCount; ++page) {
        const project::StoryJump& into = tree.into[static_cast<std::size_t>(page)];
        if (into.to != 0) {
          const auto& jumps = graph.jumpsFrom[static_cast<std::size_t>(into.from)];
          EXPECT_NE(std::find(jumps.begin(), jumps.end(), into), jumps.end()) << "seed " << seed << ", page " << page;
          EXPECT_TRUE(tree.shows(into.from) && tree.shows(page));
        }
        if (whole) {
          EXPECT_EQ(rootOf(tree, page) == 1, graph.reachable[static_cast<std::size_t>(page)]) << "page " << page;
        }
      }

      const MapLayout layout = layOutMap(tree, {180, 52});
      std::set<std::pair<double, double>> places;
      for (int page = 1; page <= graph.pageCount; ++page) {
        if (!tree.shows(page)) continue;
        const MapPoint centreOf = layout.centres[static_cast<std::size_t>(page)];
        EXPECT_TRUE(places.insert({centreOf.x, centreOf.y}).second) << "two boxes at one place";
        EXPECT_TRUE(centreOf.x >= 0 && centreOf.x <= layout.size.x && centreOf.y >= 0 && centreOf.y <= layout.size.y);
        for (const project::StoryJump& jump : graph.jumpsFrom[static_cast<std::size_t>(page)]) {
          if (graph.leadsToAPage(jump) && tree.shows(jump.to)) {
            EXPECT_GE(arrowPath(layout, tree, jump).size(), 4u);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace pryx::authoring
