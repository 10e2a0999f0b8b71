// Any bytes as a game file: the readers, the button-body scan and the disassembler
// must stay inside the image and end.

#include <cstdint>
#include <unordered_set>

#include "player/gamefile/body_scan.h"
#include "player/gamefile/chained_records.h"
#include "player/gamefile/chains.h"
#include "player/gamefile/disassembler.h"
#include "player/gamefile/image.h"

using namespace pryx::gamefile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  GameImage image(std::vector<std::uint8_t>(data, data + size));
  loadTextTables(image);  // the label chain is read by the disassembler
  // The body of every record the button chain links to, each once, up to where the
  // chain leaves the file or comes round again (the readers walk it as the player does).
  std::unordered_set<std::int32_t> scanned;
  for (auto link = image.headerSlot(HeaderSlot::ButtonChain); link && *link >= 1 && scanned.insert(*link).second;) {
    auto record = buttonRecordAt(image, *link);
    if (!record) break;
    findButtonBodyEnd(image, record->bodyOpen);
    link = record->next;
  }
  disassemble(image);
  return 0;
}
