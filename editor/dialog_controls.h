#pragma once
// How the editor's dialogs make their controls: each named for the tests (its
// object name) and for screen readers, and walked by Tab in the layout's order.

#include "editor/accessible.h"

#include <QWidget>

#include <initializer_list>

namespace pryx::editor {

template <typename Control>
Control* named(Control* control, const char* objectName, const QString& accessibleName) {
  control->setObjectName(objectName);
  describe(control, accessibleName);
  return control;
}

// A control with a caption is named by it.
template <typename Control>
Control* captioned(const char* objectName, const QString& caption) {
  return named(new Control(caption), objectName, caption);
}

inline void setTabOrder(std::initializer_list<QWidget*> controls) {
  QWidget* previous = nullptr;
  for (QWidget* control : controls) {
    if (previous != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

}  // namespace pryx::editor
