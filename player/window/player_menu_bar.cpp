#include "player/window/player_menu_bar.h"

namespace pryx::player {
namespace {

// "セーブ１" .. "セーブ５": the slot in a full-width digit.
QString slotCaption(int slot) { return QStringLiteral("セーブ") + QChar(u'０' + slot); }

QString indexed(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

struct SpeedItem {
  Speed speed;
  const char* name;
  const char* caption;
};

constexpr SpeedItem kSpeedItems[] = {
    {Speed::NoWait, "speed_nowait", "ウエイト無し"},
    {Speed::Quick, "speed_quick", "速い"},
    {Speed::Normal, "speed_normal", "普通"},
    {Speed::Slow, "speed_low", "遅い"},
};

// A checkable item whose mark follows what the player reports, not the click: the
// click's own toggle is undone before the item's other handlers run.
QAction* addSwitch(QMenu* menu, const char* name, const char* caption) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setObjectName(QLatin1String(name));
  action->setCheckable(true);
  QObject::connect(action, &QAction::triggered, action, [action] { action->setChecked(!action->isChecked()); });
  return action;
}

}  // namespace

PlayerMenuBar::PlayerMenuBar(QWidget* parent) : QMenuBar(parent) {
  // Native menu bars (macOS, some desktops) would take the bar out of the window,
  // where full screen could not show it at the top edge.
  setNativeMenuBar(false);

  file_ = addMenu(QStringLiteral("システム(&S)"));
  file_->setObjectName(QStringLiteral("file"));
  save_ = file_->addMenu(QStringLiteral("セーブ(&S)"));
  save_->menuAction()->setObjectName(QStringLiteral("file_save"));
  load_ = file_->addMenu(QStringLiteral("ロード(&L)"));
  load_->menuAction()->setObjectName(QStringLiteral("file_load"));
  for (int slot = 1; slot <= kMenuSaveSlots; ++slot) {
    QAction* saveItem = save_->addAction(slotCaption(slot));
    saveItem->setObjectName(indexed("save", slot));
    connect(saveItem, &QAction::triggered, this, [this, slot] { emit saveChosen(slot); });
    saveItems_.at(static_cast<std::size_t>(slot - 1)) = saveItem;
    QAction* loadItem = load_->addAction(slotCaption(slot));
    loadItem->setObjectName(indexed("load", slot));
    connect(loadItem, &QAction::triggered, this, [this, slot] { emit loadChosen(slot); });
    loadItems_.at(static_cast<std::size_t>(slot - 1)) = loadItem;
  }
  file_->addSeparator()->setObjectName(QStringLiteral("file_sepa"));
  end_ = file_->addAction(QStringLiteral("終了"));
  end_->setObjectName(QStringLiteral("file_end"));
  connect(end_, &QAction::triggered, this, &PlayerMenuBar::endChosen);

  speed_ = addMenu(QStringLiteral("メッセージ速度(&S)"));
  speed_->setObjectName(QStringLiteral("speed"));
  // The check mark moves only when the player applies a speed (setSpeedChecked), so
  // the items are not grouped: a group would move it on the click already.
  for (const SpeedItem& item : kSpeedItems) {
    QAction* action = addSwitch(speed_, item.name, item.caption);
    Speed speed = item.speed;
    connect(action, &QAction::triggered, this, [this, speed] { emit speedChosen(speed); });
    speedItems_.at(static_cast<std::size_t>(speed) - 1) = action;
  }
  setSpeedChecked(Speed::Normal);

  // The keys are the window's (skip lasts while Ctrl is held): shown, not bound here.
  view_ = addMenu(QStringLiteral("表示(&V)"));
  view_->setObjectName(QStringLiteral("view"));
  history_ = view_->addAction(QStringLiteral("バックログ\tPgUp"));
  history_->setObjectName(QStringLiteral("view_history"));
  connect(history_, &QAction::triggered, this, &PlayerMenuBar::historyChosen);
  auto_ = addSwitch(view_, "view_auto", "オート\tA");
  connect(auto_, &QAction::triggered, this, &PlayerMenuBar::autoChosen);
  skip_ = addSwitch(view_, "view_skip", "スキップ\tCtrl");
  connect(skip_, &QAction::triggered, this, &PlayerMenuBar::skipChosen);
  readAloud_ = addSwitch(view_, "view_read_aloud", "読み上げ\tR");
  connect(readAloud_, &QAction::triggered, this, &PlayerMenuBar::readAloudChosen);
  fullScreen_ = addSwitch(view_, "view_full_screen", "全画面表示\tF11");
  connect(fullScreen_, &QAction::triggered, this, &PlayerMenuBar::fullScreenChosen);
}

void PlayerMenuBar::setSwitchesChecked(const PlayerSwitches& switches, bool skipping) {
  auto_->setChecked(switches.autoMode);
  skip_->setChecked(skipping);
  readAloud_->setChecked(switches.readAloud);
}

void PlayerMenuBar::setChoiceMenusEnabled(bool enabled) {
  save_->menuAction()->setEnabled(enabled);
  load_->menuAction()->setEnabled(enabled);
  speed_->menuAction()->setEnabled(enabled);
}

void PlayerMenuBar::setLoadItemEnabled(int slot, bool enabled) {
  if (slot >= 1 && slot <= kMenuSaveSlots) loadItem(slot)->setEnabled(enabled);
}

void PlayerMenuBar::setSpeedChecked(Speed speed) {
  for (QAction* action : speedItems_) action->setChecked(action == speedItem(speed));
}

}  // namespace pryx::player
