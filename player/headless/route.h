#pragma once
// A route through a game for a headless run: which button to take at each choice
// that is offered as a list, which save or load menu item to use while a choice
// waits, and how to answer questions. Every other wait is clicked through.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "player/headless/scripted_host.h"
#include "player/player.h"

namespace pryx::player::headless {

struct MenuAction {
  enum class Kind { Save, Load };
  int choice = 0;  // while the choice-th list (from 1) waits
  Kind kind = Kind::Save;
  int slot = 0;  // 1..5
};

struct Route {
  std::vector<int> choices;  // button slots from 1
  std::vector<MenuAction> menuActions;
  bool answerYes = true;
};

// "1,2,1", or "" for no list choices. nullopt with `error` set for anything but slots
// 1..5 separated by commas.
std::optional<std::vector<int>> parseChoices(std::string_view text, std::string& error);
// "K:save:S" or "K:load:S", K from 1 and S 1..5.
std::optional<MenuAction> parseMenuAction(std::string_view text, std::string& error);

// Answers the waits of a run on a scripted host as the route says. A choice the
// route has no entry for, or asks for a slot that is not offered, gets no input,
// so the run ends with "no-more-input".
class RouteDriver {
 public:
  RouteDriver(ScriptedHost& host, const Player& player, Route route);

  // Set when the route asked for a slot the game did not offer, a load from a slot
  // without a save, or a menu item at a choice the run never reached.
  std::string problem() const;

 private:
  void respond(WaitKind kind);
  void queueChoice(int slot);

  ScriptedHost& host_;
  const Player& player_;
  Route route_;
  int choicesOffered_ = 0;
  std::size_t nextChoice_ = 0;
  std::string problem_;
};

}  // namespace pryx::player::headless
