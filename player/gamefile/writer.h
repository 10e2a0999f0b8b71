#pragma once
// The one writer of game files, used by the script compiler and the distribution
// builder. Records that own a pool text (resource definitions, @TEXT, @BTN) take
// the text along, so every pool holds exactly the bytes its records announce, and
// chained records are threaded as they are written.

#include "platform/large_pages.h"
#include "player/gamefile/instructions.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pryx::gamefile {

enum class ResourceKind { Cg, Chr, Bgm };

// Where the pools begin: the compiler leaves one zero byte after the end of code,
// the distribution builder none. Every further pool follows one zero byte.
struct PoolLayout {
  int gapAfterEndOfCode;
};
inline constexpr PoolLayout kCompilerPools{1};
inline constexpr PoolLayout kBuilderPools{0};

class GameFileWriter {
 public:
  GameFileWriter();

  // Room for a file of about `bytes` bytes, so that a large one is not moved as it grows.
  void reserve(std::size_t bytes);

  // The 1-based position the next byte goes to.
  std::int64_t position() const { return position_; }

  // An instruction without a link field; operands in the order of the instruction
  // table. Numbers beyond a field are held at the field's ends (bytes 0..255,
  // int16 and int32 signed, stored as two's complement).
  void instruction(Opcode opcode, std::span<const std::int64_t> operands);
  void instruction(Opcode opcode, std::initializer_list<std::int64_t> operands = {}) {
    instruction(opcode, std::span<const std::int64_t>(operands.begin(), operands.size()));
  }

  // Overwrites the field of `type` at 1-based position `at`, written earlier, with
  // `value` held as instruction() holds it.
  void patchField(std::int64_t at, FieldType type, std::int64_t value);

  // A byte that is no instruction, which the player steps over.
  void noOperation(std::uint8_t opcode);

  // A label, threaded onto the label chain.
  void label();

  // A @DEF record; the base name goes to the kind's name pool.
  void defineResource(ResourceKind kind, std::int64_t number, std::string_view baseName);

  // A @TEXT record with its block bytes; the message goes to the message pool, cut
  // at a character boundary to the longest a record can announce. Returns the bytes kept.
  std::size_t text(std::int64_t number, std::string_view message);

  // A @TEXT record without a text block: length 0 and no block bytes.
  void textWithoutBlock(std::int64_t number);

  // A @BTN record; the caption goes to the caption pool, cut as texts are. The block
  // that opens the button body is the caller's. Returns the bytes kept.
  std::size_t button(std::int64_t captionNumber, std::int64_t slot, std::string_view caption);

  // Writes the end of code, the pools and the chain ends, and hands over the file.
  std::vector<std::uint8_t> finish(PoolLayout layout) &&;
  // The same file in the writer's own buffer, on large pages: a file of megabytes
  // that is only written out need not be copied first.
  platform::LargeBytes finishInPlace(PoolLayout layout) &&;

 private:
  struct Chain {
    std::int64_t lastLink;
  };

  void putByte(std::uint8_t value);
  void putField(FieldType type, std::int64_t value);
  void putBytes(std::string_view bytes);
  // A chained instruction: its link field threaded onto `chain`, then the operands
  // after the link in the order of the instruction table.
  void chained(Opcode opcode, Chain& chain, std::initializer_list<std::int64_t> operands);

  // The file, and the captions and messages, which grow as large as the code.
  platform::LargeBytes bytes_;
  std::int64_t position_;
  Chain labels_, buttons_, texts_;
  std::string cgNames_, chrNames_, bgmNames_;
  platform::LargeVector<char> captions_, messages_;
};

}  // namespace pryx::gamefile
