#include "player/gamefile/body_scan.h"

#include "player/gamefile/instructions.h"

namespace pryx::gamefile {

std::optional<std::int64_t> findButtonBodyEnd(const GameImage& image, std::int64_t start) {
  for (std::int64_t position = start; position >= 1 && position < image.length(); ++position) {
    std::uint8_t byte = image.bytes()[static_cast<std::size_t>(position - 1)];
    if (byte == static_cast<std::uint8_t>(Opcode::BlockClose)) return position;
    const Instruction* inBody = findInstruction(byte);
    if (inBody && inBody->allowedInButtonBody) position += inBody->operandBytes();
  }
  return std::nullopt;
}

}  // namespace pryx::gamefile
