// The main loop and the instructions that need nothing but the interpreter state.


#include "platform/sjis.h"
#include "player/gamefile/chained_records.h"
#include "player/gamefile/decoded_instruction.h"
#include "player/messages.h"
#include "player/player.h"
#include "player/speed.h"
#include "player/gamefile/variables.h"

namespace pryx::player {

using gamefile::Opcode;

namespace {

// Instructions run between two looks at the window's events, so that a game that
// loops without waiting can still be closed.
constexpr std::int64_t kInstructionsBetweenPumps = 4096;

constexpr std::uint8_t code(Opcode opcode) { return static_cast<std::uint8_t>(opcode); }

std::string decodedText(std::string_view sjis) { return platform::decodeSjis(sjis); }

}  // namespace

Player::Player(const PlayerHost& host, GameLocation location, gamefile::GameImage image, PlayerOptions options)
    : host_(host),
      location_(std::move(location)),
      image_(std::move(image)),
      options_(options),
      observer_(options.observer ? *options.observer : defaultObserver_),
      saveFiles_(location_),
      saves_(options.saves ? *options.saves : saveFiles_),
      screen_(options.drawsPictures),
      marksStore_(options.readMarks),
      marks_(marksStore_ ? marksStore_->load(gameIdentity(image_)) : ReadMarks{}),
      speech_(options.speech) {
  host_.window.setCaption(location_.name);
  for (int slot = 1; slot <= kMenuSaveSlots; ++slot) enableLoadItem(slot, saves_.exists(slot));
  MenuONorOFF(false);
  host_.menus.setSpeedChecked(state_.speed);
  announceSwitches();
}

RunEnd Player::run() {
  try {
    start();
    for (;;) step();
  } catch (const RunEnd& end) {
    if (marksChanged_) keepReadMarks();
    if (speech_) speech_->stop();
    if (state_.currentBgm != 0) host_.sequencer.close();
    host_.display.DispChange(0);
    observer_.ended(static_cast<std::int32_t>(state_.programCounter), end.reason, end.message);
    return end;
  }
}

void Player::start() {
  gamefile::LabelChain chain = gamefile::loadLabelChain(image_);
  labels_ = std::move(chain.positions);
  for (std::size_t i = labels_.size(); i-- > 0;) {
    labelNumbers_[gamefile::recordPosition(labels_[i])] = static_cast<std::int32_t>(i + 1);
  }
  if (chain.broken) endWithCodeError();
  texts_ = gamefile::loadTextTables(image_);
  random_.seed(static_cast<std::uint64_t>(host_.clock.milliseconds()));
  cgNames_.cursor = image_.headerSlot(gamefile::HeaderSlot::CgPool).value_or(-1);
  chrNames_.cursor = image_.headerSlot(gamefile::HeaderSlot::ChrPool).value_or(-1);
  bgmNames_.cursor = image_.headerSlot(gamefile::HeaderSlot::BgmPool).value_or(-1);
  state_.programCounter = gamefile::kFirstInstruction;
  if (options_.start.label < 0 || static_cast<std::size_t>(options_.start.label) > labels_.size()) endWithCodeError();
  startPending_ = !options_.start.fromTop();
}

void Player::step() {
  if (state_.programCounter > image_.length()) endRun(EndReason::PastEnd);
  ++instructionCount_;
  if (options_.instructionLimit > 0 && instructionCount_ > options_.instructionLimit) endRun(EndReason::StepLimit);
  if (instructionCount_ % kInstructionsBetweenPumps == 0) pump();
  // An instruction cut off by the end of the file ends the run as code that ran off it.
  auto instruction = gamefile::decodeInstruction(image_, state_.programCounter);
  if (!instruction) endRun(EndReason::PastEnd);
  execute(*instruction);
  ++state_.programCounter;
}

// Each instruction leaves the program counter on its own last byte, or before the
// instruction it jumps to; the step then moves on by one. An instruction that
// reports an event moves the counter after it, so that the event names the
// instruction's own position.
void Player::execute(const gamefile::DecodedInstruction& instruction) {
  auto& pc = state_.programCounter;
  switch (instruction.opcode) {
    case code(Opcode::Version): {
      auto [major, minor] = instruction.operands<2>();
      pc = instruction.lastByte();
      if (gamefile::kPlayerMinorVersion < minor || gamefile::kPlayerMajorVersion < major) {
        endWithMessage(EndReason::Version, text::kNewerVersionNeeded, MessageIcon::Information, {});
      }
      break;
    }
    case code(Opcode::DefCg): defineName(cgNames_, instruction); break;
    case code(Opcode::DefBgm): defineName(bgmNames_, instruction); break;
    case code(Opcode::DefChr): defineName(chrNames_, instruction); break;
    case code(Opcode::Wait): {
      auto [wait] = instruction.operands<1>();
      pc = instruction.lastByte();
      state_.baseWait = wait;
      state_.messageWait = wait;
      wtchecker(std::nullopt);
      break;
    }
    case code(Opcode::Label):
      if (startPending_ && enterStartPosition()) break;
      state_.pagePosition = pc;
      observer_.label(static_cast<std::int32_t>(pc), traceLabelNumber(pc));
      pc = instruction.lastByte();
      break;
    case code(Opcode::Bgm): {
      auto [number] = instruction.operands<1>();
      playBgmNumber(number);
      pc = instruction.lastByte();
      break;
    }
    case code(Opcode::EvtWait): awaitChoice(); break;
    case code(Opcode::Jmp): {
      auto [label] = instruction.operands<1>();
      pc = instruction.lastByte();
      if (label > 0) jumpTo(label);
      break;
    }
    case code(Opcode::GameMode): {
      auto [mode] = instruction.operands<1>();
      pc = instruction.lastByte();
      setGameMode(mode);
      break;
    }
    case code(Opcode::IfA): conditionalJump(instruction); break;
    case code(Opcode::IfB): doubleConditionalJump(instruction); break;
    case code(Opcode::VarOp): operateOnVariable(instruction); break;
    case code(Opcode::End): endRun(EndReason::End);
    case code(Opcode::FColorL):
    case code(Opcode::FColorD): {
      auto [red, green, blue] = instruction.operands<3>();
      pc = instruction.lastByte();
      (instruction.opcode == code(Opcode::FColorL) ? state_.textColour : state_.shadowColour) =
          Colour{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green), static_cast<std::uint8_t>(blue)};
      break;
    }
    case code(Opcode::Sub): {
      auto [label] = instruction.operands<1>();
      pc = instruction.lastByte();
      if (label >= 1) callSubroutine(label, state_.pagePosition - 1, text::kSubOverflow);
      break;
    }
    case code(Opcode::SubR): {
      auto [label] = instruction.operands<1>();
      pc = instruction.lastByte();
      if (label >= 1) callSubroutine(label, pc, text::kSubrOverflow);
      break;
    }
    case code(Opcode::Ret): returnFromSubroutine(); break;
    case code(Opcode::Quick): state_.quick = true; break;
    case code(Opcode::Cg): {
      auto [number] = instruction.operands<1>();
      showCgNumber(number);
      pc = instruction.lastByte();
      break;
    }
    case code(Opcode::Text): typeMessage(instruction); break;
    case code(Opcode::Btn): defineButton(instruction); break;
    case code(Opcode::Effect): {
      auto [effect] = instruction.operands<1>();
      state_.effect = effect;
      pc = instruction.lastByte();
      break;
    }
    case code(Opcode::Chr): {
      auto [number] = instruction.operands<1>();
      showChrNumber(number);
      pc = instruction.lastByte();
      break;
    }
    case code(Opcode::TColorA): state_.transparentColour = -1; break;
    case code(Opcode::TColorB): {
      auto [blue, green, red] = instruction.operands<3>();
      state_.transparentColour = blue + 256 * green + 65536 * red;
      pc = instruction.lastByte();
      break;
    }
    case code(Opcode::Save): {
      auto [slot] = instruction.operands<1>();
      if (!state_.replaying) {
        state_.scriptSave = true;
        save(slot);
      }
      state_.replaying = false;
      pc = instruction.lastByte();
      break;
    }
    case code(Opcode::Load): {
      auto [slot] = instruction.operands<1>();
      state_.scriptSave = true;
      if (!load(slot)) pc = instruction.lastByte();  // a load moves the program counter to the saved page
      break;
    }
    case code(Opcode::Msgw): pc = instruction.lastByte(); break;
    case code(Opcode::EndOfCode): endRun(EndReason::CodeEnd);
    default: break;  // block bytes and unknown opcodes: one-byte no-operations
  }
}

