#include "player/headless/route.h"

#include <charconv>

namespace pryx::player::headless {
namespace {

constexpr int kChoiceRowHeight = kNovelLineHeight;
constexpr int kPointerX = 100;

std::optional<int> numberIn(std::string_view text, int low, int high) {
  int value = 0;
  auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (failure != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

std::optional<std::vector<int>> parseChoices(std::string_view text, std::string& error) {
  std::vector<int> choices;
  if (text.empty()) return choices;  // a route without list choices
  for (std::string_view part : split(text, ',')) {
    auto slot = numberIn(part, 1, kChoiceButtons);
    if (!slot) {
      error = "--choose takes button slots 1 to 5 separated by commas, not \"" + std::string(text) + "\"";
      return std::nullopt;
    }
    choices.push_back(*slot);
  }
  return choices;
}

std::optional<MenuAction> parseMenuAction(std::string_view text, std::string& error) {
  auto parts = split(text, ':');
  MenuAction action;
  bool understood = parts.size() == 3 && (parts[1] == "save" || parts[1] == "load");
  if (understood) {
    auto choice = numberIn(parts[0], 1, 1'000'000'000);
    auto slot = numberIn(parts[2], 1, kMenuSaveSlots);
    understood = choice && slot;
    if (understood) {
      action.choice = *choice;
      action.kind = parts[1] == "save" ? MenuAction::Kind::Save : MenuAction::Kind::Load;
      action.slot = *slot;
    }
  }
  if (!understood) {
    error = "--menu takes K:save:S or K:load:S (K the choice from 1, S the slot 1 to 5), not \"" +
            std::string(text) + "\"";
    return std::nullopt;
  }
  return action;
}

RouteDriver::RouteDriver(ScriptedHost& host, const Player& player, Route route)
    : host_(host), player_(player), route_(std::move(route)) {
  host_.answerQuestions(route_.answerYes);
  host_.onWait([this](WaitKind kind) { respond(kind); });
}

void RouteDriver::respond(WaitKind kind) {
  if (kind != WaitKind::Choice) {
    host_.duringWait([](PlayerInput& input) { input.windowClicked(); });
    return;
  }
  ++choicesOffered_;
  for (const MenuAction& action : route_.menuActions) {
    if (action.choice != choicesOffered_) continue;
    host_.duringWait([this, action](PlayerInput& input) {
      if (action.kind == MenuAction::Kind::Save) {
        input.saveChosen(action.slot);
      } else if (host_.loadItemEnabled(action.slot)) {
        input.loadChosen(action.slot);
      } else if (problem_.empty()) {
        problem_ = "choice " + std::to_string(action.choice) + ": the route loads slot " +
                   std::to_string(action.slot) + ", which holds no save there";
      }
    });
  }
  if (nextChoice_ < route_.choices.size()) queueChoice(route_.choices[nextChoice_]);
}

std::string RouteDriver::problem() const {
  if (!problem_.empty()) return problem_;
  for (const MenuAction& action : route_.menuActions) {
    if (action.choice > choicesOffered_) {
      return "--menu " + std::to_string(action.choice) + ": the run offered " + std::to_string(choicesOffered_) +
             (choicesOffered_ == 1 ? " choice" : " choices");
    }
  }
  return {};
}

// The entry is used up only when the choice is made, so a load from the menu that
// ends the wait leaves it for the next choice.
void RouteDriver::queueChoice(int slot) {
  const InterpreterState& state = player_.state();
  if (state.captions[static_cast<std::size_t>(slot - 1)].empty()) {
    problem_ = "choice " + std::to_string(choicesOffered_) + ": the route takes button " + std::to_string(slot) +
               ", which the game does not offer there";
    return;
  }
  if (state.novelMode()) {
    int y = kChoiceRowHeight * (slot - 1 + state.novelTextEndRow) + kChoiceRowHeight / 2;
    host_.duringWait([y](PlayerInput& input) { input.pointerMoved(kPointerX, y); });
    host_.duringWait([this](PlayerInput& input) {
      ++nextChoice_;
      input.windowClicked();
    });
  } else {
    host_.duringWait([this, slot](PlayerInput& input) {
      ++nextChoice_;
      input.buttonClicked(slot - 1);
    });
  }
}

}  // namespace pryx::player::headless
