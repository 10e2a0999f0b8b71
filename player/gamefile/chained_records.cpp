#include "player/gamefile/chained_records.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>

namespace pryx::gamefile {

FieldsFromLink fieldsFromLink(Opcode opcode, std::initializer_list<FieldType> types) {
  const Instruction& entry = instruction(opcode);
  if (!std::equal(types.begin(), types.end(), entry.operands.begin(), entry.operands.end(),
                  [](FieldType type, const Operand& operand) { return type == operand.type; })) {
    throw std::logic_error("a chained record's reader does not match its table entry");
  }
  FieldsFromLink fields{entry.operandBytes(), {}};
  for (std::size_t i = 0; i < entry.operands.size(); ++i) fields.at[i] = operandOffset(entry, i) - kFirstOperandOffset;
  return fields;
}

int chainedRecordBytes(Opcode opcode) { return operandLayout(static_cast<std::uint8_t>(opcode)).operandBytes; }

TextRecord textRecord(const DecodedInstruction& decoded) {
  auto [next, message, length] = decoded.operands<3>();
  return {next, static_cast<std::int16_t>(message), static_cast<std::int16_t>(length), decoded.next()};
}

ButtonRecord buttonRecord(const DecodedInstruction& decoded) {
  auto [next, caption, slot, length] = decoded.operands<4>();
  return {next, static_cast<std::int16_t>(caption), static_cast<std::uint8_t>(slot), static_cast<std::uint8_t>(length),
          decoded.next()};
}

}  // namespace pryx::gamefile
