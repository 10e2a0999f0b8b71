#include "editor/story_map_view.h"

#include "project/button_rules.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QGraphicsPathItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QKeyEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace pryx::editor {
namespace {

using project::JumpKind;
using project::StoryJump;

constexpr authoring::MapPoint kBox{180, 52};
constexpr int kPageRole = 0;  // the item data that names a box's page

QString firstLine(const std::string& text) {
  QString all = QString::fromStdString(text);
  return all.left(all.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))));
}

QPainterPath curve(const std::vector<authoring::MapPoint>& points) {
  QPainterPath path(QPointF(points.front().x, points.front().y));
  std::size_t at = 1;
  for (; at + 3 <= points.size(); at += 3) {
    path.cubicTo(points[at].x, points[at].y, points[at + 1].x, points[at + 1].y, points[at + 2].x, points[at + 2].y);
  }
  for (; at < points.size(); ++at) path.lineTo(points[at].x, points[at].y);
  return path;
}

// A box of the map as a screen reader's list item: named after its page, pressed to
// make the page current.
class PageBoxAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  PageBoxAccessible(StoryMapView* view, int page) : view_(view), page_(page) {}

  int page() const { return page_; }
  bool isValid() const override { return view_ != nullptr && view_->shows(page_); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return view_ != nullptr ? view_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text which) const override {
    if (!isValid()) return {};
    if (which == QAccessible::Name) return view_->pageName(page_);
    if (which == QAccessible::Description) return view_->pageSummary(page_);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return isValid() ? view_->pageScreenRect(page_) : QRect(); }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.focusable = true;
    state.selectable = true;
    state.focused = isValid() && view_->hasFocus() && view_->focusPage() == page_;
    state.selected = isValid() && view_->focusPage() == page_;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }
  QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }
  void doAction(const QString& action) override {
    if (!isValid()) return;
    view_->focusOn(page_);
    if (action == pressAction()) emit view_->pageChosen(page_);
  }

 private:
  QPointer<StoryMapView> view_;
  int page_;
};

class StoryMapAccessible final : public QAccessibleWidget {
 public:
  explicit StoryMapAccessible(StoryMapView* view) : QAccessibleWidget(view, QAccessible::List) {}

  int childCount() const override { return static_cast<int>(view()->shownPages().size()); }
  QAccessibleInterface* child(int index) const override {
    return index >= 0 && index < childCount() ? view()->boxAccessible(view()->shownPages()[static_cast<std::size_t>(index)])
                                              : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* box = dynamic_cast<const PageBoxAccessible*>(child);
    const std::vector<int>& shown = view()->shownPages();
    auto at = box != nullptr ? std::lower_bound(shown.begin(), shown.end(), box->page()) : shown.end();
    return at != shown.end() && *at == box->page() ? static_cast<int>(at - shown.begin()) : -1;
  }
  QAccessibleInterface* focusChild() const override {
    return view()->focusPage() >= 1 ? view()->boxAccessible(view()->focusPage()) : nullptr;
  }

 private:
  StoryMapView* view() const { return static_cast<StoryMapView*>(widget()); }
};

QAccessibleInterface* storyMapAccessible(const QString&, QObject* object) {
  auto* view = qobject_cast<StoryMapView*>(object);
  return view != nullptr ? new StoryMapAccessible(view) : nullptr;
}

}  // namespace

StoryMapView::StoryMapView(QWidget* parent) : QGraphicsView(parent), boxes_(1) {
  static const bool installed = [] {
    QAccessible::installFactory(storyMapAccessible);
    return true;
  }();
  (void)installed;
  setScene(new QGraphicsScene(this));
  setDragMode(QGraphicsView::ScrollHandDrag);
  setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
  setRenderHint(QPainter::Antialiasing);
  setFocusPolicy(Qt::StrongFocus);
  setBackgroundBrush(Qt::white);
}

StoryMapView::~StoryMapView() {
  for (QAccessibleInterface* accessible : accessibles_) {
    if (accessible != nullptr) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(accessible));
  }
}

