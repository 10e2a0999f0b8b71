#pragma once
// The instruction set of the game file: one table that the reader, the button-body
// scan, the disassembler and both writers share.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace pryx::gamefile {

enum class Opcode : std::uint8_t {
  Version = 1,
  DefCg = 2,
  DefBgm = 3,
  Wait = 4,
  Label = 5,
  Bgm = 6,
  BlockOpen = 7,
  BlockClose = 8,
  EvtWait = 9,
  Jmp = 10,
  GameMode = 11,
  IfA = 12,
  IfB = 13,
  VarOp = 14,
  End = 15,
  DefChr = 16,
  FColorL = 17,
  FColorD = 18,
  Sub = 19,
  SubR = 20,
  Ret = 21,
  Quick = 22,
  Cg = 129,
  Text = 130,
  Btn = 131,
  Effect = 136,
  Chr = 137,
  TColorA = 138,
  TColorB = 139,
  Save = 140,
  Load = 141,
  Msgw = 142,
  EndOfCode = 255,
};

// Byte lengths decide everything about a field; the link is an int32 that threads
// an instruction onto its chain.
enum class FieldType : std::uint8_t { Byte, Int16, Int32, Link };

// What an operand means, so that readers can resolve it (a label number to its
// label, a CG number to its name, an operator code to its text).
enum class OperandRole : std::uint8_t {
  Number,
  Link,
  LabelNumber,
  CgNumber,
  ChrNumber,
  BgmNumber,
  VariableNumber,
  Comparison,
  Logic,
  Operator,
  GameMode,
  MessageNumber,
  CaptionNumber,
  ButtonSlot,
  SaveSlot,
  NameLength,
  TextLength,
  CaptionLength,
  ColourChannel,
};

// Operands follow the one opcode byte; a chained instruction's link field is its first.
inline constexpr int kFirstOperandOffset = 1;
// The most operands an instruction has (@IFB).
inline constexpr std::size_t kMaxOperands = 8;

struct Operand {
  std::string_view name;
  FieldType type;
  OperandRole role;
};

struct Instruction {
  Opcode opcode;
  std::string_view name;  // the script command that produces it
  std::span<const Operand> operands;
  bool allowedInButtonBody;  // the body scan steps over the operands of these only

  int operandBytes() const;
  int size() const { return kFirstOperandOffset + operandBytes(); }
};

constexpr int fieldSize(FieldType type) {
  switch (type) {
    case FieldType::Byte: return 1;
    case FieldType::Int16: return 2;
    case FieldType::Int32:
    case FieldType::Link: return 4;
  }
  return 0;
}

// How the operands of an opcode byte lie, worked out once from the table for the
// decoder, which runs for every instruction the player executes.
struct OperandLayout {
  const Instruction* entry = nullptr;  // nullptr: a one-byte no-operation
  int operandBytes = 0;
  std::size_t count = 0;
  std::array<FieldType, kMaxOperands> types{};
};
extern const std::array<OperandLayout, 256> kOperandLayouts;
inline const OperandLayout& operandLayout(std::uint8_t opcode) { return kOperandLayouts[opcode]; }

// The instruction for an opcode byte, or nullptr for a byte the player steps over as
// a one-byte no-operation.
const Instruction* findInstruction(std::uint8_t opcode);
const Instruction& instruction(Opcode opcode);
std::span<const Instruction> allInstructions();

// Offset of an operand from its opcode byte.
int operandOffset(const Instruction& instruction, std::size_t operandIndex);

// Operand codes of conditions and variable operations.
namespace comparison {
inline constexpr std::uint8_t Equal = 1, Greater = 2, Less = 3, NotEqual = 4;
}
namespace logic {
inline constexpr std::uint8_t Both = 1, Either = 2, Neither = 3;
}
namespace operation {
inline constexpr std::uint8_t Assign = 1, Add = 2, Subtract = 3, Multiply = 4, DivideRounded = 5,
                              DivideTruncated = 6, Random = 7;
}

// The script texts of the codes above ("=", "&&", "RND"...), empty for other codes.
std::string_view comparisonText(int code);
std::string_view logicText(int code);
std::string_view operationText(int code);

}  // namespace pryx::gamefile
