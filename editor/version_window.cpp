#include "editor/version_window.h"

#include "editor/accessible.h"
#include "editor/version.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pryx::editor {

VersionWindow::VersionWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(kApplicationTitle + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(kProductTitle);
  auto* version = new QLabel(versionText());
  version->setObjectName("lblVersion");
  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  describe(ok, ok->text());
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(title);
  layout->addWidget(version);
  layout->addWidget(ok, 0, Qt::AlignRight);
}

}  // namespace pryx::editor
