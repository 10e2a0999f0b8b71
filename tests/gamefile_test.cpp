#include "player/gamefile/body_scan.h"
#include "player/gamefile/chained_records.h"
#include "player/gamefile/chains.h"
#include "player/gamefile/decoded_instruction.h"
#include "player/gamefile/image.h"
#include "player/gamefile/instructions.h"
#include "player/gamefile/writer.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

namespace pryx::gamefile {
namespace {

GameImage imageOf(std::vector<std::uint8_t> bytes) { return GameImage(std::move(bytes)); }

std::int32_t slot(const GameImage& image, HeaderSlot s) { return image.headerSlot(s).value(); }

TEST(GameImage, ReadsFieldsWithTheMinusOneRule) {
  auto image = imageOf({0x40, 0x9C, 0x00, 0x00,   // 40000
                        0xFB, 0xFF, 0xFF, 0xFF,   // -5 stored: reads as -1
                        0x00, 0x00, 0x00, 0xFF,   // top byte 255: -1 whatever the rest
                        0xFB, 0xFF,               // int16 -5: -1
                        0x00, 0x80});             // int16 high byte 128: negative
  EXPECT_EQ(image.int32At(1), 40000);
  EXPECT_EQ(image.int32At(5), -1);
  EXPECT_EQ(image.int32At(9), -1);
  EXPECT_EQ(image.int16At(13), -1);
  EXPECT_EQ(image.int16At(15), -32768);
}

TEST(GameImage, NeverReadsOutsideTheFile) {
  auto image = imageOf({1, 2, 3});
  EXPECT_FALSE(image.byteAt(0));
  EXPECT_FALSE(image.byteAt(4));
  EXPECT_FALSE(image.int16At(3));
  EXPECT_FALSE(image.int32At(1));
  EXPECT_FALSE(image.int32At(-2147483647));
  EXPECT_FALSE(image.textAt(2, 3));
  EXPECT_FALSE(image.textAt(1, -1));
  EXPECT_EQ(image.textAt(3, 1), "\x03");
  EXPECT_EQ(image.textAt(99, 0), "");
  EXPECT_FALSE(image.hasMagic());
  EXPECT_FALSE(imageOf({'P', 'R', 'Y'}).hasMagic());
}

TEST(InstructionTable, SizesMatchTheFormat) {
  EXPECT_EQ(instruction(Opcode::IfB).size(), 18);
  EXPECT_EQ(instruction(Opcode::IfA).size(), 10);
  EXPECT_EQ(instruction(Opcode::Text).size(), 9);
  EXPECT_EQ(instruction(Opcode::Btn).size(), 9);
  EXPECT_EQ(instruction(Opcode::VarOp).size(), 6);
  EXPECT_EQ(operandOffset(instruction(Opcode::IfB), 7), 16);
  EXPECT_EQ(findInstruction(132), nullptr);
  int bodyInstructions = 0;
  for (const Instruction& entry : allInstructions()) bodyInstructions += entry.allowedInButtonBody;
  EXPECT_EQ(bodyInstructions, 6);
  EXPECT_EQ(operationText(6), "\\");
  EXPECT_EQ(comparisonText(9), "");
}

// The decoder against the image's own readers at the table's offsets, for every
// opcode byte over operand bytes that often hold the -1 and sign edges.
TEST(DecodedInstruction, ReadsWhatTheReadersReadAndNothingOfACutInstruction) {
  constexpr std::int64_t at = 3;
  std::mt19937 random(61);
  const std::uint8_t edges[] = {0, 5, 8, 127, 128, 254, 255};
  for (int trial = 0; trial < 20; ++trial) {
    for (int opcode = 0; opcode < 256; ++opcode) {
      std::vector<std::uint8_t> bytes(at + 20);
      for (auto& byte : bytes) byte = random() % 2 ? edges[random() % std::size(edges)] : random() % 256;
      bytes[at - 1] = static_cast<std::uint8_t>(opcode);
      const Instruction* entry = findInstruction(static_cast<std::uint8_t>(opcode));
      const int size = entry ? entry->size() : 1;
      const GameImage image = imageOf(bytes);
      auto decoded = decodeInstruction(image, at);
      ASSERT_TRUE(decoded);
      ASSERT_EQ(decoded->entry, entry);
      ASSERT_EQ(decoded->next(), at + size);
      for (std::size_t i = 0; entry && i < entry->operands.size(); ++i) {
        std::int64_t field = at + operandOffset(*entry, i);
        std::int32_t expected = entry->operands[i].type == FieldType::Byte    ? *image.byteAt(field)
                                : entry->operands[i].type == FieldType::Int16 ? *image.int16At(field)
                                                                              : *image.int32At(field);
        EXPECT_EQ(decoded->values[i], expected) << entry->name << " operand " << i;
      }
      bytes.resize(static_cast<std::size_t>(at + size - 1));
      EXPECT_TRUE(decodeInstruction(imageOf(bytes), at)) << "opcode " << opcode << " ending the file";
      bytes.pop_back();
      EXPECT_FALSE(decodeInstruction(imageOf(bytes), at)) << "opcode " << opcode << " cut off";
    }
  }
}

// The interpreter reads a record at its opcode, the chains at its link: both must
// find the same fields, and the block right behind the record.
TEST(ChainedRecords, CodeAndChainsReadTheSameRecords) {
  GameFileWriter writer;
  writer.label();
  writer.text(3, "abc");
  writer.textWithoutBlock(4);
  writer.button(5, 2, "go");
  writer.instruction(Opcode::BlockOpen);
  writer.instruction(Opcode::BlockClose);
  writer.label();
  auto image = imageOf(std::move(writer).finish(kCompilerPools));
  int records = 0;
  for (std::int64_t at = kFirstInstruction;;) {
    auto decoded = decodeInstruction(image, at);
    if (!decoded) break;
    const std::int64_t link = linkPosition(at);
    at = decoded->next();
    if (decoded->opcode == static_cast<std::uint8_t>(Opcode::Label)) {
      EXPECT_EQ(labelRecordAt(image, link).value().next, decoded->values[0]);
    } else if (decoded->opcode == static_cast<std::uint8_t>(Opcode::Text)) {
      auto fromChain = textRecordAt(image, link);
      ASSERT_TRUE(fromChain);
      auto fromCode = textRecord(*decoded);
      EXPECT_EQ(std::tie(fromChain->next, fromChain->message, fromChain->length, fromChain->blockOpen),
                std::tie(fromCode.next, fromCode.message, fromCode.length, fromCode.blockOpen));
      if (fromCode.message == 3) {
        EXPECT_EQ(image.byteAt(fromCode.blockClose()), 8);
      }
    } else if (decoded->opcode == static_cast<std::uint8_t>(Opcode::Btn)) {
      auto fromChain = buttonRecordAt(image, link);
      ASSERT_TRUE(fromChain);
      auto fromCode = buttonRecord(*decoded);
      EXPECT_EQ(std::tie(fromChain->next, fromChain->caption, fromChain->slot, fromChain->length, fromChain->bodyOpen),
                std::tie(fromCode.next, fromCode.caption, fromCode.slot, fromCode.length, fromCode.bodyOpen));
      EXPECT_EQ(std::tie(fromCode.caption, fromCode.slot, fromCode.length), std::make_tuple(5, 2, 2));
      EXPECT_EQ(image.byteAt(fromCode.bodyOpen), 7);
    } else {
      continue;
    }
    ++records;
  }
  EXPECT_EQ(records, 5);
  EXPECT_FALSE(textRecordAt(image, image.length() - 6)) << "a record cut off by the end";
}

TEST(GameFileWriter, EmptyGameIsTheHeaderAndTheEndOfCode) {
  auto image = imageOf(GameFileWriter().finish(kCompilerPools));
  ASSERT_EQ(image.length(), 37);
  EXPECT_TRUE(image.hasMagic());
  EXPECT_EQ(image.byteAt(37), 255);
  EXPECT_EQ(slot(image, HeaderSlot::CgPool), 39);
  EXPECT_EQ(slot(image, HeaderSlot::ChrPool), 40);
  EXPECT_EQ(slot(image, HeaderSlot::BgmPool), 41);
  EXPECT_EQ(slot(image, HeaderSlot::CaptionPool), 42);
  EXPECT_EQ(slot(image, HeaderSlot::MessagePool), 43);
  for (auto chain : {HeaderSlot::LabelChain, HeaderSlot::ButtonChain, HeaderSlot::TextChain}) {
    EXPECT_EQ(slot(image, chain), -1);
  }
  auto built = imageOf(GameFileWriter().finish(kBuilderPools));
  EXPECT_EQ(slot(built, HeaderSlot::CgPool), 38);
  EXPECT_EQ(slot(built, HeaderSlot::ChrPool), 39);
}

TEST(GameFileWriter, ThreadsChainsAndFillsPoolsInRecordOrder) {
  GameFileWriter writer;
  writer.defineResource(ResourceKind::Cg, 1, "forest");
  writer.defineResource(ResourceKind::Cg, 2, "");
  writer.defineResource(ResourceKind::Cg, 3, "sea");
  writer.label();
  writer.text(1, "A\r\nB");
  writer.label();
  writer.button(1, 0, "\x82\xA0\x82\xA2\x82\xA4");  // three double-byte characters
  writer.instruction(Opcode::BlockOpen);
  writer.instruction(Opcode::Jmp, {2});
  writer.instruction(Opcode::BlockClose);
  writer.textWithoutBlock(2);
  writer.label();
  auto image = imageOf(std::move(writer).finish(kCompilerPools));

  auto labels = loadLabelChain(image);
  ASSERT_FALSE(labels.broken);
  ASSERT_EQ(labels.positions.size(), 3u);
  EXPECT_EQ(slot(image, HeaderSlot::LabelChain), labels.positions[0]);
  EXPECT_EQ(image.int32At(labels.positions[2]), -1);

  auto cgPool = slot(image, HeaderSlot::CgPool);
  EXPECT_EQ(image.textAt(cgPool, 9), "forestsea");
  EXPECT_EQ(image.byteAt(cgPool - 2), 255);

  auto tables = loadTextTables(image);
  EXPECT_EQ(tables.message(1), "A\r\nB");
  EXPECT_EQ(tables.message(2), "");
  EXPECT_EQ(tables.textRecords, 2);
  EXPECT_EQ(tables.caption(0, 1), "\x82\xA0\x82\xA2\x82\xA4");
  auto button = slot(image, HeaderSlot::ButtonChain);
  EXPECT_EQ(image.byteAt(button - 1), 131);
  EXPECT_EQ(image.byteAt(button + 7), 6);
  EXPECT_EQ(findButtonBodyEnd(image, button + 8), button + 12);
}

TEST(GameFileWriter, HoldsNumbersAtTheirFieldsEndsAndCutsLongTexts) {
  GameFileWriter writer;
  writer.instruction(Opcode::IfA, {-5, 300, 1LL << 40, 70000});
  std::string caption(254, 'x');
  caption += "\x82\xA0";  // the double-byte character would end at byte 256
  EXPECT_EQ(writer.button(1, 9, caption), 254u);
  EXPECT_EQ(writer.text(1, std::string(40000, 'y')), 32767u);
  auto image = imageOf(std::move(writer).finish(kCompilerPools));
  EXPECT_EQ(image.int16At(38), -1);  // -5 as two's complement reads as -1
  EXPECT_EQ(image.byteAt(40), 255);
  EXPECT_EQ(image.int32At(41), 2147483647);
  EXPECT_EQ(image.int16At(45), 32767);
  auto tables = loadTextTables(image);
  EXPECT_EQ(tables.message(1).size(), 32767u);
  EXPECT_EQ(tables.caption(4, 1), "");  // slot 9 lies outside the table
  EXPECT_THROW(GameFileWriter().instruction(Opcode::Jmp, {}), std::logic_error);
}

TEST(GameFileWriter, WritesBytesThePlayerStepsOverButNoInstructionAsOne) {
  GameFileWriter writer;
  writer.noOperation(132);
  EXPECT_THROW(writer.noOperation(static_cast<std::uint8_t>(Opcode::Label)), std::logic_error);
  auto image = imageOf(std::move(writer).finish(kBuilderPools));
  EXPECT_EQ(image.byteAt(37), 132);
  EXPECT_EQ(image.byteAt(38), 255);
}

TEST(Chains, MalformedChainsStayInsideTheFile) {
  GameFileWriter writer;
  writer.label();
  writer.text(20000, "skipped");
  writer.text(3, "kept");
  auto bytes = std::move(writer).finish(kBuilderPools);

  auto tables = loadTextTables(imageOf(bytes));
  EXPECT_EQ(tables.message(3), "kept");  // the out-of-range record still moved the cursor

  auto pointingOutside = bytes;
  pointingOutside[24] = 0x00, pointingOutside[25] = 0x00, pointingOutside[26] = 0x01, pointingOutside[27] = 0x00;
  EXPECT_TRUE(loadLabelChain(imageOf(pointingOutside)).broken);

  auto notAfterLabel = bytes;
  notAfterLabel[24] = 40;  // a link whose byte before is not a label opcode
  EXPECT_TRUE(loadLabelChain(imageOf(notAfterLabel)).broken);

  auto loop = bytes;
  loop[37] = 38, loop[38] = 0, loop[39] = 0, loop[40] = 0;  // the only label links to itself
  auto looped = loadLabelChain(imageOf(loop));
  EXPECT_FALSE(looped.broken);
  EXPECT_EQ(looped.positions.size(), static_cast<std::size_t>(kMaxLabels));

  auto noLabels = imageOf(GameFileWriter().finish(kCompilerPools));
  EXPECT_TRUE(loadLabelChain(noLabels).positions.empty());
  EXPECT_FALSE(loadLabelChain(imageOf({'P', 'R'})).broken);
}

// Chains of a few records linked at random, most of them coming round again, read
// by the tables and by a plain walk of every record up to the limit.
TEST(Chains, RoundsSkippedOnALoopingChainChangeNoTextOrCount) {
  std::mt19937 random(12);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  auto put32 = [](std::vector<std::uint8_t>& bytes, std::int64_t position, std::int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[position - 1 + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  for (int trial = 0; trial < 1500; ++trial) {
    const int records = pick(1, 6), poolBytes = pick(0, 12);
    std::vector<std::uint8_t> bytes(kHeaderSize + 8 * records + poolBytes);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(pick(0, 255));
    auto recordAt = [&](int i) { return static_cast<std::int32_t>(kHeaderSize + 1 + 8 * i); };
    put32(bytes, position(HeaderSlot::TextChain), recordAt(pick(0, records - 1)));
    put32(bytes, position(HeaderSlot::MessagePool), pick(1, static_cast<int>(bytes.size()) + 2));
    const bool standingCursor = pick(0, 3) == 0;
    for (int i = 0; i < records; ++i) {
      put32(bytes, recordAt(i), pick(0, 9) == 0 ? -1 : recordAt(pick(0, records - 1)));
      bytes[recordAt(i) + 3] = static_cast<std::uint8_t>(pick(1, 3)), bytes[recordAt(i) + 4] = 0;
      bytes[recordAt(i) + 5] = static_cast<std::uint8_t>(standingCursor ? 0 : pick(0, 3)), bytes[recordAt(i) + 6] = 0;
    }
    GameImage image(bytes);

    std::map<int, std::string> expected;
    int expectedCount = 0;
    auto link = image.headerSlot(HeaderSlot::TextChain);
    std::int64_t cursor = *image.headerSlot(HeaderSlot::MessagePool);
    for (; link && *link >= 1 && expectedCount < kMaxMessageNumber; ++expectedCount, link = image.int32At(*link)) {
      auto number = image.int16At(*link + 4), length = image.int16At(*link + 6);
      if (!number || *number == -1 || !length || *length < 0) break;
      if (auto text = image.textAt(cursor, *length)) expected[*number] = *text;
      cursor += *length;
    }

    auto tables = loadTextTables(image);
    ASSERT_EQ(tables.textRecords, expectedCount) << "trial " << trial;
    for (int number = 1; number <= 3; ++number) {
      ASSERT_EQ(tables.message(number), expected[number]) << "trial " << trial << ", message " << number;
    }
  }
}

TEST(BodyScan, StepsOverOperandsOfBodyInstructionsOnly) {
  // 7, @JMP 8 (operand byte 8 is skipped), @CG 8 (operand 8 ends the body early).
  auto image = imageOf({7, 10, 8, 0, 129, 8, 0, 8, 0});
  EXPECT_EQ(findButtonBodyEnd(image, 1), 6);
  EXPECT_FALSE(findButtonBodyEnd(imageOf({7, 10, 8, 0}), 1));
  EXPECT_FALSE(findButtonBodyEnd(imageOf({7, 8}), 1));  // a close on the last byte is not reached
}

}  // namespace
}  // namespace pryx::gamefile
