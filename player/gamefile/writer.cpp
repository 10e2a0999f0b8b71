#include "player/gamefile/writer.h"

#include "platform/large_pages.h"
#include "platform/number_text.h"
#include "platform/sjis.h"
#include "player/gamefile/header.h"

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
  platform::preferLargePages(bytes_.data() + bytes_.size(), bytes - bytes_.size());
  // Messages and captions each fit the same room; what they leave unused is never touched.
  for (std::string* pool : {&captions_, &messages_}) {
    pool->reserve(bytes);
    platform::preferLargePages(pool->data(), bytes);
  }
}

void GameFileWriter::putBytes(std::string_view bytes) {
  if (bytes.empty()) return;  // an empty pool at the end adds no gap bytes
  bytes_.resize(static_cast<std::size_t>(position_ - 1), 0);
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  position_ += static_cast<std::int64_t>(bytes.size());
}

void GameFileWriter::putField(FieldType type, std::int64_t value) {
  switch (type) {
    case FieldType::Byte:
      putByte(saturate<std::uint8_t>(value));
      return;
    case FieldType::Int16: {
      auto bits = static_cast<std::uint16_t>(saturate<std::int16_t>(value));
      putByte(static_cast<std::uint8_t>(bits));
      putByte(static_cast<std::uint8_t>(bits >> 8));
      return;
    }
    case FieldType::Int32:
    case FieldType::Link: {
      auto bits = static_cast<std::uint32_t>(saturate<std::int32_t>(value));
      for (int shift = 0; shift < 32; shift += 8) putByte(static_cast<std::uint8_t>(bits >> shift));
      return;
    }
  }
}

void GameFileWriter::pokeInt32(std::int64_t at, std::int32_t value) {
  auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes_[static_cast<std::size_t>(at - 1 + i)] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void GameFileWriter::link(Chain& chain) {
  pokeInt32(chain.lastLink, saturate<std::int32_t>(position_));
  chain.lastLink = position_;
  putField(FieldType::Link, 0);
}

void GameFileWriter::instruction(Opcode opcode, std::span<const std::int64_t> operands) {
  const Instruction& entry = gamefile::instruction(opcode);
  if (operands.size() != entry.operands.size()) throw std::logic_error("wrong operand count for " + std::string(entry.name));
  putByte(static_cast<std::uint8_t>(opcode));
  auto value = operands.begin();
  for (const Operand& operand : entry.operands) {
    if (operand.type == FieldType::Link) throw std::logic_error("chained records have writers of their own");
    putField(operand.type, *value++);
  }
}

void GameFileWriter::noOperation(std::uint8_t opcode) {
  if (findInstruction(opcode)) throw std::logic_error("opcode " + std::to_string(opcode) + " is an instruction");
  putByte(opcode);
}

void GameFileWriter::label() {
  putByte(static_cast<std::uint8_t>(Opcode::Label));
  link(labels_);
}

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
  putByte(static_cast<std::uint8_t>(Opcode::Text));
  link(texts_);
  putField(FieldType::Int16, number);
  putField(FieldType::Int16, static_cast<std::int64_t>(kept.size()));
  putByte(static_cast<std::uint8_t>(Opcode::BlockOpen));
  putByte(static_cast<std::uint8_t>(Opcode::BlockClose));
  messages_ += kept;
  return kept.size();
}

void GameFileWriter::textWithoutBlock(std::int64_t number) {
  putByte(static_cast<std::uint8_t>(Opcode::Text));
  link(texts_);
  putField(FieldType::Int16, number);
  putField(FieldType::Int16, 0);
}

std::size_t GameFileWriter::button(std::int64_t captionNumber, std::int64_t slot, std::string_view caption) {
  std::string_view kept = caption.substr(0, platform::sjisPrefixLength(caption, kMaxCaptionBytes));
  putByte(static_cast<std::uint8_t>(Opcode::Btn));
  link(buttons_);
  putField(FieldType::Int16, captionNumber);
  putField(FieldType::Byte, slot);
  putField(FieldType::Byte, static_cast<std::int64_t>(kept.size()));
  captions_ += kept;
  return kept.size();
}

std::vector<std::uint8_t> GameFileWriter::finish(PoolLayout layout) && {
  putByte(static_cast<std::uint8_t>(Opcode::EndOfCode));
  position_ += layout.gapAfterEndOfCode;

  const std::pair<HeaderSlot, const std::string*> pools[] = {
      {HeaderSlot::CgPool, &cgNames_},        {HeaderSlot::ChrPool, &chrNames_},
      {HeaderSlot::BgmPool, &bgmNames_},      {HeaderSlot::CaptionPool, &captions_},
      {HeaderSlot::MessagePool, &messages_},
  };
  bool first = true;
  for (const auto& [slot, pool] : pools) {
    if (!first) ++position_;
    first = false;
    pokeInt32(gamefile::position(slot), saturate<std::int32_t>(position_));
    putBytes(*pool);
  }
  for (const Chain* chain : {&labels_, &buttons_, &texts_}) pokeInt32(chain->lastLink, -1);
  return std::move(bytes_);
}

}  // namespace pryx::gamefile
