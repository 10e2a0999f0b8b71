#pragma once
// Observers of one kind of event. A subscription ends when its owner lets it go,
// even after the list itself has gone, so that no observer outlives its owner.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace pryx::platform {

class Subscription {
 public:
  Subscription() = default;
  explicit Subscription(std::function<void()> end) : end_(std::move(end)) {}
  Subscription(Subscription&& other) noexcept : end_(std::exchange(other.end_, nullptr)) {}
  Subscription& operator=(Subscription&& other) noexcept {
    if (this != &other) {
      reset();
      end_ = std::exchange(other.end_, nullptr);
    }
    return *this;
  }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;
  ~Subscription() { reset(); }

  void reset() {
    if (auto end = std::exchange(end_, nullptr)) end();
  }

 private:
  std::function<void()> end_;
};

template <typename Event>
class ObserverList {
 public:
  using Observer = std::function<void(const Event&)>;

  // Observers are called in the order they subscribed.
  [[nodiscard]] Subscription subscribe(Observer observer) {
    int id = entries_->nextId++;
    entries_->list.emplace_back(id, std::move(observer));
    return Subscription([weak = std::weak_ptr<Entries>(entries_), id] {
      if (auto entries = weak.lock()) std::erase_if(entries->list, [id](const auto& entry) { return entry.first == id; });
    });
  }

  void notify(const Event& event) const {
    // A copy, so that an observer may subscribe or unsubscribe while being told.
    auto observers = entries_->list;
    for (const auto& entry : observers) entry.second(event);
  }

 private:
  struct Entries {
    int nextId = 1;
    std::vector<std::pair<int, Observer>> list;
  };
  std::shared_ptr<Entries> entries_ = std::make_shared<Entries>();
};

}  // namespace pryx::platform
