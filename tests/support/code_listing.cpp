#include "tests/support/code_listing.h"

#include "player/gamefile/decoded_instruction.h"
#include "player/gamefile/header.h"
#include "player/gamefile/image.h"

namespace pryx::gamefile::testing {

std::vector<std::string> codeListing(const std::vector<std::uint8_t>& file) {
  GameImage image(file);
  std::vector<std::string> lines;
  for (std::int64_t at = kFirstInstruction;;) {
    auto decoded = decodeInstruction(image, at);
    if (!decoded || decoded->opcode == static_cast<std::uint8_t>(Opcode::EndOfCode)) break;
    at = decoded->next();
    if (!decoded->entry) {
      lines.push_back("byte " + std::to_string(decoded->opcode));
      continue;
    }
    std::string line(decoded->entry->name);
    for (std::size_t i = 0; i < decoded->entry->operands.size(); ++i) {
      if (decoded->entry->operands[i].type != FieldType::Link) line += " " + std::to_string(decoded->values[i]);
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace pryx::gamefile::testing
