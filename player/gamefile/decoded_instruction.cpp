#include "player/gamefile/decoded_instruction.h"

namespace pryx::gamefile {
namespace {

// The operands of `entry` from `operandsPosition` on, which lie inside the image.
DecodedInstruction readOperands(const GameImage& image, const Instruction& entry, std::int64_t operandsPosition,
                                int operandBytes) {
  DecodedInstruction decoded;
  decoded.opcode = static_cast<std::uint8_t>(entry.opcode);
  decoded.entry = &entry;
  decoded.position = operandsPosition - kFirstOperandOffset;
  decoded.size = kFirstOperandOffset + operandBytes;
  if (operandBytes == 0) return decoded;
  const std::uint8_t* field = image.uncheckedAt(operandsPosition);
  auto value = decoded.values.begin();
  for (const Operand& operand : entry.operands) {
    switch (operand.type) {
      case FieldType::Byte: *value++ = *field; break;
      case FieldType::Int16: *value++ = GameImage::int16From(field); break;
      case FieldType::Int32:
      case FieldType::Link: *value++ = GameImage::int32From(field); break;
    }
    field += fieldSize(operand.type);
  }
  return decoded;
}

}  // namespace

std::optional<DecodedInstruction> decodeOperands(const GameImage& image, const Instruction& entry,
                                                 std::int64_t operandsPosition) {
  const int operandBytes = entry.operandBytes();
  if (operandBytes > 0 && !image.contains(operandsPosition, operandBytes)) return std::nullopt;
  return readOperands(image, entry, operandsPosition, operandBytes);
}

std::optional<DecodedInstruction> decodeInstruction(const GameImage& image, std::int64_t position) {
  auto opcode = image.byteAt(position);
  if (!opcode) return std::nullopt;
  const Instruction* entry = findInstruction(*opcode);
  if (!entry) {
    DecodedInstruction noOperation;
    noOperation.opcode = *opcode;
    noOperation.position = position;
    return noOperation;
  }
  const int operandBytes = entry->operandBytes();
  if (!image.contains(position, kFirstOperandOffset + operandBytes)) return std::nullopt;
  return readOperands(image, *entry, position + kFirstOperandOffset, operandBytes);
}

}  // namespace pryx::gamefile
