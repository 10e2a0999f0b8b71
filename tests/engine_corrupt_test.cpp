// Broken and hostile game files: the player never reads outside the file, never
// hangs and never crashes; faults end the run with the code error message or as
// code that ran off the file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "engine_test_support.h"
#include "platform/files.h"
#include "player/gamefile/instructions.h"
#include "player/gamefile/layout_check.h"
#include "player/gamefile/writer.h"
#include "player/headless/headless_play.h"
#include "player/messages.h"
#include "script/compiler.h"

namespace pryx::player::testing {
namespace {

using gamefile::Opcode;

void pokeInt32(std::vector<std::uint8_t>& file, std::size_t position, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) file[position - 1 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> pageGame() {
  gamefile::GameFileWriter writer;
  writer.label();
  writer.text(1, "hello");
  writer.label();
  writer.instruction(Opcode::End);
  return std::move(writer).finish(gamefile::kCompilerPools);
}

void expectCodeError(GameRun& game) {
  RunEnd end = game.run();
  EXPECT_EQ(end.reason, EndReason::Error);
  EXPECT_EQ(end.message, text::kCodeError);
  ASSERT_EQ(game.host.messages().size(), 1u);
  EXPECT_EQ(game.host.messages()[0].icon, MessageIcon::Critical);
}

TEST(EngineCorruptFiles, ABrokenLabelChainEndsWithTheCodeError) {
  auto outside = pageGame();
  pokeInt32(outside, 25, 1'000'000);
  EXPECT_TRUE(gamefile::layoutFault(gamefile::GameImage(outside))) << "a chain leaving the file is refused at load";

  auto notALabel = pageGame();
  auto first = gamefile::loadLabelChain(gamefile::GameImage(pageGame())).positions.at(0);
  pokeInt32(notALabel, 25, static_cast<std::uint32_t>(first + 1));  // not after a label opcode
  expectCodeError(*GameRun::fromBytes(notALabel));

  auto loop = pageGame();
  pokeInt32(loop, static_cast<std::size_t>(first), static_cast<std::uint32_t>(first));  // links to itself
  auto looping = GameRun::fromBytes(loop);
  EXPECT_EQ(looping->run().reason, EndReason::End) << "a label chain that loops is read at most 10000 times";
}

TEST(EngineCorruptFiles, AJumpToALabelThatDoesNotExistEndsWithTheCodeError) {
  gamefile::GameFileWriter writer;
  writer.label();
  writer.instruction(Opcode::Jmp, {2});
  auto jump = GameRun::fromBytes(std::move(writer).finish(gamefile::kCompilerPools));
  expectCodeError(*jump);
  gamefile::GameFileWriter sub;
  sub.label();
  sub.instruction(Opcode::Sub, {32000});
  expectCodeError(*GameRun::fromBytes(std::move(sub).finish(gamefile::kCompilerPools)));
}

TEST(EngineCorruptFiles, AnInstructionCutOffByTheEndOfTheFileEndsTheRun) {
  for (const gamefile::Instruction& instruction : gamefile::allInstructions()) {
    if (instruction.operandBytes() == 0) continue;
    for (int kept = 0; kept < instruction.operandBytes(); ++kept) {
      std::vector<std::uint8_t> code(static_cast<std::size_t>(1 + kept), 1);
      code[0] = static_cast<std::uint8_t>(instruction.opcode);
      auto game = GameRun::fromBytes(rawGame(code));
      EXPECT_EQ(game->run().reason, EndReason::PastEnd) << instruction.name << " with " << kept << " operand bytes";
    }
  }
}

TEST(EngineCorruptFiles, NumbersOutsideTheirTablesAreIgnored) {
  gamefile::GameFileWriter writer;
  writer.defineResource(gamefile::ResourceKind::Cg, 5000, "far");
  writer.defineResource(gamefile::ResourceKind::Cg, 1, "near");
  writer.label();
  writer.instruction(Opcode::Cg, {5000});
  writer.instruction(Opcode::Chr, {30000});
  writer.instruction(Opcode::Bgm, {1001});
  writer.instruction(Opcode::VarOp, {20000, 1, 5});
  writer.instruction(Opcode::IfA, {20000, 1, 0, 1});
  writer.instruction(Opcode::Save, {0});
  writer.instruction(Opcode::Load, {0});
  writer.text(20000, "no such message");
  writer.button(20000, 0, "no such caption");
  writer.instruction(Opcode::BlockOpen);
  writer.instruction(Opcode::BlockClose);
  writer.button(1, 200, "no such slot");
  writer.instruction(Opcode::BlockOpen);
  writer.instruction(Opcode::BlockClose);
  writer.instruction(Opcode::Cg, {1});
  writer.instruction(Opcode::End);
  auto game = GameRun::fromBytes(std::move(writer).finish(gamefile::kCompilerPools));
  game->writePicture("near.BMP", solidPicture(64, 48, qRgb(9, 99, 199)));
  EXPECT_EQ(game->run().reason, EndReason::End);
  EXPECT_EQ(game->picture().pixel(10, 10), qRgb(9, 99, 199)) << "CG 1 keeps its name after CG 5000's";
  EXPECT_TRUE(game->host.messages().empty());
  EXPECT_EQ(game->player().state().highestVariable, 0);
  EXPECT_TRUE(platform::fileExists(game->path("game.PRY")));
  EXPECT_FALSE(platform::fileExists(game->path("game0.SAV")));
}

TEST(EngineCorruptFiles, ButtonBodiesThatNeverCloseOrNeverOpenEndTheRun) {
  gamefile::GameFileWriter open;
  open.label();
  open.button(1, 0, "a");
  open.instruction(Opcode::BlockOpen);
  open.instruction(Opcode::Jmp, {1});
  auto unclosed = std::move(open).finish(gamefile::kCompilerPools);
  std::erase(unclosed, static_cast<std::uint8_t>(Opcode::BlockClose));
  EXPECT_EQ(GameRun::fromBytes(unclosed)->run().reason, EndReason::PastEnd);

  gamefile::GameFileWriter bare;
  bare.label();
  bare.button(1, 0, "a");
  bare.instruction(Opcode::End);
  expectCodeError(*GameRun::fromBytes(std::move(bare).finish(gamefile::kCompilerPools)));
}

// Such a file would play on with texts missing and end as if the game had ended.
TEST(EngineCorruptFiles, PoolsAndChainsPointingOutsideTheFileAreRefusedAtLoad) {
  gamefile::GameFileWriter writer;
  writer.defineResource(gamefile::ResourceKind::Cg, 1, "name");
  writer.label();
  writer.text(1, "message");
  writer.button(1, 0, "caption");
  writer.instruction(Opcode::BlockOpen);
  writer.instruction(Opcode::End);
  writer.instruction(Opcode::BlockClose);
  writer.instruction(Opcode::EvtWait);
  const auto file = std::move(writer).finish(gamefile::kCompilerPools);
  ScratchFolder folder;
  EXPECT_TRUE(readGameFile(folder.write("whole.PRY", QByteArray(reinterpret_cast<const char*>(file.data()),
                                                                static_cast<qsizetype>(file.size())))));
  for (std::size_t slot : {5, 9, 13, 17, 21, 25, 29, 33}) {
    auto broken = file;
    pokeInt32(broken, slot, 0x7FFFFF00);
    const std::string path = folder.write("broken.PRY", QByteArray(reinterpret_cast<const char*>(broken.data()),
                                                                   static_cast<qsizetype>(broken.size())));
    EXPECT_FALSE(readGameFile(path)) << "header slot " << slot;
    headless::HeadlessRequest request;
    request.gameFile = path;
    auto result = headless::playHeadless(request);
    EXPECT_FALSE(result.loaded) << "header slot " << slot;
    EXPECT_EQ(result.end.message, text::kLoadFailed);
  }
}

TEST(EngineCorruptFiles, FilesThatAreNoGameFilesAreNotLoaded) {
  ScratchFolder folder;
  EXPECT_FALSE(readGameFile(folder.path("none.PRY")));
  EXPECT_FALSE(readGameFile(folder.write("short.PRY", "PRY")));
  EXPECT_FALSE(readGameFile(folder.write("other.PRY", "PRYZ and more")));
  EXPECT_FALSE(readGameFile(folder.write("bare.PRY", "PRYX"))) << "the header is cut short";
  headless::HeadlessRequest request;
  request.gameFile = folder.path("other.PRY");
  std::ostringstream trace;
  request.trace = &trace;
  auto result = headless::playHeadless(request);
  EXPECT_FALSE(result.loaded);
  EXPECT_EQ(result.end.message, text::kLoadFailed);
  EXPECT_EQ(result.messages.at(0).title, text::kWarningTitle);
  EXPECT_EQ(trace.str(), "{\"event\":\"end\",\"pc\":0,\"reason\":\"error\",\"message\":\"" +
                             std::string(text::kLoadFailed) + "\"}\n");
  request.gameFile = folder.path("bare.PRY");
  EXPECT_FALSE(headless::playHeadless(request).loaded);
}

// Bytes of a real game changed at random: every run ends, within its step limit.
TEST(EngineCorruptFiles, MutatedGamesAlwaysEnd) {
  auto source = platform::readWholeFile(std::string(PRYX_SOURCE_DIR) + "/samples/tsukiyo/tsukiyo.PXJ");
  ASSERT_TRUE(source);
  auto original = script::compileScriptText(std::string(source->begin(), source->end()));
  std::mt19937 random(20240915);
  for (int round = 0; round < 150; ++round) {
    auto file = original;
    int changes = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < changes; ++i) {
      std::size_t at = 4 + random() % (file.size() - 4);
      file[at] = static_cast<std::uint8_t>(random() % 4 == 0 ? 255 : random());
    }
    auto game = GameRun::fromBytes(file, "tsukiyo");
    game->instructionLimit = 20000;
    game->followRoute(clickThrough({1, 2, 1, 1, 3, 1}));
    RunEnd end = game->run();
    EXPECT_EQ(game->trace("end").size(), 1u) << "round " << round << " ended " << endReasonText(end.reason);
  }
}

}  // namespace
}  // namespace pryx::player::testing
