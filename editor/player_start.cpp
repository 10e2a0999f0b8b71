#include "editor/player_start.h"

#include "authoring/project_play.h"

namespace pryx::editor {

std::string PlayerStartChoice::value(const std::string& variable) const {
  auto found = values_.find(variable);
  return found == values_.end() ? "0" : found->second;
}

void PlayerStartChoice::setValue(const std::string& variable, std::string text) {
  values_[variable] = std::move(text);
}

std::variant<player::StartPosition, project::Message> PlayerStartChoice::startAt(const project::Project& project,
                                                                                 int page) const {
  player::StartPosition start;
  start.label = project.pages.contains(page) ? page : 1;
  for (int number = 1; number <= project.variables.count(); ++number) {
    const std::string& name = project.variables[number];
    std::string text = value(name);
    // A cell left empty means the game's own start.
    auto typed = text.find_first_not_of(" \t") == std::string::npos ? 0 : authoring::variableValue(text);
    if (!typed) return project::warning("変数「" + name + "」の値には整数を入力してください。");
    // Variables start at 0 in the game: only the others need presetting.
    if (*typed != 0) start.variables.push_back({number, *typed});
  }
  return start;
}

}  // namespace pryx::editor
