#include "script/name_table.h"

namespace pryx::script {

const NameTable::Entry* NameTable::add(std::string_view name, int line) {
  names_.push_back(name);
  auto [entry, inserted] = first_.try_emplace(name, Entry{count(), line});
  return inserted ? nullptr : &entry->second;
}

int NameTable::find(std::string_view name) const {
  auto entry = first_.find(name);
  return entry == first_.end() ? 0 : entry->second.number;
}

}  // namespace pryx::script
