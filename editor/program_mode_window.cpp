#include "editor/program_mode_window.h"

#include "editor/accessible.h"
#include "editor/frame_actions.h"
#include "editor/line_numbered_editor.h"

#include "player/window/window_fonts.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QSplitter>
#include <QTreeWidget>

namespace pryx::editor {

ProgramModeWindow::ProgramModeWindow(Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window), file_(dialogs), text_(new LineNumberedEditor), findings_(new QTreeWidget) {
  setObjectName("ProgramModeWindow");
  setWindowTitle(QStringLiteral("PRYXTOOL プログラムモード"));
  resize(800, 600);

  text_->setObjectName("Text1");
  text_->setFont(player::screenFont(player::TextFont::Message));
  findings_->setObjectName("findings");
  describe(text_, QStringLiteral("スクリプト"));
  describe(findings_, QStringLiteral("チェックの結果"), QStringLiteral("ダブルクリックでその行へ"));
  findings_->setColumnCount(2);
  findings_->setHeaderHidden(true);
  findings_->setRootIsDecorated(false);
  findings_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->addWidget(text_);
  splitter->addWidget(findings_);
  splitter->setStretchFactor(0, 4);
  splitter->setStretchFactor(1, 1);
  setCentralWidget(splitter);

  QMenu* file = namedMenu(menuBar(), "file", QStringLiteral("ファイル(&F)"));
  QAction* file_new = namedItem(file, "file_new", QStringLiteral("新規作成(&N)"));
  file_new->setShortcut(QKeySequence::New);
  QAction* file_open = namedItem(file, "file_open", QStringLiteral("ファイルを開く(&O)"));
  file_open->setShortcut(QKeySequence::Open);
  file->addSeparator()->setObjectName("file_sepa1");
  QAction* file_saveas = namedItem(file, "file_saveas", QStringLiteral("名前を付けてファイルの保存(&A)"));
  QAction* file_save = namedItem(file, "file_save", QStringLiteral("ファイルの上書き保存(&S)"));
  file_save->setShortcut(QKeySequence::Save);
  QAction* check = namedItem(file, "file_check", QStringLiteral("チェック(&K)"));
  check->setShortcut(Qt::Key_F7);
  file->addSeparator()->setObjectName("file_sepa2");
  QAction* file_return = namedItem(file, "file_return", QStringLiteral("ＧＵＩモードへ戻る(&R)"));
  QMenu* project = namedMenu(menuBar(), "project", QStringLiteral("プロジェクト(&P)"));
  file_pac_ = namedItem(project, "file_pac", QStringLiteral("配布用ファイルの作成(&X)"));
  // Usable once the frame routes it to the distribution window.
  file_pac_->setEnabled(false);

  connect(file_new, &QAction::triggered, this, &ProgramModeWindow::file_new_Click);
  connect(file_open, &QAction::triggered, this, &ProgramModeWindow::file_open_Click);
  connect(file_saveas, &QAction::triggered, this, &ProgramModeWindow::file_saveas_Click);
  connect(file_save, &QAction::triggered, this, &ProgramModeWindow::file_save_Click);
  connect(check, &QAction::triggered, this, &ProgramModeWindow::check_Click);
  connect(file_return, &QAction::triggered, this, &ProgramModeWindow::file_return_Click);
  connect(findings_, &QTreeWidget::itemDoubleClicked, this, &ProgramModeWindow::findingActivated);
  connect(text_->document(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
  showFileState();
}

std::optional<std::string> ProgramModeWindow::unsaved() const {
  if (!text_->document()->isModified()) return std::nullopt;
  return script().toStdString();
}

void ProgramModeWindow::showFileState() {
  QString name = QFileInfo(QString::fromStdString(file_.path())).fileName();
  setWindowTitle(QStringLiteral("PRYXTOOL プログラムモード") + (name.isEmpty() ? QString() : QStringLiteral(" - ") + name) +
                 QStringLiteral("[*]"));
  setWindowModified(text_->document()->isModified());
}

void ProgramModeWindow::setScript(const QString& text) {
  QString lines = text;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text_->setPlainText(lines);
  text_->document()->setModified(false);  // what the project held, saved or let go on leaving it
  check_Click();
  showFileState();
}

bool ProgramModeWindow::openPath(const std::string& path) {
  auto text = file_.openPath(path);
  if (text) showText(*text);
  return text.has_value();
}

QString ProgramModeWindow::script() const { return text_->toPlainText(); }

void ProgramModeWindow::showText(const std::string& utf8) {
  text_->setPlainText(QString::fromStdString(utf8));
  text_->document()->setModified(false);
  check_Click();
  showFileState();
}

void ProgramModeWindow::file_new_Click() {
  if (!file_.startNew(unsaved())) return;
  text_->clear();
  text_->document()->setModified(false);
  findings_->clear();
  showFileState();
}

void ProgramModeWindow::file_open_Click() {
  if (auto text = file_.open(unsaved())) showText(*text);
}

void ProgramModeWindow::file_save_Click() {
  if (file_.save(script().toStdString())) saved();
  showFileState();
}

void ProgramModeWindow::file_saveas_Click() {
  if (file_.saveAs(script().toStdString())) saved();
  showFileState();
}

void ProgramModeWindow::saved() {
  text_->document()->setModified(false);
  check_Click();
}

void ProgramModeWindow::check_Click() {
  findings_->clear();
  for (const script::Finding& finding : file_.check(script().toStdString())) {
    auto* row = new QTreeWidgetItem(findings_);
    if (finding.line > 0) row->setText(0, QString::number(finding.line));
    row->setData(0, Qt::UserRole, finding.line);
    row->setText(1, QString::fromStdString(script::findingText(finding, script::Language::Japanese)));
  }
}

void ProgramModeWindow::findingActivated(QTreeWidgetItem* row) {
  int line = row->data(0, Qt::UserRole).toInt();
  if (line > 0) text_->goToLine(line);
}

void ProgramModeWindow::file_return_Click() {
  if (!closing_ && !file_.confirmReturn(unsaved())) return;
  hide();
  emit returned();
}

void ProgramModeWindow::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  if (!file_.confirmReturn(unsaved())) {
    event->ignore();
    return;
  }
  closing_ = true;
  file_return_Click();
  event->accept();
}

}  // namespace pryx::editor
