#pragma once
// The messages of this run, oldest first, with the choices taken between them: what
// the hosts show as the message history. Only the latest ones are kept.

#include <cstddef>
#include <deque>
#include <string>

namespace pryx::player {

class MessageHistory {
 public:
  static constexpr std::size_t kKept = 500;

  struct Entry {
    enum class Kind { Message, Choice };
    Kind kind;
    std::string text;  // UTF-8: the message, or the caption of the button taken

    bool operator==(const Entry&) const = default;
  };

  void addMessage(std::string text) { add({Entry::Kind::Message, std::move(text)}); }
  void addChoice(std::string caption) { add({Entry::Kind::Choice, std::move(caption)}); }
  void clear() { entries_.clear(); }

  const std::deque<Entry>& entries() const { return entries_; }

 private:
  void add(Entry entry) {
    if (entries_.size() == kKept) entries_.pop_front();
    entries_.push_back(std::move(entry));
  }

  std::deque<Entry> entries_;
};

}  // namespace pryx::player
