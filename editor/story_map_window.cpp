#include "editor/story_map_window.h"

#include "editor/accessible.h"
#include "editor/story_map_view.h"

#include <QListView>
#include <QSplitter>

namespace pryx::editor {

using project::Change;

namespace {
constexpr authoring::MapPoint kBoxSize{180, 52};
}

StoryMapWindow::StoryMapWindow(EditorState& state, QWidget* parent)
    : ChildWindow(QStringLiteral("ストーリーマップ"), parent), state_(state), view_(new StoryMapView), findings_(new QListView) {
  view_->setObjectName("Map");
  describe(view_, windowTitle(),
           QStringLiteral("ダブルクリックかEnterでそのページへ移ります。矢印キーでつながったページへ、ホイールと＋－で拡大縮小します"));
  findings_->setObjectName("Findings");
  findings_->setModel(&findingTexts_);
  findings_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  describe(findings_, QStringLiteral("ストーリーの問題"), QStringLiteral("ダブルクリックでそのページへ移ります"));
  auto* split = new QSplitter(Qt::Vertical);
  split->addWidget(view_);
  split->addWidget(findings_);
  split->setSizes({520, 90});
  setWidget(split);
  resize(940, 640);

  refresh_.setSingleShot(true);
  refresh_.setInterval(0);
  connect(&refresh_, &QTimer::timeout, this, &StoryMapWindow::refreshNow);
  connect(view_, &StoryMapView::pageChosen, this, [this](int page) { state_.setCurrentPage(page); });
  // Activated: a double-click, or Enter.
  connect(findings_, &QListView::activated, this, &StoryMapWindow::goToFinding);
  stateSubscription_ = state_.subscribe([this](StateItem item) {
    if (item == StateItem::CurrentPage) view_->setCurrentPage(state_.currentPage());
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

void StoryMapWindow::showEvent(QShowEvent* event) {
  ChildWindow::showEvent(event);
  refresh_.start();
}

void StoryMapWindow::refreshNow() {
  refresh_.stop();
  const project::Project empty;
  const project::Project& project = document_ != nullptr ? document_->project() : empty;
  const project::StoryGraph graph = project::storyGraph(project);
  authoring::LayerTree tree = authoring::layerTree(graph);
  if (!laidOut_ || tree != tree_) {
    tree_ = tree;
    view_->showMap(project, graph, std::move(tree), authoring::layOutMap(tree_, kBoxSize));
    laidOut_ = true;
  } else {
    view_->redrawPages(project, graph, touched_);
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
    state_.setCurrentPage(findingPages_[static_cast<std::size_t>(index.row())]);
  }
}

}  // namespace pryx::editor
