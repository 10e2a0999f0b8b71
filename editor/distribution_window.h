#pragma once
// "配布用ファイルの保存先": picks the distribution folder (a drive list and a folder
// tree), makes new folders and starts the build that DistributionJob carries out.

#include "editor/dialogs.h"
#include "editor/editor_state.h"

#include "platform/progress.h"
#include "project/document.h"

#include <QWidget>

#include <functional>
#include <string>

class QComboBox;
class QFileSystemModel;
class QTreeView;

namespace pryx::editor {

class DistributionWindow final : public QWidget {
  Q_OBJECT

 public:
  using DocumentSource = std::function<const project::ProjectDocument*()>;

  // `programFolder` holds the runtime folder with the player and the display library;
  // empty: the program's own folder.
  DistributionWindow(EditorState& state, Dialogs& dialogs, platform::Progress& progress, DocumentSource document,
                     std::string programFolder, QWidget* parent = nullptr);

  // Points both lists at `path` and chooses it.
  void showDirectory(const QString& path);
  // The folder chosen in the directory list, or the drive's top when none is.
  QString directory() const;

 private:
  void Drive1_Change(int index);
  void Command1_Click();  // 新規作成
  void Command3_Click();  // 決定
  void showDrive(const QString& root);

  EditorState& state_;
  Dialogs& dialogs_;
  platform::Progress& progress_;
  DocumentSource document_;
  std::string programFolder_;
  QComboBox* drives_;
  QComboBox* kind_;  // the desktop's folder or a web server's
  QTreeView* folders_;
  QFileSystemModel* model_;
};

}  // namespace pryx::editor
