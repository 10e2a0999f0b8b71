#include "player/gamefile/instructions.h"

#include <array>
#include <stdexcept>

namespace pryx::gamefile {
namespace {

using F = FieldType;
using R = OperandRole;

constexpr Operand kVersion[] = {{"major", F::Byte, R::Number}, {"minor", F::Byte, R::Number}};
constexpr Operand kDefCg[] = {{"cg", F::Int16, R::CgNumber}, {"length", F::Int16, R::NameLength}};
constexpr Operand kDefChr[] = {{"chr", F::Int16, R::ChrNumber}, {"length", F::Int16, R::NameLength}};
constexpr Operand kDefBgm[] = {{"bgm", F::Int16, R::BgmNumber}, {"length", F::Int16, R::NameLength}};
constexpr Operand kWait[] = {{"wait", F::Byte, R::Number}};
constexpr Operand kLabel[] = {{"link", F::Link, R::Link}};
constexpr Operand kBgm[] = {{"bgm", F::Int16, R::BgmNumber}};
constexpr Operand kJump[] = {{"label", F::Int16, R::LabelNumber}};
constexpr Operand kGameMode[] = {{"mode", F::Byte, R::GameMode}};
constexpr Operand kIfA[] = {{"variable", F::Int16, R::VariableNumber},
                            {"comparison", F::Byte, R::Comparison},
                            {"value", F::Int32, R::Number},
                            {"label", F::Int16, R::LabelNumber}};
constexpr Operand kIfB[] = {{"variable A", F::Int16, R::VariableNumber},
                            {"comparison A", F::Byte, R::Comparison},
                            {"value A", F::Int32, R::Number},
                            {"logic", F::Byte, R::Logic},
                            {"variable B", F::Int16, R::VariableNumber},
                            {"comparison B", F::Byte, R::Comparison},
                            {"value B", F::Int32, R::Number},
                            {"label", F::Int16, R::LabelNumber}};
constexpr Operand kVarOp[] = {{"variable", F::Int16, R::VariableNumber},
                              {"operator", F::Byte, R::Operator},
                              {"operand", F::Int16, R::Number}};
constexpr Operand kColourRgb[] = {{"red", F::Byte, R::ColourChannel},
                                  {"green", F::Byte, R::ColourChannel},
                                  {"blue", F::Byte, R::ColourChannel}};
constexpr Operand kColourBgr[] = {{"blue", F::Byte, R::ColourChannel},
                                  {"green", F::Byte, R::ColourChannel},
                                  {"red", F::Byte, R::ColourChannel}};
constexpr Operand kCg[] = {{"cg", F::Int16, R::CgNumber}};
constexpr Operand kChr[] = {{"chr", F::Int16, R::ChrNumber}};
constexpr Operand kText[] = {{"link", F::Link, R::Link},
                             {"message", F::Int16, R::MessageNumber},
                             {"length", F::Int16, R::TextLength}};
constexpr Operand kBtn[] = {{"link", F::Link, R::Link},
                            {"caption", F::Int16, R::CaptionNumber},
                            {"slot", F::Byte, R::ButtonSlot},
                            {"length", F::Byte, R::CaptionLength}};
constexpr Operand kEffect[] = {{"effect", F::Byte, R::Number}};
constexpr Operand kSlot[] = {{"slot", F::Byte, R::SaveSlot}};

constexpr std::array kInstructions = {
    Instruction{Opcode::Version, "@VERSION", kVersion, false},
    Instruction{Opcode::DefCg, "@DEF,CG", kDefCg, false},
    Instruction{Opcode::DefBgm, "@DEF,BGM", kDefBgm, false},
    Instruction{Opcode::Wait, "@WAIT", kWait, false},
    Instruction{Opcode::Label, "#", kLabel, false},
    Instruction{Opcode::Bgm, "@BGM", kBgm, false},
    Instruction{Opcode::BlockOpen, "{", {}, false},
    Instruction{Opcode::BlockClose, "}", {}, false},
    Instruction{Opcode::EvtWait, "@EVTWAIT", {}, false},
    Instruction{Opcode::Jmp, "@JMP", kJump, true},
    Instruction{Opcode::GameMode, "@GAMEMODE", kGameMode, false},
    Instruction{Opcode::IfA, "@IFA", kIfA, true},
    Instruction{Opcode::IfB, "@IFB", kIfB, true},
    Instruction{Opcode::VarOp, "@", kVarOp, true},
    Instruction{Opcode::End, "@END", {}, false},
    Instruction{Opcode::DefChr, "@DEF,CHR", kDefChr, false},
    Instruction{Opcode::FColorL, "@FCOLORL", kColourRgb, false},
    Instruction{Opcode::FColorD, "@FCOLORD", kColourRgb, false},
    Instruction{Opcode::Sub, "@SUB", kJump, true},
    Instruction{Opcode::SubR, "@SUBR", kJump, true},
    Instruction{Opcode::Ret, "@RET", {}, false},
    Instruction{Opcode::Quick, "@QUICK", {}, false},
    Instruction{Opcode::Cg, "@CG", kCg, false},
    Instruction{Opcode::Text, "@TEXT", kText, false},
    Instruction{Opcode::Btn, "@BTN", kBtn, false},
    Instruction{Opcode::Effect, "@EFFECT", kEffect, false},
    Instruction{Opcode::Chr, "@CHR", kChr, false},
    Instruction{Opcode::TColorA, "@TCOLORA", {}, false},
    Instruction{Opcode::TColorB, "@TCOLORB", kColourBgr, false},
    Instruction{Opcode::Save, "@SAVE", kSlot, false},
    Instruction{Opcode::Load, "@LOAD", kSlot, false},
    Instruction{Opcode::Msgw, "@MSGW", kChr, false},
    Instruction{Opcode::EndOfCode, "end of code", {}, false},
};

// The decoder keeps operands in an array of kMaxOperands, and chains find a record
// one byte before its link: the link must be the first operand.
constexpr bool fitsTheDecoder() {
  for (const Instruction& entry : kInstructions) {
    if (entry.operands.size() > kMaxOperands) return false;
    for (std::size_t i = 0; i < entry.operands.size(); ++i) {
      if (entry.operands[i].type == FieldType::Link && i != 0) return false;
    }
  }
  return true;
}
static_assert(fitsTheDecoder());

constexpr std::array<OperandLayout, 256> buildLayouts() {
  std::array<OperandLayout, 256> layouts{};
  for (const Instruction& entry : kInstructions) {
    OperandLayout& layout = layouts[static_cast<std::uint8_t>(entry.opcode)];
    layout.entry = &entry;
    layout.count = entry.operands.size();
    for (std::size_t i = 0; i < layout.count; ++i) {
      layout.types[i] = entry.operands[i].type;
      layout.operandBytes += fieldSize(entry.operands[i].type);
    }
  }
  return layouts;
}


constexpr std::string_view kComparisonTexts[] = {"", "=", ">", "<", "<>"};
constexpr std::string_view kLogicTexts[] = {"", "&&", "||", "!!"};
constexpr std::string_view kOperationTexts[] = {"", "=", "+", "-", "*", "/", "\\", "RND"};

template <std::size_t N>
std::string_view textOf(const std::string_view (&texts)[N], int code) {
  return code > 0 && static_cast<std::size_t>(code) < N ? texts[code] : std::string_view();
}

}  // namespace

constexpr std::array<OperandLayout, 256> kOperandLayouts = buildLayouts();

int Instruction::operandBytes() const {
  int total = 0;
  for (const Operand& operand : operands) total += fieldSize(operand.type);
  return total;
}

const Instruction* findInstruction(std::uint8_t opcode) { return kOperandLayouts[opcode].entry; }



const Instruction& instruction(Opcode opcode) {
  const Instruction* found = kOperandLayouts[static_cast<std::uint8_t>(opcode)].entry;
  if (!found) throw std::logic_error("opcode without an instruction entry");
  return *found;
}

std::span<const Instruction> allInstructions() { return kInstructions; }

int operandOffset(const Instruction& instruction, std::size_t operandIndex) {
  int offset = 1;
  for (std::size_t i = 0; i < operandIndex && i < instruction.operands.size(); ++i) {
    offset += fieldSize(instruction.operands[i].type);
  }
  return offset;
}

std::string_view comparisonText(int code) { return textOf(kComparisonTexts, code); }
std::string_view logicText(int code) { return textOf(kLogicTexts, code); }
std::string_view operationText(int code) { return textOf(kOperationTexts, code); }

}  // namespace pryx::gamefile
