#include "editor/page_list_window.h"

#include "editor/dialog_controls.h"

#include "authoring/page_operations.h"

#include <QGridLayout>
#include <QListView>
#include <QPushButton>

namespace pryx::editor {

PageListWindow::PageListWindow(project::ProjectDocument& document, EditorState& state, Dialogs& dialogs,
                               platform::Progress& progress, WorkListWindow& workList, QWidget* parent)
    : QDialog(parent),
      document_(document),
      state_(state),
      dialogs_(dialogs),
      progress_(progress),
      workList_(workList),
      pages_(document),
      list_(new QListView) {
  setWindowTitle(QStringLiteral("ページの編集"));
  list_->setObjectName("List1");
  list_->setModel(&pages_);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setUniformItemSizes(true);  // ten thousand pages lay out at once
  describe(list_, windowTitle());

  auto* layout = new QGridLayout(this);
  layout->addWidget(list_, 0, 0, 1, 4);
  struct Button {
    const char* name;
    QString caption;
    void (PageListWindow::*action)();
  };
  const Button buttons[] = {
      {"Command1_0", QStringLiteral("新規作成"), &PageListWindow::newPage},
      {"Command1_1", QStringLiteral("タイトルの変更"), &PageListWindow::retitle},
      {"Command1_2", QStringLiteral("削除"), &PageListWindow::deleteSelected},
      {"Command1_3", QStringLiteral("コピー"), &PageListWindow::copySelected},
  };
  QWidget* previous = list_;
  for (int column = 0; const Button& button : buttons) {
    auto* push = captioned<QPushButton>(button.name, button.caption);
    push->setAutoDefault(false);  // Enter in the list makes its page current
    connect(push, &QPushButton::clicked, this, button.action);
    layout->addWidget(push, 1, column++);
    QWidget::setTabOrder(previous, push);
    previous = push;
  }

  connect(list_, &QListView::clicked, this, &PageListWindow::List1_Click);
  connect(list_, &QListView::activated, this, &PageListWindow::List1_Click);
  connect(list_, &QListView::doubleClicked, this, &PageListWindow::retitle);
}

void PageListWindow::List1_Click(const QModelIndex& index) {
  if (index.isValid()) state_.setCurrentPage(pages_.positionOf(index.row()));
}

std::optional<int> PageListWindow::selectedPage() const {
  QModelIndexList selected = list_->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return std::nullopt;
  return pages_.positionOf(selected.front().row());
}

bool PageListWindow::stillThere(int page) const { return document_.project().pages.contains(page); }

bool PageListWindow::mayAddPage(const authoring::PageAdditionPrompt& prompt) {
  if (prompt.refusal) {
    dialogs_.show(*prompt.refusal);
    return false;
  }
  if (prompt.notice) dialogs_.show(*prompt.notice);
  return true;
}

void PageListWindow::newPage() {
  authoring::PageAdditionPrompt prompt = authoring::promptNewPage(document_.project(), state_.currentPage());
  if (!mayAddPage(prompt)) return;
  if (std::optional<std::string> title = dialogs_.input(prompt.title)) authoring::addPage(document_, *title);
}

void PageListWindow::retitle() {
  std::optional<int> page = selectedPage();
  if (!page) return;
  std::optional<std::string> title = dialogs_.input(authoring::promptRetitle(document_.project(), *page));
  if (title && stillThere(*page)) authoring::retitlePage(document_, *page, *title);
}

void PageListWindow::copySelected() {
  std::optional<int> page = selectedPage();
  if (!page) return;
  authoring::PageAdditionPrompt prompt = authoring::promptPageCopy(document_.project(), state_.currentPage(), *page);
  if (!mayAddPage(prompt)) return;
  std::optional<std::string> title = dialogs_.input(prompt.title);
  if (title && stillThere(*page)) authoring::copyPage(document_, *page, *title);
}

void PageListWindow::deleteSelected() {
  std::optional<int> page = selectedPage();
  if (!page) return;
  authoring::PageDeletionPrompt prompt =
      authoring::promptPageDeletion(document_.project(), *page, state_.workListMode());
  if (prompt.refusal) {
    dialogs_.show(*prompt.refusal);
    return;
  }
  if (!editor::accepted(dialogs_.show(prompt.question)) || !stillThere(*page)) return;
  workList_.beginPageDeletion(prompt.workListCaption);
  authoring::PageDeletion deletion = authoring::deletePage(document_, *page, progress_);
  workList_.listAffectedPages(deletion.affected);
}

}  // namespace pryx::editor
