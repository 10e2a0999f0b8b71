#pragma once
// The three chains a game file threads through its code: labels (page starts),
// @TEXT records with the message pool, and @BTN records with the caption pool.

#include "player/gamefile/image.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pryx::gamefile {

struct LabelChain {
  std::vector<std::int32_t> positions;  // label k's link field at positions[k - 1]
  bool broken = false;                  // a link did not follow a label opcode, or left the file
};

// Follows the label chain. An empty header slot gives an empty chain; at most
// kMaxLabels labels are read.
LabelChain loadLabelChain(const GameImage& image);

// A @TEXT or @BTN record as its chain gives it, with the text its pool cursor reaches.
struct PoolRecord {
  std::int32_t link;          // position of the record's link field
  std::int32_t next;          // the link it holds: the next record's link field, or -1
  std::int16_t number;        // message or caption number
  std::uint8_t slot;          // button slot (0 for texts)
  std::int64_t length;        // the byte length the record announces
  std::int64_t textPosition;  // where its text starts
  std::optional<std::string_view> text;  // nullopt when the text runs past the end of the file
};

// The records of the text chain (at most kMaxMessageNumber) and of the button chain
// (at most kMaxButtonRecords), in chain order, as the player reads them: a chain ends
// at a link, number or length of -1, or where a record leaves the file.
// A chain that comes round again is read round after round up to its limit. Once a
// round can no longer find a text the previous one did not (its cursor stands still
// or has left the file), its further whole rounds are counted but not handed over:
// they would repeat the same numbers and texts.
std::vector<PoolRecord> textChainRecords(const GameImage& image);
std::vector<PoolRecord> buttonChainRecords(const GameImage& image);
// The same records handed over one by one, for readers that need not keep them.
// Returns the number of records the player reads, the repeated rounds included.
int forEachTextRecord(const GameImage& image, const std::function<void(const PoolRecord&)>& visit);
int forEachButtonRecord(const GameImage& image, const std::function<void(const PoolRecord&)>& visit);

// Messages by number (1..kMaxMessageNumber) and captions by slot and number, as raw
// Shift-JIS bytes. A record whose number or slot lies outside the tables, or whose
// text runs past the end of the file, stores nothing; the pool cursor still moves on
// so that later records keep their texts.
// The tables grow only as far as the highest number a file uses, so that a small
// game (or a fuzz input) does not pay for sixty thousand empty texts.
struct TextTables {
  std::vector<std::string> messages;                          // index = message number
  std::array<std::vector<std::string>, kButtonSlots> captions;  // [slot][caption number]
  int textRecords = 0;
  int buttonRecords = 0;

  const std::string& message(std::int64_t number) const;
  const std::string& caption(std::int64_t slot, std::int64_t number) const;
};

TextTables loadTextTables(const GameImage& image);

}  // namespace pryx::gamefile
