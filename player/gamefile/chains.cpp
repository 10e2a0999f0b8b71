#include "player/gamefile/chains.h"

#include "player/gamefile/instructions.h"

namespace pryx::gamefile {
namespace {

const std::string kNoText;

// The text at `number` in `table`, or the empty text where the table has none.
const std::string& textAt(const std::vector<std::string>& table, std::int64_t number) {
  return number >= 1 && number < static_cast<std::int64_t>(table.size()) ? table[static_cast<std::size_t>(number)]
                                                                         : kNoText;
}

void store(std::vector<std::string>& table, std::int64_t number, std::string_view text) {
  const auto index = static_cast<std::size_t>(number);
  if (table.size() <= index) table.resize(index + 1);
  table[index] = text;
}

// Walks a record chain from a header slot: calls `visit(recordLinkPosition)` for
// each record until the chain ends, leaves the file, `visit` says no, or `limit`
// records were seen.
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

const std::string& TextTables::message(std::int64_t number) const { return textAt(messages, number); }

const std::string& TextTables::caption(std::int64_t slot, std::int64_t number) const {
  if (slot < 0 || slot >= kButtonSlots) return kNoText;
  return textAt(captions[static_cast<std::size_t>(slot)], number);
}

void forEachTextRecord(const GameImage& image, const std::function<void(const PoolRecord&)>& visit) {
  std::int64_t cursor = image.headerSlot(HeaderSlot::MessagePool).value_or(-1);
  walkChain(image, HeaderSlot::TextChain, kMaxMessageNumber, [&](std::int32_t record) {
    auto number = image.int16At(std::int64_t{record} + 4);
    auto length = image.int16At(std::int64_t{record} + 6);
    if (!number || *number == -1 || !length || *length < 0) return false;
    visit({record, *number, 0, *length, cursor, image.textAt(cursor, *length)});
    cursor += *length;
    return true;
  });
}

void forEachButtonRecord(const GameImage& image, const std::function<void(const PoolRecord&)>& visit) {
  std::int64_t cursor = image.headerSlot(HeaderSlot::CaptionPool).value_or(-1);
  walkChain(image, HeaderSlot::ButtonChain, kMaxButtonRecords, [&](std::int32_t record) {
    auto number = image.int16At(std::int64_t{record} + 4);
    auto slot = image.byteAt(std::int64_t{record} + 6);
    auto length = image.byteAt(std::int64_t{record} + 7);
    if (!number || *number == -1 || !slot || !length) return false;
    visit({record, *number, *slot, *length, cursor, image.textAt(cursor, *length)});
    cursor += *length;
    return true;
  });
}

std::vector<PoolRecord> textChainRecords(const GameImage& image) {
  std::vector<PoolRecord> records;
  forEachTextRecord(image, [&](const PoolRecord& record) { records.push_back(record); });
  return records;
}

std::vector<PoolRecord> buttonChainRecords(const GameImage& image) {
  std::vector<PoolRecord> records;
  forEachButtonRecord(image, [&](const PoolRecord& record) { records.push_back(record); });
  return records;
}

TextTables loadTextTables(const GameImage& image) {
  TextTables tables;
  forEachTextRecord(image, [&](const PoolRecord& record) {
    if (record.text && record.number >= 1 && record.number <= kMaxMessageNumber) {
      store(tables.messages, record.number, *record.text);
    }
    ++tables.textRecords;
  });
  forEachButtonRecord(image, [&](const PoolRecord& record) {
    if (record.text && record.slot < kButtonSlots && record.number >= 1 && record.number <= kMaxCaptionNumber) {
      store(tables.captions[record.slot], record.number, *record.text);
    }
    ++tables.buttonRecords;
  });
  return tables;
}

}  // namespace pryx::gamefile
