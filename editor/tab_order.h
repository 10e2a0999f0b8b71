#pragma once
// The Tab key walks a window's controls in the order its layout shows them.

#include <QWidget>

#include <initializer_list>

namespace pryx::editor {

inline void setTabOrder(std::initializer_list<QWidget*> controls) {
  QWidget* previous = nullptr;
  for (QWidget* control : controls) {
    if (previous != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

}  // namespace pryx::editor
