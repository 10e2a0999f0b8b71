#include "editor/work_list_window.h"

#include "editor/dialog_controls.h"

#include "authoring/variable_operations.h"

#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace pryx::editor {

using authoring::WorkListMode;

WorkListWindow::WorkListWindow(project::ProjectDocument& document, EditorState& state, Dialogs& dialogs,
                               platform::Progress& progress, QWidget* parent)
    : QDialog(parent),
      document_(document),
      state_(state),
      dialogs_(dialogs),
      progress_(progress),
      list_(new QListView),
      variables_(document, project::ListKind::Variables, DocumentListModel::Blank::Left) {
  list_->setObjectName("List1");
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setModel(&affectedNames_);
  auto* close = captioned<QPushButton>("Command1", QStringLiteral("閉じる"));
  close->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(close, 0, Qt::AlignRight);
  QWidget::setTabOrder(list_, close);

  list_->installEventFilter(this);
  connect(list_, &QListView::doubleClicked, this, &WorkListWindow::List1_DblClick);
  connect(close, &QPushButton::clicked, this, &WorkListWindow::reject);
  documentSubscription_ = document_.subscribe([this](const project::Change& change) {
    if (change.kind == project::Change::Kind::FileState && listedAfter_ > document_.stepsDone()) reject();
  });
}

void WorkListWindow::listedWithLastStep() { listedAfter_ = document_.stepsDone(); }

void WorkListWindow::beginPageDeletion(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
  describe(list_, windowTitle());
  affectedNames_.setStringList({});
  affectedPositions_.clear();
  list_->setModel(&affectedNames_);
  show();
}

void WorkListWindow::listAffectedPages(const std::vector<authoring::AffectedPage>& pages) {
  if (pages.empty()) {
    hide();
    return;
  }
  QStringList names;
  for (const authoring::AffectedPage& page : pages) {
    names.append(QString::fromStdString(page.name));
    affectedPositions_.push_back(page.position);
  }
  affectedNames_.setStringList(names);
  state_.setWorkListMode(WorkListMode::AffectedPages);
  listedWithLastStep();
}

void WorkListWindow::beginVariableDeletion() {
  authoring::VariableDeletionList deletion =
      authoring::openVariableDeletion(document_.project(), state_.workListMode());
  if (deletion.refusal) {
    dialogs_.show(*deletion.refusal);
    return;
  }
  setWindowTitle(QString::fromStdString(deletion.caption));
  describe(list_, windowTitle());
  list_->setModel(&variables_);
  state_.setWorkListMode(WorkListMode::Variables);
  show();
  raise();
}

void WorkListWindow::reject() {
  listedAfter_ = 0;
  affectedNames_.setStringList({});
  affectedPositions_.clear();
  state_.setWorkListMode(WorkListMode::Idle);
  QDialog::reject();
}

bool WorkListWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      List1_DblClick(list_->currentIndex());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void WorkListWindow::List1_DblClick(const QModelIndex& index) {
  if (!index.isValid()) return;
  switch (state_.workListMode()) {
    case WorkListMode::AffectedPages:
      goToAffectedPage(index.row());
      break;
    case WorkListMode::Variables:
      deleteVariable(index.row());
      break;
    case WorkListMode::Idle:
      break;
  }
}

void WorkListWindow::goToAffectedPage(int row) {
  std::string name = affectedNames_.index(row).data().toString().toStdString();
  int position = affectedPositions_[static_cast<std::size_t>(row)];
  affectedNames_.removeRow(row);
  affectedPositions_.erase(affectedPositions_.begin() + row);
  // Names need not be unique: the page the deletion found is meant, unless later
  // edits moved it away; then the first page of that name.
  const project::Project& project = document_.project();
  if (const project::Page* page = project.pages.find(position); page == nullptr || page->name != name) {
    auto found = std::find_if(project.pages.begin(), project.pages.end(),
                              [&](const project::Page& p) { return p.name == name; });
    if (found == project.pages.end()) return;
    position = static_cast<int>(found - project.pages.begin()) + 1;
  }
  state_.setCurrentPage(position);
}

void WorkListWindow::deleteVariable(int row) {
  int variable = variables_.positionOf(row);
  if (!editor::accepted(dialogs_.show(authoring::variableDeletionQuestion(document_.project(), variable)))) return;
  if (!document_.project().variables.contains(variable)) return;  // gone while the question was open
  authoring::deleteVariable(document_, variable, progress_);
  if (listedAfter_ == 0) listedWithLastStep();
}

}  // namespace pryx::editor
