#include "editor/player_start_dialog.h"

#include "editor/dialog_controls.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pryx::editor {
namespace {

constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;

}  // namespace

PlayerStartDialog::PlayerStartDialog(const project::Project& project, ProjectLists& lists,
                                     PlayerStartChoice& choice, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      project_(project),
      pages_(lists.pages),
      choice_(choice),
      dialogs_(dialogs),
      page_(named(new QComboBox, "StartPage", QStringLiteral("開始ページ"))),
      values_(named(new QTableWidget(0, 2), "StartValues", QStringLiteral("変数の初期値"))) {
  setObjectName("PlayerStart");
  setWindowTitle(QStringLiteral("プレイヤーで実行"));
  page_->setModel(&lists.pages);
  page_->setToolTip(QStringLiteral("ゲームを始めるページ"));
  values_->setHorizontalHeaderLabels({QStringLiteral("変数"), QStringLiteral("値")});
  values_->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
  values_->verticalHeader()->hide();
  values_->setToolTip(QStringLiteral("ゲームを始めるときの変数の値（整数）"));

  auto* fields = new QFormLayout;
  auto* pageLabel = new QLabel(page_->accessibleName());
  pageLabel->setBuddy(page_);
  fields->addRow(pageLabel, page_);
  auto* buttons = new QDialogButtonBox;
  QPushButton* start = buttons->addButton(QStringLiteral("開始"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
  for (QPushButton* button : {start, cancel}) describe(button, button->text());
  start->setObjectName("Start");
  cancel->setObjectName("Cancel");
  start->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &PlayerStartDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PlayerStartDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(new QLabel(values_->accessibleName()));
  layout->addWidget(values_);
  layout->addWidget(buttons);
  resize(360, 320);
}

std::optional<player::StartPosition> PlayerStartDialog::ask(int currentPage) {
  page_->setCurrentIndex(pages_.rowOf(currentPage));
  values_->setRowCount(project_.variables.count());
  for (int number = 1; number <= project_.variables.count(); ++number) {
    const std::string& name = project_.variables[number];
    auto* nameItem = new QTableWidgetItem(QString::fromStdString(name));
    nameItem->setFlags(nameItem->flags() & ~Qt::ItemIsEditable);
    values_->setItem(number - 1, kNameColumn, nameItem);
    values_->setItem(number - 1, kValueColumn, new QTableWidgetItem(QString::fromStdString(choice_.value(name))));
  }
  start_.reset();
  exec();
  return start_;
}

void PlayerStartDialog::accept() {
  for (int row = 0; row < values_->rowCount(); ++row) {
    choice_.setValue(values_->item(row, kNameColumn)->text().toStdString(),
                     values_->item(row, kValueColumn)->text().toStdString());
  }
  auto start = choice_.startAt(project_, pages_.positionOf(page_->currentIndex()));
  if (auto* warning = std::get_if<project::Message>(&start)) {
    dialogs_.show(*warning);
    return;
  }
  start_ = std::get<player::StartPosition>(start);
  QDialog::accept();
}

}  // namespace pryx::editor
