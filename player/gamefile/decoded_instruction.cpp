#include "player/gamefile/decoded_instruction.h"

namespace pryx::gamefile {

std::optional<DecodedInstruction> decodeOperands(const GameImage& image, const Instruction& entry,
                                                 std::int64_t operandsPosition) {
  const OperandLayout& layout = operandLayout(static_cast<std::uint8_t>(entry.opcode));
  std::optional<DecodedInstruction> decoded;
  if (layout.operandBytes == 0 || image.contains(operandsPosition, layout.operandBytes)) {
    decoded.emplace();
    readOperands(image, layout, operandsPosition, *decoded);
  }
  return decoded;
}

}  // namespace pryx::gamefile
