#include "player/gamefile/chained_records.h"

namespace pryx::gamefile {

int chainedRecordBytes(Opcode opcode) { return instruction(opcode).operandBytes(); }

TextRecord textRecord(const DecodedInstruction& decoded) {
  auto [next, message, length] = decoded.operands<3>();
  return {next, static_cast<std::int16_t>(message), static_cast<std::int16_t>(length), decoded.next()};
}

ButtonRecord buttonRecord(const DecodedInstruction& decoded) {
  auto [next, caption, slot, length] = decoded.operands<4>();
  return {next, static_cast<std::int16_t>(caption), static_cast<std::uint8_t>(slot), static_cast<std::uint8_t>(length),
          decoded.next()};
}

std::optional<LabelRecord> labelRecordAt(const GameImage& image, std::int64_t link) {
  static const Instruction& label = instruction(Opcode::Label);
  auto decoded = decodeOperands(image, label, link);
  if (!decoded) return std::nullopt;
  auto [next] = decoded->operands<1>();
  return LabelRecord{next};
}

std::optional<TextRecord> textRecordAt(const GameImage& image, std::int64_t link) {
  static const Instruction& text = instruction(Opcode::Text);
  auto decoded = decodeOperands(image, text, link);
  return decoded ? std::optional(textRecord(*decoded)) : std::nullopt;
}

std::optional<ButtonRecord> buttonRecordAt(const GameImage& image, std::int64_t link) {
  static const Instruction& button = instruction(Opcode::Btn);
  auto decoded = decodeOperands(image, button, link);
  return decoded ? std::optional(buttonRecord(*decoded)) : std::nullopt;
}

}  // namespace pryx::gamefile
