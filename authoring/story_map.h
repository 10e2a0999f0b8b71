#pragma once
// Where the story map draws each page's box and each jump's arrow. Graphviz's dot
// lays the pages out in layers from page 1 along the layer tree: for every page the
// first jump, going out from page 1 in page and button order, that reaches it
// (pages no route reaches form trees of their own, in page order). Every other jump
// is drawn from box to box by the map itself: a story's jumps cross back and forth,
// and dot needs minutes for a few hundred pages given all of them.

#include "project/story_graph.h"

#include <cstdint>
#include <vector>

namespace pryx::authoring {

struct MapPoint {
  double x = 0;
  double y = 0;
  bool operator==(const MapPoint&) const = default;
};

struct LayerTree {
  // Index p (0 unused): the jump that brings page p into its layer; `to` 0 for a root
  // and for a page not shown.
  std::vector<project::StoryJump> into;
  // Index p: whether the map shows page p; empty when it shows every page.
  std::vector<bool> shown;

  bool shows(std::int64_t page) const;
  bool contains(const project::StoryJump& jump) const;
  bool operator==(const LayerTree&) const = default;
};

// The tree over the pages `shown` (empty: all), the first tree rooted at `firstRoot`.
LayerTree layerTree(const project::StoryGraph& graph, std::vector<bool> shown = {}, int firstRoot = 1);

// The pages nearest to `centre`, following jumps both ways, at most `limit` of them:
// what the map of a large project shows at once.
std::vector<bool> neighbourhood(const project::StoryGraph& graph, int centre, int limit);

struct MapLayout {
  MapPoint box;  // every box's width and height
  // Index p (0 unused): the centre of page p's box, y growing downwards; (0, 0) for a
  // page not shown.
  std::vector<MapPoint> centres;
  // Index p: the arrow of the tree jump into page p as cubic Bézier points (start,
  // then two controls and an end for each piece); empty for a root.
  std::vector<std::vector<MapPoint>> treePaths;
  MapPoint size;  // of the whole map, from (0, 0)

  bool operator==(const MapLayout&) const = default;
};

MapLayout layOutMap(const LayerTree& tree, MapPoint box);

// The arrow of a jump that leads to a page: the layout's own for a tree jump, else
// a curve from box to box (a loop beside the box for a jump to its own page).
std::vector<MapPoint> arrowPath(const MapLayout& layout, const LayerTree& tree, const project::StoryJump& jump);

}  // namespace pryx::authoring
