#pragma once
// The engine's host in a web page. The page's script (host.js) owns the canvas, the
// menus, the buttons and the dialogs; this side hands it the picture and the states
// and takes its input from a queue. Waits suspend the engine (ASYNCIFY) and give the
// page's event loop its turn, so the page stays responsive and idles at no cost.

#include <cstdint>
#include <string>
#include <vector>

#include "player/game_files.h"
#include "player/player.h"

namespace pryx::player::web {

class WebHost final : public EventPump,
                      public Clock,
                      public PlayerWindow,
                      public MessageBoxes,
                      public PlayerMenus,
                      public ChoiceButtons,
                      public PlayObserver {
 public:
  explicit WebHost(GameLocation location) : location_(std::move(location)) {}

  void attach(Player& player) { player_ = &player; }

  void pumpEvents() override;
  void waitForEvents(int maxMilliseconds) override;
  void sleep(int milliseconds) override;

  std::int64_t milliseconds() const override;

  void refresh(const Picture& picture) override;
  void setCaption(const std::string& caption) override;
  void enterNovelMode() override;
  void setTyping(bool typing) override;
  void* nativeHandle() override { return this; }
  void describe(const std::string& message, const std::vector<std::string>& choices) override;
  void showChoiceLines(const std::vector<ChoiceLine>& lines, int highlighted) override;

  MessageAnswer show(const MessageBoxRequest& request) override;

  void setChoiceMenusEnabled(bool enabled) override;
  void setLoadItemEnabled(int slot, bool enabled) override;
  void setSpeedChecked(Speed speed) override;

  void setCaption(int slot, const std::string& caption) override;
  void setVisible(int slot, bool visible) override;

  void save(std::int32_t pc, int slot, bool done) override;
  void waitStarted(std::int32_t pc, WaitKind kind) override;
  void waitEnded() override;

 private:
  bool deliverInput();

  GameLocation location_;
  Player* player_ = nullptr;
  double lastYield_ = 0;
};

}  // namespace pryx::player::web
