#include "player/gamefile/layout_check.h"

#include "player/gamefile/chained_records.h"
#include "player/gamefile/chains.h"

#include <utility>

namespace pryx::gamefile {
namespace {

// The compiler leaves a byte after the end of code and one between pools, so empty
// pools at the end of a file start up to six bytes past its last byte.
constexpr std::int64_t kEmptyPoolsPastTheEnd = 6;

constexpr std::pair<HeaderSlot, std::string_view> kPools[] = {
    {HeaderSlot::CgPool, "CG-name pool"},   {HeaderSlot::ChrPool, "CHR-name pool"},
    {HeaderSlot::BgmPool, "BGM-name pool"}, {HeaderSlot::CaptionPool, "caption pool"},
    {HeaderSlot::MessagePool, "message pool"},
};

// True when every record of the chain lies inside the file up to the chain's end.
bool chainInside(const GameImage& image, HeaderSlot head, Opcode record, int limit) {
  const std::int64_t recordBytes = chainedRecordBytes(record);
  auto link = image.headerSlot(head);
  for (int seen = 0; link && *link >= 1 && seen < limit; ++seen) {
    if (!image.contains(*link, recordBytes)) return false;
    link = image.int32At(*link);
  }
  return link.has_value();
}

using RecordWalk = int (*)(const GameImage&, const std::function<void(const PoolRecord&)>&);

bool textsInside(const GameImage& image, RecordWalk forEachRecord) {
  bool inside = true;
  forEachRecord(image, [&](const PoolRecord& record) { inside = inside && record.text.has_value(); });
  return inside;
}

}  // namespace

std::optional<std::string> layoutFault(const GameImage& image) {
  const std::string size = " (the file has " + std::to_string(image.length()) + " bytes)";
  if (image.length() < kHeaderSize) return "the file ends inside its " + std::to_string(kHeaderSize) + "-byte header" + size;
  for (const auto& [slot, name] : kPools) {
    std::int32_t start = *image.headerSlot(slot);
    if (start > image.length() + kEmptyPoolsPastTheEnd) {
      return "the header puts the " + std::string(name) + " at " + std::to_string(start) + ", past the end of the file" +
             size;
    }
  }
  // A label link inside the file that misses a label is the code error of a run.
  if (!chainInside(image, HeaderSlot::LabelChain, Opcode::Label, kMaxLabels)) {
    return "the label chain runs past the end of the file" + size;
  }
  if (!chainInside(image, HeaderSlot::TextChain, Opcode::Text, kMaxMessageNumber) || !textsInside(image, forEachTextRecord)) {
    return "the text chain or its messages run past the end of the file" + size;
  }
  if (!chainInside(image, HeaderSlot::ButtonChain, Opcode::Btn, kMaxButtonRecords) || !textsInside(image, forEachButtonRecord)) {
    return "the button chain or its captions run past the end of the file" + size;
  }
  return std::nullopt;
}

}  // namespace pryx::gamefile
