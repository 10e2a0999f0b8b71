#pragma once
// Screen readers and UI checks find every control by its name: its caption, or for
// a box without one the label beside it; the tool tip is its description.

#include <QString>
#include <QWidget>

namespace pryx::editor {

inline void describe(QWidget* control, const QString& name, const QString& toolTip = {}) {
  control->setAccessibleName(name);
  if (!toolTip.isEmpty()) {
    control->setToolTip(toolTip);
    control->setAccessibleDescription(toolTip);
  }
}

}  // namespace pryx::editor
