#include "player/gamefile/disassembler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "script_test_support.h"

namespace pryx::gamefile {
namespace {

bool contains(const std::string& listing, std::string_view text) { return listing.find(text) != std::string::npos; }

TEST(Disassembler, ResolvesOperandsToNamesPositionsAndTexts) {
  std::string listing = disassemble(script::testing::compiledImage(
      "@DEF,CG,森,pics\\forest.BMP\n@DEF,PARAM,v\n#,TopPage\n@CG,森\n@TEXT,{\n月が\n綺麗\n}\n"
      "@BTN, 2,はい,{\n@IFA,v,!=,3,TopPage\n@,v,RND,6\n}\n@EVTWAIT\n#,Next\n@GAMEMODE,2\n@JMP,Next\n"));
  EXPECT_TRUE(contains(listing, "      37  @DEF,CG  cg 1, length 6 \"forest\"\n"));
  EXPECT_TRUE(contains(listing, "      42  #  link 90 (label 1)\n"));
  EXPECT_TRUE(contains(listing, "      47  @CG  cg 1 \"forest\"\n"));
  EXPECT_TRUE(contains(listing, "length 10 \"月が\\n綺麗\"\n"));
  EXPECT_TRUE(contains(listing, "caption 1, slot 1, length 4 \"はい\"\n"));
  EXPECT_TRUE(contains(listing, "      71    @IFA  variable 1, comparison 4 (<>), value 3, label 1 (at 42)\n"));
  EXPECT_TRUE(contains(listing, "operator 7 (RND), operand 6\n"));
  EXPECT_TRUE(contains(listing, "@GAMEMODE  mode 1 (novel)\n"));
  EXPECT_TRUE(contains(listing, "@JMP  label 2 (at 89)\n"));
  EXPECT_TRUE(contains(listing, "Label chain: 2 labels\n       1  at 42\n       2  at 89\n"));
  EXPECT_TRUE(contains(listing, "Button chain: 1 record\n"));
}

TEST(Disassembler, SaysWhatDoesNotFitTheFormat) {
  std::vector<std::uint8_t> bytes(36, 0);
  bytes.insert(bytes.end(), {132, 10, 5, 0, 129, 9, 0, 12, 1});  // a no-op, a jump nowhere, a cut @IFA
  std::string listing = disassemble(GameImage(bytes));
  EXPECT_TRUE(contains(listing, "NOT a game file"));
  EXPECT_TRUE(contains(listing, "byte 132 (no operation)"));
  EXPECT_TRUE(contains(listing, "label 5 (no such label)"));
  EXPECT_TRUE(contains(listing, "cg 9 (not defined)"));
  EXPECT_TRUE(contains(listing, "@IFA (cut off by the end of the file)"));
  EXPECT_TRUE(contains(listing, "(the code has no end-of-code byte)"));
}

TEST(Disassembler, ListsHostileFilesWithoutReadingOutsideThem) {
  auto bytes = script::testing::compiled("#,a\n@TEXT,{\nx\n}\n@BTN, 1,y,{\n}\n");
  auto looped = bytes;
  const std::uint8_t intoTheLabel[] = {38, 0, 0, 0};  // button chain into the label's link
  std::copy(std::begin(intoTheLabel), std::end(intoTheLabel), looped.begin() + 28);
  EXPECT_TRUE(contains(disassemble(GameImage(looped)), "Button chain"));
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    auto damaged = bytes;
    for (int i = 0; i < 6; ++i) damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
    damaged.resize(random() % (damaged.size() + 1));
    EXPECT_FALSE(disassemble(GameImage(damaged)).empty());
  }
}

}  // namespace
}  // namespace pryx::gamefile
