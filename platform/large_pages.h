#pragma once
// Buffers of megabytes that a program fills at once (a script read whole, a game file
// being written) live on 2 MiB pages where the system offers them. On virtual
// machines the first touch of each 4 KiB page costs a fault dearer than the work done
// in the page; a build of a long script touches thousands of them.

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace pryx::platform {

// At least `bytes` bytes; a large request lies on whole large pages. Throws
// std::bad_alloc.
void* allocateOnLargePages(std::size_t bytes);
// Frees what allocateOnLargePages(bytes) returned.
void freeOnLargePages(void* memory, std::size_t bytes) noexcept;

// Hands out memory as above. Elements made without a value are left uninitialised,
// so a buffer resized to be read into is not first filled with zeros.
template <typename T>
struct LargePageAllocator {
  using value_type = T;

  LargePageAllocator() = default;
  template <typename U>
  LargePageAllocator(const LargePageAllocator<U>&) noexcept {}

  T* allocate(std::size_t count) { return static_cast<T*>(allocateOnLargePages(count * sizeof(T))); }
  void deallocate(T* memory, std::size_t count) noexcept { freeOnLargePages(memory, count * sizeof(T)); }

  template <typename U>
  void construct(U* at) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(at)) U;
  }
  template <typename U, typename... Args>
  void construct(U* at, Args&&... args) {
    ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
  }

  friend bool operator==(const LargePageAllocator&, const LargePageAllocator&) { return true; }
};

template <typename T>
using LargeVector = std::vector<T, LargePageAllocator<T>>;
using LargeBytes = LargeVector<std::uint8_t>;

}  // namespace pryx::platform
