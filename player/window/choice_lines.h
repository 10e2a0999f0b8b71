#pragma once
// Novel mode's choice lines for screen readers: the engine draws them into the
// picture, so each line gets an invisible item over it, named by its caption, a
// selectable list item that is selected while the line is highlighted. Clicks go
// through the items to the picture.

#include <QRect>
#include <QWidget>

#include <vector>

#include "player/host.h"

namespace pryx::player {

class ChoiceLineItem final : public QWidget {
  Q_OBJECT

 public:
  ChoiceLineItem(QWidget* parent, ChoiceLine line);
  const ChoiceLine& line() const { return line_; }
  bool selected() const { return selected_; }
  void setSelected(bool selected);

 private:
  ChoiceLine line_;
  bool selected_ = false;
};

class ChoiceLines {
 public:
  explicit ChoiceLines(QWidget* view);

  void show(const std::vector<ChoiceLine>& lines, int highlighted);
  // Lays the items over the picture where the view shows it.
  void place(QRect pictureRect);
  const std::vector<ChoiceLineItem*>& items() const { return items_; }

 private:
  QWidget* view_;
  QRect pictureRect_;
  std::vector<ChoiceLineItem*> items_;
};

}  // namespace pryx::player