void StoryMapView::showMap(const project::Project& project, const project::StoryGraph& graph, authoring::LayerTree tree,
                           authoring::MapLayout layout) {
  const bool first = pageCount() <= 0;
  const QPointF shown = mapToScene(viewport()->rect().center());
  scene()->clear();
  boxes_.assign(static_cast<std::size_t>(graph.pageCount) + 1, {});
  tree_ = std::move(tree);
  layout_ = std::move(layout);
  while (static_cast<int>(accessibles_.size()) > graph.pageCount + 1) {
    if (accessibles_.back() != nullptr) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(accessibles_.back()));
    accessibles_.pop_back();
  }
  scene()->setSceneRect(-80, -80, layout_.size.x + 200, layout_.size.y + 160);
  shown_.clear();
  for (int page = 1; page <= graph.pageCount; ++page) {
    if (!tree_.shows(page)) continue;
    shown_.push_back(page);
    drawPage(project, graph, page);
  }
  focusFrame_ = scene()->addRect(QRectF(), QPen(Qt::darkBlue, 2, Qt::DotLine));
  focusFrame_->setZValue(3);
  if (current_ > graph.pageCount) current_ = 0;
  if (focus_ > graph.pageCount) focus_ = 0;
  for (int page : shown_) paintBox(page);
  if (!first) centerOn(shown);
  else if (!shown_.empty()) centerOn(boxes_[static_cast<std::size_t>(shows(current_) ? current_ : shown_.front())].frame);
  focusFrame_->hide();
  if (shows(focus_)) focusOn(focus_);
}

void StoryMapView::redrawPages(const project::Project& project, const project::StoryGraph& graph,
                               const std::set<int>& pages) {
  for (int page : pages) {
    if (shows(page)) drawPage(project, graph, page);
  }
}

void StoryMapView::drawPage(const project::Project& project, const project::StoryGraph& graph, int page) {
  Box& box = boxes_[static_cast<std::size_t>(page)];
  const project::Page& shown = project.pages[page];
  if (box.frame == nullptr) {
    const authoring::MapPoint centre = layout_.centres[static_cast<std::size_t>(page)];
    box.frame = scene()->addRect(centre.x - kBox.x / 2, centre.y - kBox.y / 2, kBox.x, kBox.y);
    box.frame->setData(kPageRole, page);
    box.frame->setZValue(2);
    box.title = new QGraphicsSimpleTextItem(box.frame);
    QFont bold = box.title->font();
    bold.setBold(true);
    box.title->setFont(bold);
    box.title->setPos(centre.x - kBox.x / 2 + 6, centre.y - kBox.y / 2 + 5);
    box.line = new QGraphicsSimpleTextItem(box.frame);
    box.line->setPos(centre.x - kBox.x / 2 + 6, centre.y + 3);
  }
  const int room = static_cast<int>(kBox.x) - 12;
  box.name = QString::fromStdString(shown.name);
  box.summary = firstLine(shown.text);
  box.title->setText(QFontMetrics(box.title->font()).elidedText(QStringLiteral("%1 %2").arg(page).arg(box.name),
                                                               Qt::ElideRight, room));
  box.line->setText(QFontMetrics(box.line->font()).elidedText(box.summary, Qt::ElideRight, room));

  for (QGraphicsItem* arrow : box.arrows) delete arrow;
  box.arrows.clear();
  box.targets.clear();
  const std::vector<StoryJump>& jumps = graph.jumpsFrom[static_cast<std::size_t>(page)];
  for (const StoryJump& jump : jumps) {
    if (!graph.leadsToAPage(jump) || !tree_.shows(jump.to)) continue;
    bool conditional = std::any_of(jumps.begin(), jumps.end(), [&](const StoryJump& other) {
      return other.button == jump.button && other.kind == JumpKind::Then;
    });
    drawArrow(box, shown, jump, conditional);
    box.targets.push_back(static_cast<int>(jump.to));
  }
}

