#pragma once
// A list whose real entries are numbered from 1. Entry 0 is a blank entry that
// stands for "none", so that a list position can be used as a reference as it is.

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace pryx::project {

template <typename T>
class NumberedList {
 public:
  NumberedList() : entries_(1) {}

  // Entries without the blank one.
  int count() const { return static_cast<int>(entries_.size()) - 1; }
  bool empty() const { return count() == 0; }

  // True for a position that names a real entry.
  bool contains(std::int64_t position) const { return position >= 1 && position <= count(); }

  // Positions 0..count(); anything else throws.
  T& operator[](std::int64_t position) { return entries_.at(index(position)); }
  const T& operator[](std::int64_t position) const { return entries_.at(index(position)); }

  // A real entry; position 0 and positions past the end throw.
  T& at(std::int64_t position) { return entries_[checked(position)]; }
  const T& at(std::int64_t position) const { return entries_[checked(position)]; }

  // The entry at a position, or nullptr when the position names no real entry.
  const T* find(std::int64_t position) const { return contains(position) ? &entries_[index(position)] : nullptr; }

  void append(T entry) { entries_.push_back(std::move(entry)); }

  // Puts an entry at a position 1..count()+1; the later ones move up one position.
  void insert(std::int64_t position, T entry) {
    if (position < 1 || position > count() + 1) throw std::out_of_range("no list position to insert at");
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
  }

  // Removes a real entry; the later ones move down one position.
  void remove(std::int64_t position) {
    if (!contains(position)) throw std::out_of_range("no list entry at this position");
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
  }

  // Back to the blank entry alone.
  void clear() { entries_.resize(1); }
  void reserve(int entries) { entries_.reserve(static_cast<std::size_t>(entries) + 1); }

  // Iterates over the real entries, position 1 first.
  auto begin() { return entries_.begin() + 1; }
  auto end() { return entries_.end(); }
  auto begin() const { return entries_.begin() + 1; }
  auto end() const { return entries_.end(); }

  bool operator==(const NumberedList&) const = default;

 private:
  std::size_t checked(std::int64_t position) const {
    if (!contains(position)) throw std::out_of_range("no list entry at this position");
    return index(position);
  }

  static std::size_t index(std::int64_t position) {
    return position < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(position);
  }

  std::vector<T> entries_;
};

}  // namespace pryx::project
