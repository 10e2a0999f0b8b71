#pragma once
// Large buffers that a program fills at once (a script read whole, a game file
// written) cost one page fault per 4 KiB page touched; on virtual machines each fault
// is dear. Where the system offers larger pages for such memory, use them.

#include <cstddef>

namespace pryx::platform {

// Asks for large pages behind `bytes` bytes of memory at `data`, before it is first
// written. A hint: nothing changes where the system has no such pages.
void preferLargePages(void* data, std::size_t bytes);

}  // namespace pryx::platform
