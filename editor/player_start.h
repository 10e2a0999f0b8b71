#pragma once
// What the author sets before playing the project in the player: the page to start
// from and the values of some variables. The values are kept by variable name, so
// that the next play offers them again.

#include "player/start_position.h"
#include "project/message.h"
#include "project/project.h"

#include <map>
#include <string>
#include <variant>

namespace pryx::editor {

class PlayerStartChoice {
 public:
  // The value typed for a variable; "0", the game's own start, when none was. An
  // empty value also means 0.
  std::string value(const std::string& variable) const;
  void setValue(const std::string& variable, std::string text);
  // Every value typed, by variable name.
  const std::map<std::string, std::string>& values() const { return values_; }

  // The start at `page` (1..the page count) with the values typed for the project's
  // variables, or the warning that names a value which is no whole number.
  std::variant<player::StartPosition, project::Message> startAt(const project::Project& project, int page) const;

 private:
  std::map<std::string, std::string> values_;
};

}  // namespace pryx::editor
