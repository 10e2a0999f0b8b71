#pragma once
// A colour sample of the option dialogs: a small button filled with a stored
// colour (0x00BBGGRR, red in the lowest byte). Disabled, it shows no colour.

#include <QAbstractButton>

#include <cstdint>

namespace pryx::editor {

// The stored colour as Qt paints it.
QColor colourOf(std::int32_t bgr);

class ColourSample final : public QAbstractButton {
  Q_OBJECT

 public:
  explicit ColourSample(QWidget* parent = nullptr);

  std::int32_t colour() const { return colour_; }
  void setColour(std::int32_t bgr);

  QSize sizeHint() const override { return {48, 24}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::int32_t colour_ = 0;
};

}  // namespace pryx::editor
