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

// The instruction whose opcode byte is at `position`; nullopt when that byte or one
// of its operands lies outside the image.
std::optional<DecodedInstruction> decodeInstruction(const GameImage& image, std::int64_t position);

// The operands of `entry` read from `operandsPosition` on, whatever byte stands
// before them: chains reach their records at their link fields, not at an opcode.
std::optional<DecodedInstruction> decodeOperands(const GameImage& image, const Instruction& entry,
                                                 std::int64_t operandsPosition);

}  // namespace pryx::gamefile
