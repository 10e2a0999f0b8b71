// Any bytes as a game file: the readers, the button-body scan and the disassembler
// must stay inside the image and end.

#include <cstdint>
#include <unordered_set>

#include "player/gamefile/body_scan.h"
#include "player/gamefile/chains.h"
#include "player/gamefile/disassembler.h"
#include "player/gamefile/image.h"

using namespace pryx::gamefile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GameImage image(std::vector<std::uint8_t>(data, data + size));
  loadTextTables(image);  // the label chain is read by the disassembler
  // A chain that loops gives the same records again and again: each body is scanned once.
  std::unordered_set<std::int32_t> scanned;
  forEachButtonRecord(image, [&](const PoolRecord& record) {
    if (scanned.insert(record.link).second) findButtonBodyEnd(image, std::int64_t{record.link} + 8);
  });
  disassemble(image);
  return 0;
}
