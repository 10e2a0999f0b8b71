#pragma once
// Names in definition order with a hashed look-up: a name gives the number of its
// first definition, so look-ups stay fast however long the script grows. The table
// is open-addressed and flat, and it keeps its own copy of the names side by side,
// so a look-up in a script of thousands of pages touches little memory.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pryx::script {

class NameTable {
 public:
  struct Entry {
    int number;  // from 1
    int line;
  };

  // Enters `name` as the next number. Returns the earlier definition of the same name,
  // which keeps answering look-ups, or nullopt.
  std::optional<Entry> add(std::string_view name, int line);

  // The number of the first definition of `name` (compared exactly), 0 if none.
  int find(std::string_view name) const;

  int count() const { return count_; }

 private:
  struct Slot {
    std::uint32_t hash;
    std::uint32_t first;  // index into firsts_ plus 1; 0 for an empty slot
  };
  struct First {
    Entry entry;
    std::size_t offset;  // of its name in names_
    std::size_t length;
  };

  // The slot that holds `name`, or the empty slot where it would go.
  std::size_t slotOf(std::string_view name, std::uint32_t hash) const;
  void grow();

  int count_ = 0;
  std::string names_;          // the first definitions' names, end to end
  std::vector<First> firsts_;  // in definition order
  std::vector<Slot> slots_;
};

}  // namespace pryx::script
