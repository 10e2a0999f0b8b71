#include "player/gamefile/chains.h"

#include "player/gamefile/instructions.h"

namespace pryx::gamefile {
namespace {

const std::string kNoText;

// Walks a record chain from a header slot: calls `visit(recordLinkPosition)` for
// each record until the chain ends, leaves the file, or `limit` records were seen.
template <typename Visit>
void walkChain(const GameImage& image, HeaderSlot head, int limit, Visit visit) {
  auto link = image.headerSlot(head);
  for (int seen = 0; link && *link >= 1 && seen < limit; ++seen) {
    if (!visit(*link)) return;
    link = image.int32At(*link);
  }
}

}  // namespace

LabelChain loadLabelChain(const GameImage& image) {
  LabelChain chain;
  auto link = image.headerSlot(HeaderSlot::LabelChain);
  while (link && *link >= 1 && static_cast<int>(chain.positions.size()) < kMaxLabels) {
    if (image.byteAt(std::int64_t{*link} - 1) != static_cast<std::uint8_t>(Opcode::Label) ||
        !image.contains(*link, 4)) {
      chain.broken = true;
      return chain;
    }
    chain.positions.push_back(*link);
    link = image.int32At(*link);
  }
  return chain;
}

TextTables::TextTables() : messages(kMaxMessageNumber + 1) {
  for (auto& slot : captions) slot.resize(kMaxCaptionNumber + 1);
}

const std::string& TextTables::message(std::int64_t number) const {
  return number >= 1 && number <= kMaxMessageNumber ? messages[static_cast<std::size_t>(number)] : kNoText;
}

const std::string& TextTables::caption(std::int64_t slot, std::int64_t number) const {
  if (slot < 0 || slot >= kButtonSlots || number < 1 || number > kMaxCaptionNumber) return kNoText;
  return captions[static_cast<std::size_t>(slot)][static_cast<std::size_t>(number)];
}

TextTables loadTextTables(const GameImage& image) {
  TextTables tables;

  std::int64_t cursor = image.headerSlot(HeaderSlot::MessagePool).value_or(-1);
  walkChain(image, HeaderSlot::TextChain, kMaxMessageNumber, [&](std::int64_t record) {
    auto number = image.int16At(record + 4);
    auto length = image.int16At(record + 6);
    if (!number || *number == -1 || !length || *length < 0) return false;
    if (*number >= 1 && *number <= kMaxMessageNumber) {
      if (auto text = image.textAt(cursor, *length)) tables.messages[static_cast<std::size_t>(*number)] = *text;
    }
    cursor += *length;
    ++tables.textRecords;
    return true;
  });

  cursor = image.headerSlot(HeaderSlot::CaptionPool).value_or(-1);
  walkChain(image, HeaderSlot::ButtonChain, kMaxButtonRecords, [&](std::int64_t record) {
    auto number = image.int16At(record + 4);
    auto slot = image.byteAt(record + 6);
    auto length = image.byteAt(record + 7);
    if (!number || *number == -1 || !slot || !length) return false;
    if (*slot < kButtonSlots && *number >= 1 && *number <= kMaxCaptionNumber) {
      if (auto text = image.textAt(cursor, *length)) {
        tables.captions[*slot][static_cast<std::size_t>(*number)] = *text;
      }
    }
    cursor += *length;
    ++tables.buttonRecords;
    return true;
  });
  return tables;
}

}  // namespace pryx::gamefile
