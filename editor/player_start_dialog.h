#pragma once
// "プレイヤーで実行": before the project is played in the player, the author picks
// the start page (the current one first) and types the values some variables start
// with. The values typed are offered again at the next play.

#include "editor/dialogs.h"
#include "editor/document_list_model.h"
#include "editor/player_start.h"

#include <QComboBox>
#include <QDialog>
#include <QTableWidget>

#include <optional>

namespace pryx::editor {

class PlayerStartDialog final : public QDialog {
  Q_OBJECT

 public:
  PlayerStartDialog(const project::Project& project, ProjectLists& lists, PlayerStartChoice& choice,
                    Dialogs& dialogs, QWidget* parent = nullptr);

  // The start chosen, or nullopt when the author cancelled.
  std::optional<player::StartPosition> ask(int currentPage);

  void accept() override;

 private:
  const project::Project& project_;
  DocumentListModel& pages_;
  PlayerStartChoice& choice_;
  Dialogs& dialogs_;
  QComboBox* page_;
  QTableWidget* values_;
  std::optional<player::StartPosition> start_;
};

}  // namespace pryx::editor
