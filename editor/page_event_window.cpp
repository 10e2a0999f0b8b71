#include "editor/page_event_window.h"

#include "editor/accessible.h"

#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace pryx::editor {

PageEventWindow::PageEventWindow(EditorState& state, QWidget* parent)
    : ChildWindow(QStringLiteral("ページのイベント設定"), parent), state_(state), pageSelector_(new QComboBox) {
  auto* content = new QWidget;
  auto* layout = new QFormLayout(content);
  auto* label = new QLabel(QStringLiteral("現在のページ"));
  label->setObjectName("Label1_0");
  label->setBuddy(pageSelector_);
  pageSelector_->setObjectName("Combo1_0");
  pageSelector_->setMinimumContentsLength(24);
  describe(pageSelector_, label->text(), QStringLiteral("現在編集中のページです"));
  layout->addRow(label, pageSelector_);
  setWidget(content);

  connect(pageSelector_, &QComboBox::currentIndexChanged, this, &PageEventWindow::Combo1_Click);
  stateSubscription_ = state_.subscribe([this](StateItem item) {
    if (item == StateItem::CurrentPage) showCurrentPage();
  });
}

void PageEventWindow::setPageList(QAbstractItemModel* pages) {
  QSignalBlocker quiet(pageSelector_);  // filling the box chooses no page
  pageSelector_->setModel(pages != nullptr ? pages : &noPages_);
  showCurrentPage();
}

void PageEventWindow::Combo1_Click(int index) { state_.setCurrentPage(index); }

void PageEventWindow::showCurrentPage() {
  QSignalBlocker quiet(pageSelector_);
  pageSelector_->setCurrentIndex(state_.currentPage());
}

}  // namespace pryx::editor
