#include "platform/large_pages.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace pryx::platform {

void preferLargePages(void* data, std::size_t bytes) {
#ifdef __linux__
  // Transparent huge pages cover whole 2 MiB-aligned stretches only.
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  auto begin = reinterpret_cast<std::uintptr_t>(data);
  std::uintptr_t end = begin + bytes;
  std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
  std::uintptr_t last = end & ~(kHugePage - 1);
  if (first < last) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace pryx::platform
