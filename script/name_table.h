#pragma once
// Names in definition order with a hashed look-up: a name gives the number of its
// first definition, so look-ups stay fast however long the script grows.

#include <string_view>
#include <unordered_map>
#include <vector>

namespace pryx::script {

class NameTable {
 public:
  struct Entry {
    int number;  // from 1
    int line;
  };

  // Enters `name` as the next number. Returns the earlier definition of the same name,
  // which keeps answering look-ups, or nullptr.
  const Entry* add(std::string_view name, int line);

  // The number of the first definition of `name` (compared exactly), 0 if none.
  int find(std::string_view name) const;

  int count() const { return static_cast<int>(names_.size()); }
  const std::vector<std::string_view>& names() const { return names_; }

 private:
  std::vector<std::string_view> names_;
  std::unordered_map<std::string_view, Entry> first_;
};

}  // namespace pryx::script