void StoryMapView::drawArrow(Box& box, const project::Page& page, const StoryJump& jump, bool conditional) {
  const std::vector<authoring::MapPoint> points = authoring::arrowPath(layout_, tree_, jump);
  if (points.size() < 2) return;
  const bool then = jump.kind == JumpKind::Then;
  const QColor colour = then ? QColor(0, 90, 200) : QColor(70, 70, 70);
  auto* arrow = scene()->addPath(curve(points), QPen(colour, 1.2, then ? Qt::DashLine : Qt::SolidLine));
  arrow->setZValue(1);
  // The head points along the curve's last piece.
  const QPointF tip(points.back().x, points.back().y);
  const authoring::MapPoint& before = points[points.size() - 2];
  QLineF back(tip, QPointF(before.x, before.y));
  back.setLength(9);
  QLineF left = back, right = back;
  left.setAngle(back.angle() + 25);
  right.setAngle(back.angle() - 25);
  auto* head = new QGraphicsPolygonItem(QPolygonF({tip, left.p2(), right.p2()}), arrow);
  head->setPen(Qt::NoPen);
  head->setBrush(colour);
  QString caption = QString::fromStdString(page.buttons[static_cast<std::size_t>(jump.button - 1)].caption());
  if (conditional) caption += then ? QStringLiteral(" (THEN)") : QStringLiteral(" (GOTO)");
  auto* label = new QGraphicsSimpleTextItem(caption, arrow);
  label->setBrush(colour);
  QFont small = label->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  label->setFont(small);
  // Arrows between the same two boxes run side by side: their labels stand one under another.
  const auto alongside = std::count(box.targets.begin(), box.targets.end(), static_cast<int>(jump.to));
  label->setPos(arrow->path().pointAtPercent(0.5) -
                QPointF(label->boundingRect().width() / 2, 8 - 13 * static_cast<double>(alongside)));
  box.arrows.push_back(arrow);
}

void StoryMapView::markFindings(const project::Project& project, const std::vector<project::StoryFinding>& findings) {
  std::vector<QStringList> notes(boxes_.size());
  for (Box& box : boxes_) box.marked = box.unreachable = false;
  for (const project::StoryFinding& finding : findings) {
    if (!shows(finding.page)) continue;
    Box& box = boxes_[static_cast<std::size_t>(finding.page)];
    box.marked = true;
    box.unreachable = box.unreachable || finding.problem == project::StoryProblem::Unreachable;
    notes[static_cast<std::size_t>(finding.page)] << QString::fromStdString(
        project::storyFindingText(project, finding, project::TextLanguage::Japanese));
  }
  for (int page : shown_) {
    boxes_[static_cast<std::size_t>(page)].frame->setToolTip(notes[static_cast<std::size_t>(page)].join(u'\n'));
    paintBox(page);
  }
}

bool StoryMapView::shows(int page) const {
  return page >= 1 && page <= pageCount() && boxes_[static_cast<std::size_t>(page)].frame != nullptr;
}

void StoryMapView::paintBox(int page) {
  if (!shows(page)) return;
  const Box& box = boxes_[static_cast<std::size_t>(page)];
  const bool current = page == current_;
  QPen pen(current ? QColor(0, 70, 220) : box.marked ? QColor(200, 0, 0) : QColor(60, 60, 60),
           current ? 3 : box.marked ? 2 : 1);
  if (box.unreachable) pen.setStyle(Qt::DashLine);
  box.frame->setPen(pen);
  box.frame->setBrush(current ? QColor(255, 250, 205) : box.unreachable ? QColor(225, 225, 225) : QColor(Qt::white));
}

void StoryMapView::setCurrentPage(int page) {
  const int was = current_;
  current_ = page >= 1 && page <= pageCount() ? page : 0;
  paintBox(was);
  paintBox(current_);
  above_ = 0;
  if (shows(current_)) focusOn(current_);
}

QString StoryMapView::pageName(int page) const {
  return shows(page) ? boxes_[static_cast<std::size_t>(page)].name : QString();
}

QString StoryMapView::pageSummary(int page) const {
  if (!shows(page)) return {};
  const Box& box = boxes_[static_cast<std::size_t>(page)];
  QString summary = QStringLiteral("ページ %1 %2").arg(page).arg(box.summary);
  if (!box.frame->toolTip().isEmpty()) summary += QStringLiteral("（%1）").arg(box.frame->toolTip());
  return summary;
}

QRect StoryMapView::pageScreenRect(int page) const {
  if (!shows(page)) return {};
  QRect local = mapFromScene(boxes_[static_cast<std::size_t>(page)].frame->sceneBoundingRect()).boundingRect();
  return QRect(viewport()->mapToGlobal(local.topLeft()), local.size());
}

