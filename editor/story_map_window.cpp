#include "editor/story_map_window.h"

#include "editor/accessible.h"
#include "editor/story_map_view.h"

#include <QCheckBox>
#include <QListView>
#include <QSplitter>
#include <QVBoxLayout>

namespace pryx::editor {

using project::Change;

namespace {
constexpr authoring::MapPoint kBoxSize{180, 52};
// Above this many pages the whole map takes many seconds: the neighbourhood comes first.
constexpr int kWholeMapPages = 2000;
constexpr int kNeighbourhoodPages = 300;
constexpr int kRelayoutPause = 1500;  // ms
}

StoryMapWindow::StoryMapWindow(EditorState& state, QWidget* parent)
    : ChildWindow(QStringLiteral("ストーリーマップ"), parent),
      state_(state),
      view_(new StoryMapView),
      findings_(new QListView),
      whole_(new QCheckBox(QStringLiteral("全体を表示"))) {
  view_->setObjectName("Map");
  describe(view_, windowTitle(),
           QStringLiteral("ダブルクリックかEnterでそのページへ移ります。矢印キーでつながったページへ、ホイールと＋－で拡大縮小します"));
  findings_->setObjectName("Findings");
  findings_->setModel(&findingTexts_);
  findings_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  describe(findings_, QStringLiteral("ストーリーの問題"), QStringLiteral("ダブルクリックでそのページへ移ります"));
  whole_->setObjectName("WholeMap");
  describe(whole_, whole_->text(), QStringLiteral("ページの多いプロジェクトでも、現在のページの近くだけでなく全体を並べます"));
  auto* split = new QSplitter(Qt::Vertical);
  split->addWidget(view_);
  split->addWidget(findings_);
  split->setSizes({520, 90});
  findings_->setMaximumHeight(160);
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(whole_);
  layout->addWidget(split);
  setWidget(content);
  resize(940, 640);

  refresh_.setSingleShot(true);
  refresh_.setInterval(0);
  connect(&refresh_, &QTimer::timeout, this, &StoryMapWindow::refreshNow);
  relayout_.setSingleShot(true);
  relayout_.setInterval(kRelayoutPause);
  connect(&relayout_, &QTimer::timeout, this, [this] {
    laidOut_ = false;
    if (isVisible()) refreshNow();
  });
  connect(whole_, &QCheckBox::toggled, this, [this] {
    laidOut_ = false;
    if (isVisible()) refreshNow();
  });
  connect(view_, &StoryMapView::pageChosen, this, &StoryMapWindow::choosePage);
  // Activated: a double-click, or Enter.
  connect(findings_, &QListView::activated, this, &StoryMapWindow::goToFinding);
  stateSubscription_ = state_.subscribe([this](StateItem item) {
    if (item == StateItem::CurrentPage) currentPageChosen();
  });
}

void StoryMapWindow::setDocument(project::ProjectDocument* document) {
  document_ = document;
  documentSubscription_.reset();
  laidOut_ = false;
  touched_.clear();
  if (document_ != nullptr) {
    documentSubscription_ = document_->subscribe([this](const Change& change) { follow(change); });
  }
  if (isVisible()) refreshNow();
}

void StoryMapWindow::follow(const Change& change) {
  switch (change.kind) {
    case Change::Kind::PageContent: touched_.insert(change.first); break;
    case Change::Kind::RowRenamed:
      if (change.list == project::ListKind::Pages) touched_.insert(change.first);
      break;
    case Change::Kind::RowsInserted:
    case Change::Kind::RowsRemoved:
      if (change.list == project::ListKind::Pages) laidOut_ = false;
      break;
    default: break;
  }
  // A step is told edit by edit: the map catches up once it is done.
  if (change.kind != Change::Kind::FileState && isVisible()) refresh_.start();
}

void StoryMapWindow::currentPageChosen() {
  // A large project's map moves with the current page once it leaves the neighbourhood.
  const int page = state_.currentPage();
  if (laidOut_ && page >= 1 && !tree_.shows(page) && !tree_.shown.empty()) {
    laidOut_ = false;
    if (isVisible()) refresh_.start();
  }
  view_->setCurrentPage(page);
}

std::vector<bool> StoryMapWindow::pagesToShow(const project::StoryGraph& graph) const {
  whole_->setEnabled(graph.pageCount > kWholeMapPages);
  if (graph.pageCount <= kWholeMapPages || whole_->isChecked()) return {};
  const int centre = state_.currentPage() >= 1 && state_.currentPage() <= graph.pageCount ? state_.currentPage() : 1;
  return authoring::neighbourhood(graph, centre, kNeighbourhoodPages);
}

void StoryMapWindow::showEvent(QShowEvent* event) {
  ChildWindow::showEvent(event);
  refresh_.start();
}

void StoryMapWindow::refreshNow() {
  refresh_.stop();
  const project::Project empty;
  const project::Project& project = document_ != nullptr ? document_->project() : empty;
  const project::StoryGraph graph = project::storyGraph(project);
  if (!laidOut_) {
    relayout_.stop();
    std::vector<bool> shown = pagesToShow(graph);
    root_ = shown.empty() ? 1 : std::max(state_.currentPage(), 1);
    tree_ = authoring::layerTree(graph, std::move(shown), root_);
    view_->showMap(project, graph, tree_, authoring::layOutMap(tree_, kBoxSize));
    laidOut_ = true;
  } else {
    // The boxes stay where they are until the author pauses; the arrows are drawn now.
    view_->redrawPages(project, graph, touched_);
    if (authoring::layerTree(graph, tree_.shown, root_) != tree_) {
      relayout_.start();
    }
  }
  touched_.clear();
  const std::vector<project::StoryFinding> findings = project::storyFindings(project, graph);
  view_->markFindings(project, findings);
  view_->setCurrentPage(state_.currentPage());
  QStringList texts;
  findingPages_.clear();
  for (const project::StoryFinding& finding : findings) {
    texts << QStringLiteral("ページ %1「%2」: %3")
                 .arg(finding.page)
                 .arg(QString::fromStdString(project.pages[finding.page].name),
                      QString::fromStdString(storyFindingText(project, finding, project::TextLanguage::Japanese)));
    findingPages_.push_back(finding.page);
  }
  findingTexts_.setStringList(texts);
}

void StoryMapWindow::goToFinding(const QModelIndex& index) {
  if (index.isValid() && static_cast<std::size_t>(index.row()) < findingPages_.size()) {
    choosePage(findingPages_[static_cast<std::size_t>(index.row())]);
  }
}

void StoryMapWindow::choosePage(int page) {
  if (state_.runState() == 0) state_.setCurrentPage(page);  // a test run chooses its pages itself
}

}  // namespace pryx::editor