void Player::defineName(NamePool& pool, const gamefile::DecodedInstruction& instruction) {
  auto [number, length] = instruction.operands<2>();
  state_.programCounter = instruction.lastByte();
  if (length <= 0) return;
  // A name that runs past the end of the file stays empty; the cursor moves on so
  // that later names keep their places.
  auto name = image_.textAt(pool.cursor, length);
  if (name && number >= 0 && number <= gamefile::kMaxResourceNumber) {
    pool.names[static_cast<std::size_t>(number)] = std::string(*name);
  }
  pool.cursor += length;
}

const std::string& Player::NamePool::name(std::int32_t number) const {
  static const std::string none;
  return number >= 0 && number <= gamefile::kMaxResourceNumber ? names[static_cast<std::size_t>(number)] : none;
}

void Player::jumpTo(std::int32_t label) {
  if (label < 1 || static_cast<std::size_t>(label) > labels_.size()) endWithCodeError();
  // One before the label's opcode: the step moves on to it.
  state_.programCounter = gamefile::recordPosition(labels_[static_cast<std::size_t>(label - 1)]) - 1;
}

void Player::callSubroutine(std::int32_t label, std::int64_t returnPosition, const char* overflowMessage) {
  if (state_.depth() >= kStackDepth) endWithMessage(EndReason::Error, overflowMessage, MessageIcon::None, {});
  state_.returnStack.push_back(returnPosition);
  state_.pageStack.push_back(state_.pagePosition);
  jumpTo(label);
}

