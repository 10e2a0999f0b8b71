#include "cli/arguments.h"

#include <algorithm>

namespace pryx::cli {
namespace {

bool contains(std::initializer_list<std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

const std::vector<std::string> kNone;

}  // namespace

Arguments::Arguments(std::span<const std::string> arguments, std::initializer_list<std::string_view> valued,
                     std::initializer_list<std::string_view> flags) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      positional_.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name = argument;
    std::optional<std::string> inlineValue;
    if (auto equals = argument.find('='); equals != std::string::npos && argument.starts_with("--")) {
      name = argument.substr(0, equals);
      inlineValue = argument.substr(equals + 1);
    }
    if (contains(valued, name)) {
      if (!inlineValue && i + 1 >= arguments.size()) {
        error_ = "option " + name + " needs a value";
        return;
      }
      options_[name].push_back(inlineValue ? *inlineValue : arguments[++i]);
    } else if (contains(flags, name) && !inlineValue) {
      options_[name];
    } else {
      error_ = "unknown option " + argument;
      return;
    }
  }
}

bool Arguments::has(std::string_view option) const { return options_.find(option) != options_.end(); }

std::optional<std::string> Arguments::value(std::string_view option) const {
  auto found = options_.find(option);
  if (found == options_.end() || found->second.empty()) return std::nullopt;
  return found->second.back();
}

const std::vector<std::string>& Arguments::values(std::string_view option) const {
  auto found = options_.find(option);
  return found == options_.end() ? kNone : found->second;
}

}  // namespace pryx::cli
