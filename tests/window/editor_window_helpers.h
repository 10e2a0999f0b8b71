#pragma once
// What the tests of the editor's windows and dialogs share: projects with named
// pages, the check that every control is named for screen readers (its tool tip
// as its description), and list rows read and double-clicked.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAccessible>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>

#include "project/project.h"

#include <initializer_list>

namespace pryx::player::testing {

// A new project whose pages bear these names (and hold nothing else).
inline project::Project pagesNamed(std::initializer_list<const char*> names) {
  project::Project project = project::newProject();
  project.pages.clear();
  for (const char* name : names) project.pages.append(project::Page{name, {}, {}, {}, {}, {}, {}});
  return project;
}

// The object names of the controls that fail the checks; empty when all pass.
inline QStringList unnamedControls(const QWidget& window) {
  QStringList unnamed;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    bool control = qobject_cast<QAbstractButton*>(widget) ||
                   (qobject_cast<QAbstractSlider*>(widget) && !qobject_cast<QScrollBar*>(widget)) ||
                   qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                   qobject_cast<QAbstractItemView*>(widget);
    if (!control || widget->window() != &window) continue;  // not the pop-ups of combo boxes
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    bool named = accessible != nullptr && !accessible->text(QAccessible::Name).isEmpty();
    if (!named || widget->accessibleDescription() != widget->toolTip()) unnamed << widget->objectName();
  }
  return unnamed;
}

inline QStringList rows(const QAbstractItemView& view) {
  QStringList texts;
  for (int row = 0; row < view.model()->rowCount(); ++row) texts << view.model()->index(row, 0).data().toString();
  return texts;
}

// The press of the first click picks the row the double-click acts on.
inline void doubleClickRow(QAbstractItemView& view, int row) {
  QPoint centre = view.visualRect(view.model()->index(row, 0)).center();
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, centre);
}

}  // namespace pryx::player::testing