void Player::returnFromSubroutine() {
  if (state_.depth() == 0) return;
  state_.programCounter = state_.returnStack.back();
  state_.pagePosition = state_.pageStack.back();
  state_.returnStack.pop_back();
  state_.pageStack.pop_back();
}

bool Player::variableInRange(std::int32_t number) const {
  return number >= 1 && number <= gamefile::kMaxVariables;
}

void Player::useVariable(std::int32_t number) {
  if (number > state_.highestVariable) state_.highestVariable = number;
}

bool Player::conditionHolds(std::int32_t variable, int comparison, std::int32_t value) {
  if (!variableInRange(variable)) return false;
  useVariable(variable);
  return gamefile::compareVariable(state_.variables[static_cast<std::size_t>(variable)], comparison, value);
}

void Player::conditionalJump(const gamefile::DecodedInstruction& instruction) {
  auto [variable, comparison, value, label] = instruction.operands<4>();
  state_.programCounter = instruction.lastByte();
  if (conditionHolds(variable, comparison, value) && label >= 1) jumpTo(label);
}

void Player::doubleConditionalJump(const gamefile::DecodedInstruction& instruction) {
  auto [variableA, comparisonA, valueA, logic, variableB, comparisonB, valueB, label] = instruction.operands<8>();
  state_.programCounter = instruction.lastByte();
  if (!variableInRange(variableA)) return;
  bool a = conditionHolds(variableA, comparisonA, valueA);
  bool b = conditionHolds(variableB, comparisonB, valueB);
  if (gamefile::combineConditions(logic, a, b) && label >= 1) jumpTo(label);
}

void Player::operateOnVariable(const gamefile::DecodedInstruction& instruction) {
  auto [variable, operation, operand] = instruction.operands<3>();
  const auto pc = instruction.position;
  state_.programCounter = instruction.lastByte();
  if (state_.replaying || !variableInRange(variable)) return;
  useVariable(variable);
  auto& value = state_.variables[static_cast<std::size_t>(variable)];
  auto result = gamefile::applyOperation(value, operation, operand, [this] {
    return std::generate_canonical<double, 53>(random_);
  });
  if (!result) return;
  value = *result;
  observer_.variable(static_cast<std::int32_t>(pc), variable, value);
}

void Player::setGameMode(int mode) {
  state_.gameMode = mode;
  if (mode != 1) return;
  host_.window.enterNovelMode();
  host_.window.setCaption({});
  host_.display.DispChange(1);
  host_.display.FullScreenMode(host_.window.nativeHandle());
}

void Player::typeMessage(const gamefile::DecodedInstruction& instruction) {
  const gamefile::TextRecord record = gamefile::textRecord(instruction);
  bool hasBlock = image_.byteAt(record.blockOpen) == code(Opcode::BlockOpen) &&
                  image_.byteAt(record.blockClose()) == code(Opcode::BlockClose);
  if (!hasBlock || record.message < 1) {
    state_.programCounter = instruction.lastByte();
    return;
  }
  std::string message = decodedText(texts_.message(record.message));
  if (!message.empty()) {
    observer_.text(static_cast<std::int32_t>(instruction.position), record.message, message);
    messageStarted(record.message, message);
  }
  if (state_.novelMode()) textplayx(message);
  else textplay(message);
  if (!message.empty()) messageTyped();
  state_.programCounter = record.blockClose();
}

// At the first label of a run from a chosen start: true when the run jumped away
// from it to the start label.
bool Player::enterStartPosition() {
  startPending_ = false;
  for (const VariablePreset& preset : options_.start.variables) {
    if (!variableInRange(preset.number)) continue;
    state_.variables[static_cast<std::size_t>(preset.number)] = preset.value;
    useVariable(preset.number);
  }
  if (options_.start.label == 0 || traceLabelNumber(state_.programCounter) == options_.start.label) return false;
  jumpTo(options_.start.label);
  return true;
}

std::optional<std::string> Player::resourceFile(const std::string& sjisName, std::string_view extension) const {
  if (options_.findResource) return options_.findResource(sjisName, extension);
  return findResourceFile(location_.folder, sjisName, extension);
}

std::int32_t Player::traceLabelNumber(std::int64_t opcodePosition) const {
  auto found = labelNumbers_.find(opcodePosition);
  return found == labelNumbers_.end() ? 0 : found->second;
}

}  // namespace pryx::player
