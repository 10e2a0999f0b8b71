#pragma once
// The player's one window `Form1`: the menu bar over a 640 × 480 client area that
// shows the engine's picture, with the choice buttons on it. In novel mode it covers
// the screen without frame or caption; its menu bar then lies over the picture's
// top edge while the pointer touches the top of the screen, and the picture never
// moves. Clicks, keys and menu items go to the engine's input.

#include <QWidget>

#include <memory>

#include "player/host.h"
#include "player/input.h"
#include "player/window/choice_button_panel.h"
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
  // Once the run has ended the window closes without asking.
  void allowClosing() { closingAllowed_ = true; }

  void refresh(const Picture& picture) override;
  void setCaption(const std::string& caption) override { setWindowTitle(QString::fromStdString(caption)); }
  void enterNovelMode() override;
  void setTyping(bool typing) override;
  void* nativeHandle() override { return static_cast<QWidget*>(this); }

  PlayerMenuBar& menus() { return *menuBar_; }
  ChoiceButtons& choiceButtons() { return *buttons_; }
  PictureView& view() { return *view_; }
  bool novelMode() const { return novelMode_; }
  bool menuBarShown() const { return menuBarShown_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void placeChildren();
  void onPointerMoved(QPoint viewPoint, QPoint picturePoint);
  void showMenuBar(bool shown);
  void fixWindowSize();

  PlayerMenuBar* menuBar_;
  PictureView* view_;
  std::unique_ptr<ChoiceButtonPanel> buttons_;
  PlayerInput* input_ = nullptr;
  bool novelMode_ = false;
  bool menuBarShown_ = true;
  bool typing_ = false;
  bool closingAllowed_ = false;
};

}  // namespace pryx::player
