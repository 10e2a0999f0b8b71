#pragma once
// A horizontal slider with its value shown beside it, so that the author sees the
// number while dragging; the label follows every change, also one made with the
// slider's signals blocked.

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>

namespace pryx::editor {

class ValueSlider final : public QSlider {
 public:
  // `unit` follows the number: " ms".
  explicit ValueSlider(QString unit, QWidget* parent = nullptr);

  // The slider and its value in one row, for the dialog's layout.
  QHBoxLayout* withValue();
  QLabel* valueLabel() const { return value_; }

 protected:
  void sliderChange(SliderChange change) override;

 private:
  void showValue();

  QString unit_;
  QLabel* value_;
};

}  // namespace pryx::editor
