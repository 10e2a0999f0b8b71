#pragma once
// The player's menu bar: the menu `file` "システム(&S)" with saving, loading and
// ending, the menu `speed` "メッセージ速度(&S)" with the four message speeds, and
// after them the menu `view` "表示(&V)" with the history, auto, skip, reading aloud
// and full screen, each with its key.
// Menus and items carry object names (file, file_save, load(2), speed_quick, ...),
// so that they can be found by name.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <array>

#include "player/host.h"

namespace pryx::player {

class PlayerMenuBar final : public QMenuBar, public PlayerMenus {
  Q_OBJECT

 public:
  explicit PlayerMenuBar(QWidget* parent);

  void setChoiceMenusEnabled(bool enabled) override;
  void setLoadItemEnabled(int slot, bool enabled) override;
  void setSpeedChecked(Speed speed) override;
  void setSwitchesChecked(const PlayerSwitches& switches, bool skipping) override;
  // Full screen is the window's own switch.
  void setFullScreenChecked(bool fullScreen) { fullScreen_->setChecked(fullScreen); }

  QMenu* fileMenu() const { return file_; }
  QMenu* speedMenu() const { return speed_; }
  QAction* saveItem(int slot) const { return saveItems_.at(static_cast<std::size_t>(slot - 1)); }
  QAction* loadItem(int slot) const { return loadItems_.at(static_cast<std::size_t>(slot - 1)); }
  QAction* speedItem(Speed speed) const { return speedItems_.at(static_cast<std::size_t>(speed) - 1); }
  QAction* endItem() const { return end_; }
  QMenu* viewMenu() const { return view_; }
  QAction* historyItem() const { return history_; }
  QAction* autoItem() const { return auto_; }
  QAction* skipItem() const { return skip_; }
  QAction* readAloudItem() const { return readAloud_; }
  QAction* fullScreenItem() const { return fullScreen_; }

 signals:
  void saveChosen(int slot);
  void loadChosen(int slot);
  void speedChosen(pryx::player::Speed speed);
  void endChosen();
  void historyChosen();
  void autoChosen();
  void skipChosen();
  void readAloudChosen();
  void fullScreenChosen();

 private:
  QMenu* file_;
  QMenu* save_;
  QMenu* load_;
  QAction* end_;
  QMenu* speed_;
  std::array<QAction*, kMenuSaveSlots> saveItems_{};
  std::array<QAction*, kMenuSaveSlots> loadItems_{};
  std::array<QAction*, 4> speedItems_{};
  QMenu* view_;
  QAction* history_;
  QAction* auto_;
  QAction* skip_;
  QAction* readAloud_;
  QAction* fullScreen_;
};

}  // namespace pryx::player
