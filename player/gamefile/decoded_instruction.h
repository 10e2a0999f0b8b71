#pragma once
// An instruction read once through the instruction table: its entry, its operand
// values and its size. The whole instruction is checked against the image before
// any operand is read, so no reader counts operand offsets of its own.

#include "player/gamefile/image.h"
#include "player/gamefile/instructions.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <optional>

namespace pryx::gamefile {

struct DecodedInstruction {
  std::uint8_t opcode = 0;
  const Instruction* entry = nullptr;  // nullptr: a byte the player steps over
  std::int64_t position = 0;           // of the opcode byte
  int size = 1;
  // Operand values in table order, read with the -1 rule of their fields.
  std::array<std::int32_t, kMaxOperands> values{};

  // The operand values for a structured binding, e.g.
  // `auto [variable, comparison, value, label] = decoded.operands<4>();`
  template <std::size_t N>
  std::array<std::int32_t, N> operands() const {
    assert(entry && entry->operands.size() == N);
    std::array<std::int32_t, N> chosen;
    std::copy_n(values.begin(), N, chosen.begin());
    return chosen;
  }

  std::int64_t lastByte() const { return position + size - 1; }
  std::int64_t next() const { return position + size; }
};

// Fills `decoded` with the operands laid out as `layout` says from
// `operandsPosition` on, which the caller has checked to lie inside the image.
inline void readOperands(const GameImage& image, const OperandLayout& layout, std::int64_t operandsPosition,
                         DecodedInstruction& decoded) {
  decoded.opcode = static_cast<std::uint8_t>(layout.entry->opcode);
  decoded.entry = layout.entry;
  decoded.position = operandsPosition - kFirstOperandOffset;
  decoded.size = kFirstOperandOffset + layout.operandBytes;
  const std::uint8_t* field = layout.count > 0 ? image.uncheckedAt(operandsPosition) : nullptr;
  for (std::size_t i = 0; i < layout.count; ++i) {
    switch (layout.types[i]) {
      case FieldType::Byte: decoded.values[i] = *field; break;
      case FieldType::Int16: decoded.values[i] = GameImage::int16From(field); break;
      case FieldType::Int32:
      case FieldType::Link: decoded.values[i] = GameImage::int32From(field); break;
    }
    field += fieldSize(layout.types[i]);
  }
}

// The instruction whose opcode byte is at `position`; nullopt when that byte or one
// of its operands lies outside the image. Inline, and built where it is returned:
// the player decodes every instruction it executes.
inline std::optional<DecodedInstruction> decodeInstruction(const GameImage& image, std::int64_t position) {
  std::optional<DecodedInstruction> decoded;
  if (!image.contains(position)) return decoded;
  const std::uint8_t opcode = *image.uncheckedAt(position);
  const OperandLayout& layout = operandLayout(opcode);
  if (!layout.entry) {
    decoded.emplace();
    decoded->opcode = opcode;
    decoded->position = position;
  } else if (image.contains(position, kFirstOperandOffset + layout.operandBytes)) {
    decoded.emplace();
    readOperands(image, layout, position + kFirstOperandOffset, *decoded);
  }
  return decoded;
}

// The operands of `entry` read from `operandsPosition` on, whatever byte stands
// before them: chains reach their records at their link fields, not at an opcode.
std::optional<DecodedInstruction> decodeOperands(const GameImage& image, const Instruction& entry,
                                                 std::int64_t operandsPosition);

}  // namespace pryx::gamefile