QAccessibleInterface* StoryMapView::boxAccessible(int page) {
  if (page < 1) return nullptr;
  if (accessibles_.size() <= static_cast<std::size_t>(page)) accessibles_.resize(static_cast<std::size_t>(page) + 1);
  QAccessibleInterface*& accessible = accessibles_[static_cast<std::size_t>(page)];
  if (accessible == nullptr) {
    accessible = new PageBoxAccessible(this, page);
    QAccessible::registerAccessibleInterface(accessible);
  }
  return accessible;
}

void StoryMapView::focusOn(int page) {
  if (!shows(page)) return;
  focus_ = page;
  const Box& box = boxes_[static_cast<std::size_t>(page)];
  focusFrame_->setRect(box.frame->rect().adjusted(-5, -5, 5, 5));
  focusFrame_->show();
  ensureVisible(box.frame, 40, 40);
  if (hasFocus()) {
    QAccessibleEvent event(boxAccessible(page), QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
  }
}

std::vector<int> StoryMapView::sourcesOf(int page) const {
  std::vector<int> sources;
  for (int from = 1; from <= pageCount(); ++from) {
    const std::vector<int>& targets = boxes_[static_cast<std::size_t>(from)].targets;
    if (from != page && std::find(targets.begin(), targets.end(), page) != targets.end()) sources.push_back(from);
  }
  return sources;
}

void StoryMapView::moveFocus(int key) {
  if (!shows(focus_)) {
    focusOn(shows(current_) ? current_ : shown_.empty() ? 0 : shown_.front());
    return;
  }
  auto targetsOf = [this](int page) {
    std::vector<int> targets;
    for (int target : boxes_[static_cast<std::size_t>(page)].targets) {
      if (target != page && std::find(targets.begin(), targets.end(), target) == targets.end()) targets.push_back(target);
    }
    return targets;
  };
  auto leadsHere = [&](int from) {
    std::vector<int> targets = targetsOf(from);
    return std::find(targets.begin(), targets.end(), focus_) != targets.end();
  };
  if (!shows(above_) || !leadsHere(above_)) {
    std::vector<int> sources = sourcesOf(focus_);
    above_ = sources.empty() ? 0 : sources.front();
  }
  if (key == Qt::Key_Down) {
    std::vector<int> targets = targetsOf(focus_);
    if (targets.empty()) return;
    above_ = focus_;
    focusOn(targets.front());
  } else if (key == Qt::Key_Up) {
    if (above_ < 1) return;
    int to = above_;
    above_ = 0;
    focusOn(to);
  } else if (above_ >= 1) {
    std::vector<int> siblings = targetsOf(above_);
    auto at = std::find(siblings.begin(), siblings.end(), focus_) - siblings.begin();
    at += key == Qt::Key_Right ? 1 : -1;
    if (at >= 0 && at < static_cast<std::ptrdiff_t>(siblings.size())) focusOn(siblings[static_cast<std::size_t>(at)]);
  }
}

void StoryMapView::zoom(double factor) {
  const double scale = transform().m11() * factor;
  if (scale < 0.05 || scale > 8) return;
  this->scale(factor, factor);
}

void StoryMapView::wheelEvent(QWheelEvent* event) {
  zoom(std::pow(1.0015, event->angleDelta().y()));
  event->accept();
}

void StoryMapView::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
  if (arrow && event->modifiers().testFlag(Qt::ControlModifier)) {
    QScrollBar* bar = key == Qt::Key_Left || key == Qt::Key_Right ? horizontalScrollBar() : verticalScrollBar();
    bar->setValue(bar->value() + (key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 1) * bar->pageStep() / 4);
  } else if (arrow) {
    moveFocus(key);
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (focus_ >= 1) emit pageChosen(focus_);
  } else if (key == Qt::Key_Plus || key == Qt::Key_Equal) {
    zoom(1.25);
  } else if (key == Qt::Key_Minus) {
    zoom(0.8);
  } else {
    QGraphicsView::keyPressEvent(event);
    return;
  }
  event->accept();
}

void StoryMapView::mouseDoubleClickEvent(QMouseEvent* event) {
  for (QGraphicsItem* item = itemAt(event->position().toPoint()); item != nullptr; item = item->parentItem()) {
    bool isBox = false;
    int page = item->data(kPageRole).toInt(&isBox);
    if (isBox && page >= 1) {
      focusOn(page);
      emit pageChosen(page);
      event->accept();
      return;
    }
  }
  QGraphicsView::mouseDoubleClickEvent(event);
}

}  // namespace pryx::editor
