#pragma once
// The records the label, text and button chains thread through the code, with their
// fields named. Chains reach a record at its link field; the interpreter at its
// opcode byte. Both read the fields here, laid out by the instruction table.

#include "player/gamefile/decoded_instruction.h"
#include "player/gamefile/image.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>

namespace pryx::gamefile {

// The opcode position of the chained instruction whose link field is at `link`, and back.
constexpr std::int64_t recordPosition(std::int64_t link) { return link - kFirstOperandOffset; }
constexpr std::int64_t linkPosition(std::int64_t recordPosition) { return recordPosition + kFirstOperandOffset; }

// The bytes from a record's link field to its end: what must lie inside the file for
// its chain to read it.
int chainedRecordBytes(Opcode opcode);

struct LabelRecord {
  std::int32_t next;  // link field of the next label, or -1
};

// A @TEXT record, followed by an empty block unless it has no text block.
struct TextRecord {
  std::int32_t next;           // link field of the next @TEXT, or -1
  std::int16_t message;        // message number
  std::int16_t length;         // of the message, in bytes
  std::int64_t blockOpen;      // where the empty block would open
  std::int64_t blockClose() const { return blockOpen + 1; }
};

// A @BTN record, followed by the block of its body.
struct ButtonRecord {
  std::int32_t next;           // link field of the next @BTN, or -1
  std::int16_t caption;        // caption number
  std::uint8_t slot;
  std::uint8_t length;         // of the caption, in bytes
  std::int64_t bodyOpen;       // where the block of the body opens
  std::int64_t bodyStart() const { return bodyOpen + 1; }
};

// The fields of a decoded @TEXT or @BTN.
TextRecord textRecord(const DecodedInstruction& decoded);
ButtonRecord buttonRecord(const DecodedInstruction& decoded);

// Where a chained record's fields lie from its link field, taken once from the
// table (the field types given must be the table's): chains of tens of thousands
// of records are read straight from these, inline.
struct FieldsFromLink {
  std::int64_t bytes;
  std::array<std::int64_t, kMaxOperands> at;
};
FieldsFromLink fieldsFromLink(Opcode opcode, std::initializer_list<FieldType> types);

// The record whose link field is at `link`, or nullopt where it leaves the file.
inline std::optional<LabelRecord> labelRecordAt(const GameImage& image, std::int64_t link) {
  static const FieldsFromLink fields = fieldsFromLink(Opcode::Label, {FieldType::Link});
  if (!image.contains(link, fields.bytes)) return std::nullopt;
  return LabelRecord{GameImage::int32From(image.uncheckedAt(link + fields.at[0]))};
}

inline std::optional<TextRecord> textRecordAt(const GameImage& image, std::int64_t link) {
  static const FieldsFromLink fields = fieldsFromLink(Opcode::Text, {FieldType::Link, FieldType::Int16, FieldType::Int16});
  if (!image.contains(link, fields.bytes)) return std::nullopt;
  const std::uint8_t* record = image.uncheckedAt(link);
  return TextRecord{GameImage::int32From(record + fields.at[0]), GameImage::int16From(record + fields.at[1]),
                    GameImage::int16From(record + fields.at[2]), link + fields.bytes};
}

inline std::optional<ButtonRecord> buttonRecordAt(const GameImage& image, std::int64_t link) {
  static const FieldsFromLink fields =
      fieldsFromLink(Opcode::Btn, {FieldType::Link, FieldType::Int16, FieldType::Byte, FieldType::Byte});
  if (!image.contains(link, fields.bytes)) return std::nullopt;
  const std::uint8_t* record = image.uncheckedAt(link);
  return ButtonRecord{GameImage::int32From(record + fields.at[0]), GameImage::int16From(record + fields.at[1]),
                      record[fields.at[2]], record[fields.at[3]], link + fields.bytes};
}


}  // namespace pryx::gamefile
