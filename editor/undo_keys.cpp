#include "editor/undo_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace pryx::editor {
namespace {

class UndoKeys final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
    QKeyCombination key = static_cast<QKeyEvent*>(event)->keyCombination();
    // Not accepted, the override lets the menu's shortcut have the key.
    return key == (Qt::CTRL | Qt::Key_Z) || key == (Qt::CTRL | Qt::Key_Y) || key == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
  }
};

}  // namespace

void leaveUndoKeysToTheProject(QWidget* textBox) { textBox->installEventFilter(new UndoKeys(textBox)); }

}  // namespace pryx::editor
