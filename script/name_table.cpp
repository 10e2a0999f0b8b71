#include "script/name_table.h"

namespace pryx::script {
namespace {

// FNV-1a: names are short, and a loop inline costs less on them than a library call.
std::uint32_t hashOf(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (char c : name) hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
  return hash;
}

}  // namespace

std::size_t NameTable::slotOf(std::string_view name, std::uint32_t hash) const {
  std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.first == 0) return i;
    if (slot.hash != hash) continue;
    const First& first = firsts_[slot.first - 1];
    if (std::string_view(names_).substr(first.offset, first.length) == name) return i;
  }
}

void NameTable::grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 16 : old.size() * 2, Slot{0, 0});
  std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.first == 0) continue;
    std::size_t i = slot.hash & mask;
    while (slots_[i].first != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

std::optional<NameTable::Entry> NameTable::add(std::string_view name, int line) {
  ++count_;
  if (2 * (firsts_.size() + 1) > slots_.size()) grow();
  std::uint32_t hash = hashOf(name);
  Slot& slot = slots_[slotOf(name, hash)];
  if (slot.first != 0) return firsts_[slot.first - 1].entry;
  firsts_.push_back({{count_, line}, names_.size(), name.size()});
  names_ += name;
  slot = {hash, static_cast<std::uint32_t>(firsts_.size())};
  return std::nullopt;
}

int NameTable::find(std::string_view name) const {
  if (slots_.empty()) return 0;
  const Slot& slot = slots_[slotOf(name, hashOf(name))];
  return slot.first == 0 ? 0 : firsts_[slot.first - 1].entry.number;
}

}  // namespace pryx::script
