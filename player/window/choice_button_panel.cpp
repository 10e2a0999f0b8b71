#include "player/window/choice_button_panel.h"

#include "player/screen/screen.h"

namespace pryx::player {
namespace {

constexpr int kLeft = 456;
constexpr int kTop = 24;
constexpr int kStep = 32;
constexpr int kWidth = 177;
constexpr int kHeight = 25;
constexpr int kFontPoints = 9;

}  // namespace

ChoiceButtonPanel::ChoiceButtonPanel(QWidget* picture, std::function<void(int slot)> clicked)
    : font_(QStringLiteral("ＭＳ Ｐゴシック"), kFontPoints) {
  const QFont& font = font_;
  for (int slot = 0; slot < kChoiceButtons; ++slot) {
    auto* button = new QPushButton(picture);
    button->setObjectName(QStringLiteral("Command1(%1)").arg(slot));
    button->setGeometry(kLeft, kTop + kStep * slot, kWidth, kHeight);
    button->setFont(font);
    button->hide();
    QObject::connect(button, &QPushButton::clicked, button, [clicked, slot] { clicked(slot); });
    buttons_.at(static_cast<std::size_t>(slot)) = button;
  }
}

void ChoiceButtonPanel::place(QRect pictureRect) {
  if (pictureRect.isEmpty()) return;
  const double scale = static_cast<double>(pictureRect.width()) / kScreenWidth;
  QFont font = font_;
  font.setPointSizeF(kFontPoints * scale);
  auto scaled = [scale](int length) { return static_cast<int>(length * scale); };
  for (int slot = 0; slot < kChoiceButtons; ++slot) {
    button(slot)->setGeometry(pictureRect.x() + scaled(kLeft), pictureRect.y() + scaled(kTop + kStep * slot),
                              scaled(kWidth), scaled(kHeight));
    button(slot)->setFont(font);
  }
}

void ChoiceButtonPanel::setCaption(int slot, const std::string& caption) {
  if (slot >= 0 && slot < kChoiceButtons) button(slot)->setText(QString::fromStdString(caption));
}

void ChoiceButtonPanel::setVisible(int slot, bool visible) {
  if (slot >= 0 && slot < kChoiceButtons) button(slot)->setVisible(visible);
}

}  // namespace pryx::player
