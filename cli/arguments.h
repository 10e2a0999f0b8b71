#pragma once
// A small parser for "pryx NAME [options] FILES": options with a value ("--out DIR"
// or "--out=DIR"), repeatable ones, flags, and positional arguments.

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pryx::cli {

class Arguments {
 public:
  // `valued` names the options that take a value, `flags` those that do not.
  Arguments(std::span<const std::string> arguments, std::initializer_list<std::string_view> valued,
            std::initializer_list<std::string_view> flags);

  // Empty when the command line was understood; otherwise what was wrong.
  const std::string& error() const { return error_; }

  bool has(std::string_view option) const;
  std::optional<std::string> value(std::string_view option) const;  // the last one given
  const std::vector<std::string>& values(std::string_view option) const;
  const std::vector<std::string>& positional() const { return positional_; }

 private:
  std::map<std::string, std::vector<std::string>, std::less<>> options_;
  std::vector<std::string> positional_;
  std::string error_;
};

}  // namespace pryx::cli
