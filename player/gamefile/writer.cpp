#include "player/gamefile/writer.h"

#include "platform/number_text.h"
#include "platform/sjis.h"
#include "player/gamefile/header.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

namespace pryx::gamefile {

using platform::saturate;

GameFileWriter::GameFileWriter()
    : position_(kFirstInstruction),
      labels_{gamefile::position(HeaderSlot::LabelChain)},
      buttons_{gamefile::position(HeaderSlot::ButtonChain)},
      texts_{gamefile::position(HeaderSlot::TextChain)} {
  bytes_.assign(kMagic.begin(), kMagic.end());
  bytes_.resize(kHeaderSize, 0);
}

// The write position only moves forward: bytes go to the end, after the zero bytes
// of any gap skipped over.
void GameFileWriter::putByte(std::uint8_t value) {
  if (bytes_.size() + 1 < static_cast<std::size_t>(position_)) bytes_.resize(static_cast<std::size_t>(position_ - 1), 0);
  bytes_.push_back(value);
  ++position_;
}

void GameFileWriter::reserve(std::size_t bytes) {
  if (bytes <= bytes_.size()) return;
  bytes_.reserve(bytes);
  // Messages and captions each fit the same room; what they leave unused is never touched.
  captions_.reserve(bytes);
  messages_.reserve(bytes);
}

void GameFileWriter::putBytes(std::string_view bytes) {
  if (bytes.empty()) return;  // an empty pool at the end adds no gap bytes
  bytes_.resize(static_cast<std::size_t>(position_ - 1), 0);
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  position_ += static_cast<std::int64_t>(bytes.size());
}

namespace {

// A field's bytes at `out`, little-endian, with the value held inside the field;
// returns their count.
int encodeField(FieldType type, std::int64_t value, std::uint8_t* out) {
  std::uint32_t bits = 0;
  switch (type) {
    case FieldType::Byte: bits = saturate<std::uint8_t>(value); break;
    case FieldType::Int16: bits = static_cast<std::uint16_t>(saturate<std::int16_t>(value)); break;
    case FieldType::Int32:
    case FieldType::Link: bits = static_cast<std::uint32_t>(saturate<std::int32_t>(value)); break;
  }
  const int size = fieldSize(type);
  for (int i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  return size;
}

}  // namespace

void GameFileWriter::putField(FieldType type, std::int64_t value) {
  std::uint8_t encoded[4];
  const int size = encodeField(type, value, encoded);
  for (int i = 0; i < size; ++i) putByte(encoded[i]);
}

void GameFileWriter::patchField(std::int64_t at, FieldType type, std::int64_t value) {
  std::uint8_t encoded[4];
  const int size = encodeField(type, value, encoded);
  if (at < 1 || at - 1 + size > static_cast<std::int64_t>(bytes_.size())) {
    throw std::logic_error("no field written there");
  }
  std::copy(encoded, encoded + size, bytes_.begin() + static_cast<std::ptrdiff_t>(at - 1));
}

void GameFileWriter::chained(Opcode opcode, Chain& chain, std::initializer_list<std::int64_t> operands) {
  const Instruction& entry = gamefile::instruction(opcode);
  if (operands.size() + 1 != entry.operands.size()) throw std::logic_error("wrong operand count for " + std::string(entry.name));
  putByte(static_cast<std::uint8_t>(opcode));
  patchField(chain.lastLink, FieldType::Link, position_);
  chain.lastLink = position_;
  putField(FieldType::Link, 0);
  auto value = operands.begin();
  for (const Operand& operand : entry.operands.subspan(1)) putField(operand.type, *value++);
}

void GameFileWriter::instruction(Opcode opcode, std::span<const std::int64_t> operands) {
  const Instruction& entry = gamefile::instruction(opcode);
  if (operands.size() != entry.operands.size()) throw std::logic_error("wrong operand count for " + std::string(entry.name));
  // Most records are instructions: written in place at once, not byte by byte.
  putByte(static_cast<std::uint8_t>(opcode));
  const int operandBytes = entry.operandBytes();
  const std::size_t start = bytes_.size();
  bytes_.resize(start + static_cast<std::size_t>(operandBytes));
  std::uint8_t* out = bytes_.data() + start;
  auto value = operands.begin();
  for (const Operand& operand : entry.operands) {
    if (operand.type == FieldType::Link) throw std::logic_error("chained records have writers of their own");
    out += encodeField(operand.type, *value++, out);
  }
  position_ += operandBytes;
}

void GameFileWriter::noOperation(std::uint8_t opcode) {
  if (findInstruction(opcode)) throw std::logic_error("opcode " + std::to_string(opcode) + " is an instruction");
  putByte(opcode);
}

void GameFileWriter::label() { chained(Opcode::Label, labels_, {}); }

void GameFileWriter::defineResource(ResourceKind kind, std::int64_t number, std::string_view baseName) {
  static constexpr Opcode kOpcodes[] = {Opcode::DefCg, Opcode::DefChr, Opcode::DefBgm};
  std::string* pools[] = {&cgNames_, &chrNames_, &bgmNames_};
  auto index = static_cast<std::size_t>(kind);
  std::string_view kept = baseName.substr(0, platform::sjisPrefixLength(baseName, 32767));
  instruction(kOpcodes[index], {number, static_cast<std::int64_t>(kept.size())});
  *pools[index] += kept;
}

std::size_t GameFileWriter::text(std::int64_t number, std::string_view message) {
  std::string_view kept = message.substr(0, platform::sjisPrefixLength(message, kMaxTextBytes));
  chained(Opcode::Text, texts_, {number, static_cast<std::int64_t>(kept.size())});
  putByte(static_cast<std::uint8_t>(Opcode::BlockOpen));
  putByte(static_cast<std::uint8_t>(Opcode::BlockClose));
  messages_.insert(messages_.end(), kept.begin(), kept.end());
  return kept.size();
}

void GameFileWriter::textWithoutBlock(std::int64_t number) { chained(Opcode::Text, texts_, {number, 0}); }

std::size_t GameFileWriter::button(std::int64_t captionNumber, std::int64_t slot, std::string_view caption) {
  std::string_view kept = caption.substr(0, platform::sjisPrefixLength(caption, kMaxCaptionBytes));
  chained(Opcode::Btn, buttons_, {captionNumber, slot, static_cast<std::int64_t>(kept.size())});
  captions_.insert(captions_.end(), kept.begin(), kept.end());
  return kept.size();
}

std::vector<std::uint8_t> GameFileWriter::finish(PoolLayout layout) && {
  platform::LargeBytes bytes = std::move(*this).finishInPlace(layout);
  return {bytes.begin(), bytes.end()};
}

platform::LargeBytes GameFileWriter::finishInPlace(PoolLayout layout) && {
  putByte(static_cast<std::uint8_t>(Opcode::EndOfCode));
  position_ += layout.gapAfterEndOfCode;

  const std::pair<HeaderSlot, std::string_view> pools[] = {
      {HeaderSlot::CgPool, cgNames_},
      {HeaderSlot::ChrPool, chrNames_},
      {HeaderSlot::BgmPool, bgmNames_},
      {HeaderSlot::CaptionPool, {captions_.data(), captions_.size()}},
      {HeaderSlot::MessagePool, {messages_.data(), messages_.size()}},
  };
  bool first = true;
  for (const auto& [slot, pool] : pools) {
    if (!first) ++position_;
    first = false;
    patchField(gamefile::position(slot), FieldType::Int32, position_);
    putBytes(pool);
  }
  for (const Chain* chain : {&labels_, &buttons_, &texts_}) patchField(chain->lastLink, FieldType::Link, -1);
  return std::move(bytes_);
}

}  // namespace pryx::gamefile
