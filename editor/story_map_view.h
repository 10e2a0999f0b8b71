#pragma once
// The story map's drawing: a box for every page (its number, name and the first
// line of its message) and an arrow for every jump, labelled with the button's
// caption; the two jumps of a conditional button are marked THEN and GOTO. The
// wheel zooms and dragging pans (also "+", "-" and Ctrl with the arrow keys); the
// arrow keys move between linked pages and Enter or a double-click chooses one.
// Screen readers see every box as an item named after its page.

#include "authoring/story_map.h"

#include "project/story_graph.h"

#include <QGraphicsView>

#include <set>
#include <vector>

class QAccessibleInterface;
class QGraphicsItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;

namespace pryx::editor {

class StoryMapView final : public QGraphicsView {
  Q_OBJECT

 public:
  explicit StoryMapView(QWidget* parent = nullptr);
  ~StoryMapView() override;

  // Every box and arrow drawn anew in a new layout; the zoom and the place shown stay.
  void showMap(const project::Project& project, const project::StoryGraph& graph, authoring::LayerTree tree,
               authoring::MapLayout layout);
  // The layout stays: these pages' boxes and arrows are drawn again.
  void redrawPages(const project::Project& project, const project::StoryGraph& graph, const std::set<int>& pages);
  // Pages with findings are marked, those no route reaches shaded; each box's tool tip tells its findings.
  void markFindings(const project::Project& project, const std::vector<project::StoryFinding>& findings);
  // Highlighted and scrolled into view; the keyboard goes on from there.
  void setCurrentPage(int page);

  int pageCount() const { return static_cast<int>(boxes_.size()) - 1; }
  // The pages that have a box, in page order: all, or the neighbourhood of a large project's current page.
  const std::vector<int>& shownPages() const { return shown_; }
  bool shows(int page) const;
  // The page the keyboard stands on; 0 when none.
  int focusPage() const { return focus_; }
  // What the box of `page` says, and where it is on the screen.
  QString pageName(int page) const;
  QString pageSummary(int page) const;
  QRect pageScreenRect(int page) const;
  // Moves the keyboard's place to the page and shows it.
  void focusOn(int page);
  // The screen reader's item for a box, made once.
  QAccessibleInterface* boxAccessible(int page);

 signals:
  void pageChosen(int page);

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  struct Box {
    QGraphicsRectItem* frame = nullptr;
    QGraphicsSimpleTextItem* title = nullptr;
    QGraphicsSimpleTextItem* line = nullptr;
    QString name;
    QString summary;  // the first line of its message
    std::vector<QGraphicsItem*> arrows;  // the page's jumps, drawn from it
    std::vector<int> targets;            // where they lead, in button order: a page once for each arrow
    bool marked = false;
    bool unreachable = false;
  };

  void drawPage(const project::Project& project, const project::StoryGraph& graph, int page);
  void drawArrow(Box& box, const project::Page& page, const project::StoryJump& jump, bool conditional);
  void paintBox(int page);
  void zoom(double factor);
  // Up: a page that jumps here; Down: where this page jumps; Left and Right: the
  // other pages the page above jumps to.
  void moveFocus(int key);
  std::vector<int> sourcesOf(int page) const;

  std::vector<Box> boxes_;  // index page, 0 unused
  std::vector<int> shown_;
  authoring::LayerTree tree_;
  authoring::MapLayout layout_;
  int current_ = 0;
  int focus_ = 0;
  int above_ = 0;  // the page the keyboard came down from
  QGraphicsRectItem* focusFrame_ = nullptr;
  std::vector<QAccessibleInterface*> accessibles_;  // index page, made on demand
};

}  // namespace pryx::editor
