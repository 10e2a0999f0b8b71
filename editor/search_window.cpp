#include "editor/search_window.h"

#include "editor/dialog_controls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>

namespace pryx::editor {
namespace {

// The result's line: where it is, and the field's text around the hit.
QString resultLine(const project::Project& project, const authoring::SearchHit& hit, const std::string& field) {
  const std::size_t length = hit.length;
  QString before = QString::fromStdString(field.substr(0, hit.offset)).right(12);
  QString found = QString::fromStdString(field.substr(hit.offset, length));
  QString after = QString::fromStdString(field.substr(hit.offset + length)).left(12);
  QString context = before + QStringLiteral("【") + found + QStringLiteral("】") + after;
  context.replace(QRegularExpression(QStringLiteral("[\r\n]+")), QStringLiteral(" "));
  return QString::fromStdString(authoring::searchPlaceText(project, hit)) + QStringLiteral(": ") + context;
}

}  // namespace

SearchWindow::SearchWindow(project::ProjectDocument& document, QWidget* parent)
    : QDialog(parent), document_(document), text_(new QLineEdit), replacement_(new QLineEdit), results_(new QListView),
      count_(new QLabel) {
  setWindowTitle(QStringLiteral("検索と置換"));
  auto* textLabel = new QLabel(QStringLiteral("検索する文字列"));
  auto* replacementLabel = new QLabel(QStringLiteral("置換後の文字列"));
  textLabel->setBuddy(text_);
  replacementLabel->setBuddy(replacement_);
  named(text_, "FindText", textLabel->text());
  named(replacement_, "ReplaceText", replacementLabel->text());
  describe(text_, textLabel->text(), QStringLiteral("ページ名、メッセージ、ボタン、リソース名、変数名から探します"));
  describe(replacement_, replacementLabel->text(), QStringLiteral("メッセージとボタンの文字列を置き換えます"));
  auto* find = captioned<QPushButton>("Find", QStringLiteral("検索"));
  auto* replaceAll = captioned<QPushButton>("Replace", QStringLiteral("置換"));
  find->setDefault(true);
  replaceAll->setAutoDefault(false);
  named(results_, "Results", QStringLiteral("検索結果"));
  describe(results_, QStringLiteral("検索結果"), QStringLiteral("ダブルクリックでその場所へ移ります"));
  results_->setModel(&resultTexts_);
  results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  results_->setUniformItemSizes(true);
  count_->setObjectName("Count");

  auto* grid = new QGridLayout(this);
  grid->addWidget(textLabel, 0, 0);
  grid->addWidget(text_, 0, 1);
  grid->addWidget(find, 0, 2);
  grid->addWidget(replacementLabel, 1, 0);
  grid->addWidget(replacement_, 1, 1);
  grid->addWidget(replaceAll, 1, 2);
  grid->addWidget(results_, 2, 0, 1, 3);
  grid->addWidget(count_, 3, 0, 1, 3);
  editor::setTabOrder({text_, find, replacement_, replaceAll, results_});
  resize(560, 420);

  connect(find, &QPushButton::clicked, this, &SearchWindow::search);
  connect(replaceAll, &QPushButton::clicked, this, &SearchWindow::replace);
  // Activated: a double-click, or Enter.
  connect(results_, &QListView::activated, this, &SearchWindow::choose);
}

void SearchWindow::showSearch() {
  show();
  raise();
  activateWindow();
  text_->setFocus();
  text_->selectAll();
}

void SearchWindow::search() {
  const project::Project& project = document_.project();
  const std::string text = text_->text().toStdString();
  hits_ = authoring::findText(project, text);
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(hits_.size()));
  for (const authoring::SearchHit& hit : hits_) lines << resultLine(project, hit, *authoring::searchedField(project, hit));
  resultTexts_.setStringList(lines);
  count_->setText(QStringLiteral("%1 件").arg(hits_.size()));
}

void SearchWindow::replace() {
  int replaced = authoring::replaceText(document_, text_->text().toStdString(), replacement_->text().toStdString());
  search();
  count_->setText(QStringLiteral("%1 件置換しました").arg(replaced));
}

void SearchWindow::choose(const QModelIndex& index) {
  if (!index.isValid() || static_cast<std::size_t>(index.row()) >= hits_.size()) return;
  const authoring::SearchHit hit = hits_[static_cast<std::size_t>(index.row())];
  // The project may have changed since the search: a place that is gone is not gone to.
  if (authoring::stillFound(document_.project(), hit)) emit hitChosen(hit);
}

}  // namespace pryx::editor
