#include "editor/distribution_window.h"

#include "editor/accessible.h"
#include "editor/distribution_job.h"

#include "project/distribution.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace pryx::editor {
namespace {

// The file-system roots, the user's home and every mounted volume, once each.
QStringList driveRoots() {
  QStringList roots;
  for (const QFileInfo& drive : QDir::drives()) roots << drive.absoluteFilePath();
  roots << QDir::homePath();
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady()) roots << volume.rootPath();
  }
  roots.removeDuplicates();
  return roots;
}

bool contains(const QString& root, const QString& path) {
  return path == root || path.startsWith(root.endsWith('/') ? root : root + '/');
}

QPushButton* button(const QString& caption, const char* name) {
  auto* made = new QPushButton(caption);
  made->setObjectName(name);
  describe(made, caption);
  return made;
}

}  // namespace

DistributionWindow::DistributionWindow(EditorState& state, Dialogs& dialogs, platform::Progress& progress,
                                       DocumentSource document, std::string programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      dialogs_(dialogs),
      progress_(progress),
      document_(std::move(document)),
      programFolder_(programFolder.empty() ? project::runningProgramFolder() : std::move(programFolder)),
      drives_(new QComboBox),
      kind_(new QComboBox),
      folders_(new QTreeView),
      model_(new QFileSystemModel(this)) {
  setObjectName("frmPac");
  setWindowTitle(QStringLiteral("配布用ファイルの保存先"));
  drives_->setObjectName("Drive1");
  drives_->addItems(driveRoots());
  describe(drives_, QStringLiteral("ドライブ"));
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath(QDir::rootPath());
  folders_->setObjectName("Dir1");
  folders_->setModel(model_);
  for (int column = 1; column < model_->columnCount(); ++column) folders_->hideColumn(column);
  folders_->setHeaderHidden(true);
  describe(folders_, QStringLiteral("ディレクトリ"));

  kind_->setObjectName("Kind");
  kind_->addItems({QStringLiteral("デスクトップ用"), QStringLiteral("Web用（ブラウザで遊ぶ）")});
  describe(kind_, QStringLiteral("配布の種類"),
           QStringLiteral("デスクトップ用はプレイヤーを、Web用はブラウザ用のプレイヤーとページを入れます"));

  QPushButton* createButton = button(QStringLiteral("新規作成"), "Command1");
  QPushButton* closeButton = button(QStringLiteral("閉じる"), "Command2");
  QPushButton* buildButton = button(QStringLiteral("決定"), "Command3");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(createButton);
  buttons->addStretch();
  buttons->addWidget(closeButton);
  buttons->addWidget(buildButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(drives_);
  layout->addWidget(folders_, 1);
  layout->addWidget(kind_);
  layout->addLayout(buttons);
  resize(360, 420);

  connect(drives_, &QComboBox::activated, this, &DistributionWindow::Drive1_Change);
  connect(createButton, &QPushButton::clicked, this, &DistributionWindow::Command1_Click);
  connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
  connect(buildButton, &QPushButton::clicked, this, &DistributionWindow::Command3_Click);
  showDirectory(QString::fromStdString(programFolder_));
}

void DistributionWindow::showDirectory(const QString& path) {
  QString folder = QDir(path).absolutePath();
  QString drive;
  for (int i = 0; i < drives_->count(); ++i) {
    QString root = drives_->itemText(i);
    if (contains(root, folder) && root.size() > drive.size()) drive = root;
  }
  if (drive.isEmpty()) drive = QDir::rootPath();
  showDrive(drive);
  QModelIndex chosen = model_->index(folder);
  folders_->setCurrentIndex(chosen);
  folders_->scrollTo(chosen);
}

QString DistributionWindow::directory() const {
  QModelIndex chosen = folders_->currentIndex();
  return chosen.isValid() ? model_->filePath(chosen) : model_->filePath(folders_->rootIndex());
}

void DistributionWindow::showDrive(const QString& root) {
  int index = drives_->findText(root);
  if (index < 0) {
    drives_->addItem(root);
    index = drives_->count() - 1;
  }
  drives_->setCurrentIndex(index);
  folders_->setRootIndex(model_->index(root));
}

void DistributionWindow::Drive1_Change(int index) {
  QString root = drives_->itemText(index);
  if (QDir(root).isReadable()) {
    showDrive(root);
    return;
  }
  dialogs_.show(project::warning("ドライブにアクセスできませんでした。"));
  showDrive(QStorageInfo(QString::fromStdString(programFolder_)).rootPath());
}

void DistributionWindow::Command1_Click() {
  std::optional<std::string> name = dialogs_.input(newFolderRequest());
  if (!name || !isPlainFileName(*name)) return;  // a name that cannot be made ends the action silently
  QDir parent(directory());
  QString folder = QString::fromStdString(*name);
  if (parent.mkdir(folder)) showDirectory(parent.filePath(folder));
}

void DistributionWindow::Command3_Click() {
  std::optional<std::string> name = dialogs_.input(gameNameRequest());
  if (!name || name->empty()) return;
  if (!isPlainFileName(*name)) {
    dialogs_.show(nameRefusal());
    return;
  }
  bool overwrite = accepted(dialogs_.show(overwriteQuestion()));
  DistributionJob job{state_.buildSource(), directory().toStdString(), *name, overwrite, programFolder_,
                      kind_->currentIndex() == 1 ? platform::DistributionKind::Web : platform::DistributionKind::Desktop};
  dialogs_.show(buildDistribution(job, document_(), state_.scriptPath(), progress_));
  hide();
}

}  // namespace pryx::editor
