#include "player/gamefile/chains.h"

#include "player/gamefile/chained_records.h"

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

// Walks a pool record chain as the player reads it: from the header slot `head`,
// the pool cursor starting at the header slot `pool`, until a record read by
// `read(link, cursor)` ends the chain, a link leaves the file, or `limit` records
// were read. Returns how many records were read.
//
// A chain that comes round again is read round after round while its cursor moves
// on. Once a whole round has been read with the cursor standing still, or past the
// end of the file (where only empty texts are found), every further round hands over
// the same numbers and texts, so whole rounds are counted without being visited;
// the records of the last, partial round are visited. Rounds are found with Brent's
// method: `mark` is a link read `sinceMark` records ago.
template <typename Read>
int walkPoolChain(const GameImage& image, HeaderSlot head, HeaderSlot pool, int limit, Read read,
                  const std::function<void(const PoolRecord&)>& visit) {
  auto link = image.headerSlot(head);
  std::int64_t cursor = image.headerSlot(pool).value_or(-1);
  std::int32_t mark = 0;
  std::int64_t cursorAtMark = cursor;
  int sinceMark = 0, nextMarkAfter = 1;
  bool roundFound = false, roundsSkipped = false;
  int seen = 0;
  while (link && *link >= 1 && seen < limit) {
    if (*link == mark && !roundsSkipped) {
      roundFound = true;
      const int round = sinceMark;
      const std::int64_t advance = cursor - cursorAtMark;
      if (advance == 0 || cursorAtMark > image.length()) {
        const int rounds = (limit - seen) / round;
        seen += rounds * round;
        cursor += advance * rounds;
        roundsSkipped = true;
        if (seen == limit) break;
      }
      cursorAtMark = cursor;
      sinceMark = 0;
    } else if (!roundFound && sinceMark == nextMarkAfter) {
      mark = *link;
      cursorAtMark = cursor;
      sinceMark = 0;
      nextMarkAfter *= 2;
    }
    std::optional<PoolRecord> record = read(*link, cursor);
    if (!record) break;
    visit(*record);
    ++seen;
    ++sinceMark;
    cursor += record->length;
    link = record->next;
  }
  return seen;
}

}  // namespace

LabelChain loadLabelChain(const GameImage& image) {
  LabelChain chain;
  auto link = image.headerSlot(HeaderSlot::LabelChain);
  while (link && *link >= 1 && static_cast<int>(chain.positions.size()) < kMaxLabels) {
    auto record = labelRecordAt(image, *link);
    if (image.byteAt(recordPosition(*link)) != static_cast<std::uint8_t>(Opcode::Label) || !record) {
      chain.broken = true;
      return chain;
    }
    chain.positions.push_back(*link);
    link = record->next;
  }
  return chain;
}

const std::string& TextTables::message(std::int64_t number) const { return textAt(messages, number); }

const std::string& TextTables::caption(std::int64_t slot, std::int64_t number) const {
  if (slot < 0 || slot >= kButtonSlots) return kNoText;
  return textAt(captions[static_cast<std::size_t>(slot)], number);
}

int forEachTextRecord(const GameImage& image, const std::function<void(const PoolRecord&)>& visit) {
  auto read = [&](std::int32_t link, std::int64_t cursor) -> std::optional<PoolRecord> {
    auto record = textRecordAt(image, link);
    if (!record || record->message == -1 || record->length < 0) return std::nullopt;
    return PoolRecord{link, record->next, record->message, 0, record->length, cursor,
                      image.textAt(cursor, record->length)};
  };
  return walkPoolChain(image, HeaderSlot::TextChain, HeaderSlot::MessagePool, kMaxMessageNumber, read, visit);
}

int forEachButtonRecord(const GameImage& image, const std::function<void(const PoolRecord&)>& visit) {
  auto read = [&](std::int32_t link, std::int64_t cursor) -> std::optional<PoolRecord> {
    auto record = buttonRecordAt(image, link);
    if (!record || record->caption == -1) return std::nullopt;
    return PoolRecord{link, record->next, record->caption, record->slot, record->length, cursor,
                      image.textAt(cursor, record->length)};
  };
  return walkPoolChain(image, HeaderSlot::ButtonChain, HeaderSlot::CaptionPool, kMaxButtonRecords, read, visit);
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
  tables.textRecords = forEachTextRecord(image, [&](const PoolRecord& record) {
    if (record.text && record.number >= 1 && record.number <= kMaxMessageNumber) {
      store(tables.messages, record.number, *record.text);
    }
  });
  tables.buttonRecords = forEachButtonRecord(image, [&](const PoolRecord& record) {
    if (record.text && record.slot < kButtonSlots && record.number >= 1 && record.number <= kMaxCaptionNumber) {
      store(tables.captions[record.slot], record.number, *record.text);
    }
  });
  return tables;
}

}  // namespace pryx::gamefile
