#pragma once
// The version window: the editor's version and an OK button that closes it.

#include <QDialog>

namespace pryx::editor {

class VersionWindow final : public QDialog {
  Q_OBJECT

 public:
  explicit VersionWindow(QWidget* parent = nullptr);
};

}  // namespace pryx::editor
