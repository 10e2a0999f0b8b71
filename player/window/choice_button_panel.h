#pragma once
// The five push buttons `Command1(0)`..`Command1(4)` that offer a page's choices in
// a window: hidden until the player shows them, each at its place on the picture.

#include <QPushButton>
#include <QWidget>

#include <array>
#include <functional>

#include "player/host.h"

namespace pryx::player {

class ChoiceButtonPanel final : public ChoiceButtons {
 public:
  ChoiceButtonPanel(QWidget* picture, std::function<void(int slot)> clicked);

  void setCaption(int slot, const std::string& caption) override;
  void setVisible(int slot, bool visible) override;

  // Lays the buttons out on the picture where the view shows it, at its scale.
  void place(QRect pictureRect);

  QPushButton* button(int slot) const { return buttons_.at(static_cast<std::size_t>(slot)); }

 private:
  std::array<QPushButton*, kChoiceButtons> buttons_{};
  QFont font_;
};

}  // namespace pryx::player
