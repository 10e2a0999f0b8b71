#include "editor/progress_window.h"

#include <QVBoxLayout>

namespace pryx::editor {
namespace {

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool), label_(new QLabel(this)), bar_(new QProgressBar(this)) {
  label_->setObjectName("Label1");
  bar_->setObjectName("ProgressBar1");
  bar_->setMinimum(0);
  bar_->setAccessibleName(QStringLiteral("進行状況"));
  setWindowModality(Qt::ApplicationModal);
  setMinimumWidth(360);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(bar_);
}

void ProgressWindow::show(std::string_view caption) {
  setWindowTitle(fromUtf8(caption));
  QWidget::show();
  repaint();
}

void ProgressWindow::setLabel(std::string_view text) {
  label_->setText(fromUtf8(text));
  label_->repaint();
}

void ProgressWindow::setMaximum(int maximum) { bar_->setMaximum(maximum); }

void ProgressWindow::setValue(int value) {
  // Repainting every value of a 10,000-page operation would cost more than the work.
  int before = bar_->value();
  bar_->setValue(value);
  if (bar_->maximum() < 100 || value * 100 / bar_->maximum() != before * 100 / std::max(1, bar_->maximum())) bar_->repaint();
}

void ProgressWindow::hide() { QWidget::hide(); }

}  // namespace pryx::editor
