#pragma once
// "PRYXTOOL プログラムモード": the game as one script text in a plain-text editor,
// with its own file menu and the checker's findings in a list under the text.
// The file work is ProgramScript's; this window moves text and shows findings.

#include "editor/program_script.h"

#include <QMainWindow>

#include <optional>
#include <string>

class QTreeWidget;
class QTreeWidgetItem;

namespace pryx::editor {

class LineNumberedEditor;

class ProgramModeWindow final : public QMainWindow {
  Q_OBJECT

 public:
  explicit ProgramModeWindow(Dialogs& dialogs, QWidget* parent = nullptr);

  // The whole text at once (lines ended by CR LF or LF), checked as it stands.
  void setScript(const QString& text);
  // Opens a script file as the open dialog's choice; false when it was refused.
  bool openPath(const std::string& path);
  QString script() const;
  const std::string& path() const { return file_.path(); }
  // The build of a chosen script ("配布用ファイルの作成(&X)"), left to the frame.
  QAction* buildItem() const { return file_pac_; }

 signals:
  // Program mode ended: the author went back to GUI mode; the window is hidden.
  void returned();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void file_new_Click();
  void file_open_Click();
  void file_save_Click();
  void file_saveas_Click();
  void file_return_Click();
  void check_Click();
  void saved();
  void showText(const std::string& utf8);
  // The text when it has changes no file holds; nullopt when it has none.
  std::optional<std::string> unsaved() const;
  // The caption names the script file and shows `*` while the text has unsaved changes.
  void showFileState();
  void findingActivated(QTreeWidgetItem* item);

  ProgramScript file_;
  LineNumberedEditor* text_;
  QTreeWidget* findings_;
  QAction* file_pac_;
  bool closing_ = false;
};

}  // namespace pryx::editor
