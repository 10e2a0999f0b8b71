#include "editor/value_slider.h"

namespace pryx::editor {

ValueSlider::ValueSlider(QString unit, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), unit_(std::move(unit)), value_(new QLabel) {
  showValue();
}

QHBoxLayout* ValueSlider::withValue() {
  value_->setObjectName(objectName() + QStringLiteral("Value"));
  auto* row = new QHBoxLayout;
  row->addWidget(this, 1);
  row->addWidget(value_);
  return row;
}

void ValueSlider::sliderChange(SliderChange change) {
  QSlider::sliderChange(change);
  showValue();
}

void ValueSlider::showValue() {
  value_->setText(QString::number(value()) + unit_);
  // Room for the widest value, so that the slider keeps its length while it moves.
  const QFontMetrics metrics = value_->fontMetrics();
  value_->setMinimumWidth(std::max(metrics.horizontalAdvance(QString::number(minimum()) + unit_),
                                   metrics.horizontalAdvance(QString::number(maximum()) + unit_)));
}

}  // namespace pryx::editor
