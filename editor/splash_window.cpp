#include "editor/splash_window.h"

#include "editor/accessible.h"
#include "editor/version.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace pryx::editor {

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("frmSplash");
  describe(this, kProductTitle);
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(kProductTitle);
  QFont big = title->font();
  big.setPointSize(28);
  title->setFont(big);
  title->setAlignment(Qt::AlignCenter);
  auto* version = new QLabel(versionText());
  version->setAlignment(Qt::AlignCenter);
  layout->addWidget(title);
  layout->addWidget(version);
  setFixedSize(420, 220);
  lifetime_.setSingleShot(true);
  connect(&lifetime_, &QTimer::timeout, this, &QWidget::close);
  lifetime_.start(kLifetimeMilliseconds);
}

void SplashWindow::mouseReleaseEvent(QMouseEvent*) { close(); }

void SplashWindow::keyPressEvent(QKeyEvent*) { close(); }

bool SplashWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate) {
    if (tookFocusBack_) {
      close();
    } else {
      tookFocusBack_ = true;
      activateWindow();
    }
  }
  return QWidget::event(event);
}

}  // namespace pryx::editor
