#pragma once
// Qt's own dialogs (files, colours, input boxes) speak Japanese like the rest of
// the editor: Qt's Japanese translations are loaded at start.

namespace pryx::editor {

// False when Qt's translations are not installed; the dialogs then stay English.
bool loadQtTranslations();

}  // namespace pryx::editor
