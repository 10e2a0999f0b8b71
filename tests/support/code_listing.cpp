#include "tests/support/code_listing.h"

#include "player/gamefile/header.h"
#include "player/gamefile/image.h"
#include "player/gamefile/instructions.h"

namespace pryx::gamefile::testing {

std::vector<std::string> codeListing(const std::vector<std::uint8_t>& file) {
  GameImage image(file);
  std::vector<std::string> lines;
  std::int64_t at = kFirstInstruction;
  while (auto opcode = image.byteAt(at)) {
    if (*opcode == static_cast<std::uint8_t>(Opcode::EndOfCode)) break;
    const Instruction* entry = findInstruction(*opcode);
    if (!entry) {
      lines.push_back("byte " + std::to_string(*opcode));
      ++at;
      continue;
    }
    std::string line(entry->name);
    for (std::size_t i = 0; i < entry->operands.size(); ++i) {
      std::int64_t position = at + operandOffset(*entry, i);
      switch (entry->operands[i].type) {
        case FieldType::Byte: line += " " + std::to_string(image.byteAt(position).value_or(0)); break;
        case FieldType::Int16: line += " " + std::to_string(image.int16At(position).value_or(0)); break;
        case FieldType::Int32: line += " " + std::to_string(image.int32At(position).value_or(0)); break;
        case FieldType::Link: break;
      }
    }
    lines.push_back(line);
    at += entry->size();
  }
  return lines;
}

}  // namespace pryx::gamefile::testing
