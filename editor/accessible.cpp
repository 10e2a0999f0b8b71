#include "editor/accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAbstractItemView>
#include <QComboBox>
#include <QToolBar>
#include <QToolButton>

namespace pryx::editor {
namespace {

// Qt names a list box after its choice on Linux; here the label names it and the
// choice is its value.
class ListBoxAccessible final : public QAccessibleWidget {
 public:
  explicit ListBoxAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

  QString text(QAccessible::Text which) const override {
    if (which != QAccessible::Value) return QAccessibleWidget::text(which);
    QString named = box()->currentData(Qt::AccessibleTextRole).toString();
    return named.isEmpty() ? box()->currentText() : named;
  }
  // Its one child is the list of entries, as Qt's own interface has it.
  int childCount() const override { return 1; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && child->object() == box()->view() ? 0 : -1;
  }
  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
  void doAction(const QString& action) override {
    if (action != showMenuAction() && action != pressAction()) return;
    if (box()->view()->isVisible()) box()->hidePopup();
    else box()->showPopup();
  }

 private:
  QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

// The toolbar's buttons are checkable only to look pressed while unusable; Qt would
// call them check boxes.
class ToolbarButtonAccessible final : public QAccessibleWidget {
 public:
  explicit ToolbarButtonAccessible(QToolButton* button) : QAccessibleWidget(button, QAccessible::PushButton) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = button()->isChecked();
    return state;
  }
  QStringList actionNames() const override { return QStringList{pressAction()} << QAccessibleWidget::actionNames(); }
  void doAction(const QString& action) override {
    if (action == pressAction()) button()->click();
    else QAccessibleWidget::doAction(action);
  }

 private:
  QToolButton* button() const { return static_cast<QToolButton*>(widget()); }
};

QAccessibleInterface* editorAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String("QComboBox")) return new ListBoxAccessible(static_cast<QComboBox*>(object));
  if (className == QLatin1String("QToolButton")) {
    auto* button = static_cast<QToolButton*>(object);
    if (qobject_cast<QToolBar*>(button->parentWidget()) != nullptr) return new ToolbarButtonAccessible(button);
  }
  return nullptr;
}

}  // namespace

void describe(QWidget* control, const QString& name, const QString& toolTip) {
  // Before any control is asked for its interface.
  static const bool installed = [] {
    QAccessible::installFactory(editorAccessible);
    return true;
  }();
  (void)installed;
  control->setAccessibleName(name);
  if (!toolTip.isEmpty()) {
    control->setToolTip(toolTip);
    control->setAccessibleDescription(toolTip);
  }
}

QString blankEntryName() { return QStringLiteral("（なし）"); }

QVariant BlankFirstListModel::data(const QModelIndex& index, int role) const {
  if (role == Qt::AccessibleTextRole && index.row() == 0) return blankEntryName();
  return QStringListModel::data(index, role);
}

}  // namespace pryx::editor
