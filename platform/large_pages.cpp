#include "platform/large_pages.h"

#include <cstdint>

#if defined(__SANITIZE_ADDRESS__)
#define PRYX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PRYX_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(__linux__) && !defined(PRYX_ADDRESS_SANITIZER)
#define PRYX_LARGE_PAGES 1
#include <sys/mman.h>
#endif

namespace pryx::platform {

#ifdef PRYX_LARGE_PAGES
namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;
// Smaller buffers take the ordinary allocator: rounding them up to a large page would
// waste more than it saves.
constexpr std::size_t kSmallestOnLargePages = std::size_t{256} << 10;

std::uintptr_t roundUp(std::uintptr_t value) { return (value + kLargePage - 1) & ~std::uintptr_t{kLargePage - 1}; }

}  // namespace

void* allocateOnLargePages(std::size_t bytes) {
  if (bytes < kSmallestOnLargePages) return ::operator new(bytes);
  if (bytes > SIZE_MAX / 2) throw std::bad_alloc();
  const std::size_t length = roundUp(bytes);
  // Mapped one large page longer, then trimmed to a stretch that starts on a boundary.
  void* mapped = mmap(nullptr, length + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t aligned = roundUp(start);
  if (aligned > start) munmap(mapped, aligned - start);
  const std::uintptr_t end = start + length + kLargePage;
  if (end > aligned + length) munmap(reinterpret_cast<void*>(aligned + length), end - (aligned + length));
  madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);  // a hint: 4 KiB pages otherwise
  return reinterpret_cast<void*>(aligned);
}

void freeOnLargePages(void* memory, std::size_t bytes) noexcept {
  if (bytes < kSmallestOnLargePages) {
    ::operator delete(memory);
  } else {
    munmap(memory, roundUp(bytes));
  }
}

#else  // elsewhere, and under AddressSanitizer so that its checks stay: the ordinary allocator

void* allocateOnLargePages(std::size_t bytes) { return ::operator new(bytes); }

void freeOnLargePages(void* memory, std::size_t) noexcept { ::operator delete(memory); }

#endif

}  // namespace pryx::platform
