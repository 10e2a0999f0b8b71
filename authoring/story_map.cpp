#include "authoring/story_map.h"

#include <graphviz/gvc.h>

#include <cmath>
#include <string>

namespace pryx::authoring {
namespace {

using project::StoryGraph;
using project::StoryJump;

constexpr double kPointsPerInch = 72;
// Above this many pages dot's crossing reduction and placement get a budget, so
// that the largest projects are laid out in seconds, not minutes.
constexpr int kLargeMap = 2000;

// cgraph takes names and values as char* and copies them.
char* text(const char* value) { return const_cast<char*>(value); }

void set(Agraph_t* graph, int kind, const char* name, const std::string& value) {
  agattr(graph, kind, text(name), text(value.c_str()));
}

struct GraphvizContext {
  GVC_t* context = gvContext();
  Agraph_t* graph = agopen(text("story"), Agdirected, nullptr);
  ~GraphvizContext() {
    gvFreeLayout(context, graph);
    agclose(graph);
    gvFreeContext(context);
  }
};

// Without a layout (dot refused the graph) the boxes stand in rows of ten.
MapLayout gridLayout(int pages, MapPoint box) {
  MapLayout layout{box, std::vector<MapPoint>(static_cast<std::size_t>(pages) + 1),
                   std::vector<std::vector<MapPoint>>(static_cast<std::size_t>(pages) + 1), {}};
  for (int page = 1; page <= pages; ++page) {
    layout.centres[static_cast<std::size_t>(page)] = {box.x * 1.5 * ((page - 1) % 10) + box.x,
                                                      box.y * 2 * ((page - 1) / 10) + box.y};
  }
  layout.size = {box.x * 16, box.y * 2 * ((pages + 9) / 10 + 1)};
  return layout;
}

MapPoint offset(MapPoint point, double dx, double dy) { return {point.x + dx, point.y + dy}; }

}  // namespace

bool LayerTree::shows(std::int64_t page) const {
  return page >= 1 && static_cast<std::size_t>(page) < into.size() && (shown.empty() || shown[static_cast<std::size_t>(page)]);
}

bool LayerTree::contains(const StoryJump& jump) const {
  return shows(jump.to) && into[static_cast<std::size_t>(jump.to)] == jump;
}

LayerTree layerTree(const StoryGraph& graph, std::vector<bool> shown, int firstRoot) {
  LayerTree tree;
  tree.into.resize(static_cast<std::size_t>(graph.pageCount) + 1);
  tree.shown = std::move(shown);
  std::vector<bool> placed(tree.into.size(), false);
  for (int page = 1; page <= graph.pageCount; ++page) placed[static_cast<std::size_t>(page)] = !tree.shows(page);
  std::vector<int> roots = {firstRoot};
  for (int page = 1; page <= graph.pageCount; ++page) roots.push_back(page);
  std::vector<int> layer;
  for (int root : roots) {
    if (root < 1 || root > graph.pageCount || placed[static_cast<std::size_t>(root)]) continue;
    placed[static_cast<std::size_t>(root)] = true;
    layer = {root};
    while (!layer.empty()) {
      std::vector<int> next;
      for (int page : layer) {
        for (const StoryJump& jump : graph.jumpsFrom[static_cast<std::size_t>(page)]) {
          if (!graph.leadsToAPage(jump) || placed[static_cast<std::size_t>(jump.to)]) continue;
          placed[static_cast<std::size_t>(jump.to)] = true;
          tree.into[static_cast<std::size_t>(jump.to)] = jump;
          next.push_back(static_cast<int>(jump.to));
        }
      }
      layer = std::move(next);
    }
  }
  return tree;
}

std::vector<bool> neighbourhood(const StoryGraph& graph, int centre, int limit) {
  std::vector<bool> near(static_cast<std::size_t>(graph.pageCount) + 1, false);
  if (centre < 1 || centre > graph.pageCount || limit < 1) return near;
  std::vector<std::vector<int>> sources(near.size());
  for (int page = 1; page <= graph.pageCount; ++page) {
    for (const StoryJump& jump : graph.jumpsFrom[static_cast<std::size_t>(page)]) {
      if (graph.leadsToAPage(jump)) sources[static_cast<std::size_t>(jump.to)].push_back(page);
    }
  }
  std::vector<int> layer = {centre};
  near[static_cast<std::size_t>(centre)] = true;
  int taken = 1;
  auto take = [&](std::int64_t page, std::vector<int>& next) {
    if (taken >= limit || near[static_cast<std::size_t>(page)]) return;
    near[static_cast<std::size_t>(page)] = true;
    ++taken;
    next.push_back(static_cast<int>(page));
  };
  while (!layer.empty() && taken < limit) {
    std::vector<int> next;
    for (int page : layer) {
      for (const StoryJump& jump : graph.jumpsFrom[static_cast<std::size_t>(page)]) {
        if (graph.leadsToAPage(jump)) take(jump.to, next);
      }
      for (int source : sources[static_cast<std::size_t>(page)]) take(source, next);
    }
    layer = std::move(next);
  }
  return near;
}

MapLayout layOutMap(const LayerTree& tree, MapPoint box) {
  const int pages = static_cast<int>(tree.into.size()) - 1;
  if (pages <= 0) return {box, {{}}, {{}}, {}};
  GraphvizContext dot;
  Agraph_t* graph = dot.graph;
  set(graph, AGRAPH, "nodesep", "0.25");
  set(graph, AGRAPH, "ranksep", "0.5");
  int shown = 0;
  for (int page = 1; page <= pages; ++page) shown += tree.shows(page);
  if (shown > kLargeMap) {
    for (const char* budget : {"mclimit", "nslimit", "nslimit1"}) set(graph, AGRAPH, budget, "0.05");
    set(graph, AGRAPH, "searchsize", "10");
  }
  set(graph, AGNODE, "shape", "box");
  set(graph, AGNODE, "fixedsize", "true");
  set(graph, AGNODE, "label", "");
  set(graph, AGNODE, "width", std::to_string(box.x / kPointsPerInch));
  set(graph, AGNODE, "height", std::to_string(box.y / kPointsPerInch));
  set(graph, AGEDGE, "arrowhead", "none");  // the map draws its own at every arrow's end

  std::vector<Agnode_t*> nodes(static_cast<std::size_t>(pages) + 1, nullptr);
  for (int page = 1; page <= pages; ++page) {
    if (tree.shows(page)) nodes[static_cast<std::size_t>(page)] = agnode(graph, text(std::to_string(page).c_str()), 1);
  }
  std::vector<Agedge_t*> edges(nodes.size(), nullptr);
  for (int page = 1; page <= pages; ++page) {
    const StoryJump& into = tree.into[static_cast<std::size_t>(page)];
    if (into.to == 0) continue;
    edges[static_cast<std::size_t>(page)] =
        agedge(graph, nodes[static_cast<std::size_t>(into.from)], nodes[static_cast<std::size_t>(page)], nullptr, 1);
  }
  if (gvLayout(dot.context, graph, "dot") != 0) return gridLayout(pages, box);

  const boxf bounds = GD_bb(graph);
  auto place = [&](pointf point) { return MapPoint{point.x - bounds.LL.x, bounds.UR.y - point.y}; };
  MapLayout layout{box, std::vector<MapPoint>(nodes.size()), std::vector<std::vector<MapPoint>>(nodes.size()),
                   {bounds.UR.x - bounds.LL.x, bounds.UR.y - bounds.LL.y}};
  for (int page = 1; page <= pages; ++page) {
    if (nodes[static_cast<std::size_t>(page)] == nullptr) continue;
    layout.centres[static_cast<std::size_t>(page)] = place(ND_coord(nodes[static_cast<std::size_t>(page)]));
    Agedge_t* edge = edges[static_cast<std::size_t>(page)];
    if (edge == nullptr || ED_spl(edge) == nullptr || ED_spl(edge)->size == 0) continue;
    const bezier& curve = ED_spl(edge)->list[0];
    std::vector<MapPoint>& path = layout.treePaths[static_cast<std::size_t>(page)];
    for (int point = 0; point < curve.size; ++point) path.push_back(place(curve.list[point]));
  }
  return layout;
}

std::vector<MapPoint> arrowPath(const MapLayout& layout, const LayerTree& tree, const StoryJump& jump) {
  const std::size_t to = static_cast<std::size_t>(jump.to);
  if (tree.contains(jump) && !layout.treePaths[to].empty()) return layout.treePaths[to];
  const MapPoint from = layout.centres[static_cast<std::size_t>(jump.from)];
  const MapPoint target = layout.centres[to];
  const double halfWidth = layout.box.x / 2;
  const double halfHeight = layout.box.y / 2;
  if (jump.from == jump.to) {
    MapPoint start = offset(from, halfWidth, -halfHeight / 2);
    MapPoint end = offset(from, halfWidth, halfHeight / 2);
    return {start, offset(start, 40, -30), offset(end, 40, 30), end};
  }
  const double dy = target.y - from.y;
  if (dy > layout.box.y) {  // downwards: from the bottom to the top
    MapPoint start = offset(from, 0, halfHeight);
    MapPoint end = offset(target, 0, -halfHeight);
    return {start, offset(start, 0, (end.y - start.y) / 3), offset(end, 0, -(end.y - start.y) / 3), end};
  }
  if (std::abs(dy) <= layout.box.y) {  // within a layer: an arc over the boxes
    MapPoint start = offset(from, 0, -halfHeight);
    MapPoint end = offset(target, 0, -halfHeight);
    double lift = 30 + std::abs(target.x - from.x) / 6;
    return {start, offset(start, 0, -lift), offset(end, 0, -lift), end};
  }
  // Upwards: out of the right side and round into the target's right side.
  MapPoint start = offset(from, halfWidth, 0);
  MapPoint end = offset(target, halfWidth, 0);
  double swing = 30 + std::abs(dy) / 6;
  return {start, offset(start, swing, 0), offset(end, swing, 0), end};
}

}  // namespace pryx::authoring
