#pragma once
// Text boxes take Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z for an undo of their own. In the
// editor's windows every edit is a step of the project, so the keys go on to 編集's
// 元に戻す and やり直し instead, which take back and make again the typing step.

class QWidget;

namespace pryx::editor {

void leaveUndoKeysToTheProject(QWidget* textBox);

}  // namespace pryx::editor
