#pragma once
// The player's one window `Form1`: the menu bar over a 640 × 480 client area that
// shows the engine's picture, with the choice buttons on it. In novel mode it covers
// the screen without frame or caption; its menu bar then lies over the picture's
// top edge while the pointer touches the top of the screen, and the picture never
// moves. In normal mode the window may be resized, maximised or shown full screen
// (F11, Alt+Enter): the picture grows by whole multiples where they fit. Clicks,
// keys and menu items go to the engine's input; the wheel up or Page Up shows the
// message history over the picture.

#include <QWidget>

#include <memory>

#include "player/host.h"
#include "player/input.h"
#include "player/message_history.h"
#include "player/window/choice_button_panel.h"
#include "player/window/choice_lines.h"
#include "player/window/history_view.h"
#include "player/window/picture_view.h"
#include "player/window/player_menu_bar.h"

namespace pryx::player {

// Pointer rows at the top of the screen that bring up the menu bar in novel mode.
inline constexpr int kMenuBarTriggerHeight = 8;

class GameWindow final : public QWidget, public PlayerWindow {
  Q_OBJECT

 public:
  GameWindow();
  ~GameWindow() override;

  void attach(PlayerInput& input);
  // The engine's history, shown on request.
  void showHistoryOf(const MessageHistory& history) { history_ = &history; }
  // Once the run has ended the window closes without asking.
  void allowClosing() { closingAllowed_ = true; }

  void refresh(const Picture& picture) override;
  void setCaption(const std::string& caption) override { setWindowTitle(QString::fromStdString(caption)); }
  void enterNovelMode() override;
  void setTyping(bool typing) override;
  void* nativeHandle() override { return static_cast<QWidget*>(this); }
  void describe(const std::string& message, const std::vector<std::string>& choices) override;
  void showChoiceLines(const std::vector<ChoiceLine>& lines, int highlighted) override;

  void openHistory();
  void toggleFullScreen();

  PlayerMenuBar& menus() { return *menuBar_; }
  ChoiceButtons& choiceButtons() { return *buttons_; }
  PictureView& view() { return *view_; }
  HistoryView& historyView() { return *historyView_; }
  ChoiceLines& choiceLines() { return *choiceLines_; }
  bool novelMode() const { return novelMode_; }
  bool menuBarShown() const { return menuBarShown_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void placeChildren();
  void onPointerMoved(QPoint viewPoint, QPoint picturePoint);
  void showMenuBar(bool shown);
  void fixWindowSize();
  bool keyEvent(QKeyEvent* event, bool pressed);

  PlayerMenuBar* menuBar_;
  PictureView* view_;
  std::unique_ptr<ChoiceButtonPanel> buttons_;
  HistoryView* historyView_;
  ChoiceLines* choiceLines_;
  const MessageHistory* history_ = nullptr;
  PlayerInput* input_ = nullptr;
  bool novelMode_ = false;
  bool menuBarShown_ = true;
  bool typing_ = false;
  bool closingAllowed_ = false;
};

}  // namespace pryx::player
