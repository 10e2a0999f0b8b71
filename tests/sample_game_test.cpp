// The bundled sample game compiled and read back with the format's own readers:
// every record is compared with what the script says, read here line by line.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/files.h"
#include "platform/sjis.h"
#include "player/gamefile/chains.h"
#include "player/gamefile/decoded_instruction.h"
#include "player/gamefile/disassembler.h"
#include "player/gamefile/image.h"
#include "player/gamefile/instructions.h"
#include "player/gamefile/layout_check.h"
#include "script/check.h"
#include "script/compiler.h"

namespace pryx {
namespace {

using gamefile::GameImage;
using gamefile::HeaderSlot;
using gamefile::Opcode;

const std::string kSampleFolder = std::string(PRYX_SOURCE_DIR) + "/samples/tsukiyo/";

// What the script says, read with plain line splitting (the sample keeps one
// command per line).
struct ScriptFacts {
  int labels = 0;
  std::vector<std::string> messages;                           // Shift-JIS, lines joined by CR LF
  std::vector<std::tuple<int, int, std::string>> buttons;      // group, slot from 0, caption
  std::vector<std::pair<std::string, std::string>> baseNames;  // kind word, base name
};

ScriptFacts readFacts(const std::string& sjis) {
  ScriptFacts facts;
  std::istringstream lines(sjis);
  std::string line;
  int group = 1;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("#,")) ++facts.labels;
    if (line == "@EVTWAIT") ++group;
    if (line.starts_with("@BTN, ")) {
      std::string rest = line.substr(6);
      std::size_t comma = rest.find(',');
      facts.buttons.emplace_back(group, std::stoi(rest.substr(0, comma)) - 1,
                                 rest.substr(comma + 1, rest.size() - comma - 3));  // without ",{"
    }
    if (line.starts_with("@DEF,CG,") || line.starts_with("@DEF,CHR,") || line.starts_with("@DEF,BGM,")) {
      std::string kind = line.substr(5, line.find(',', 5) - 5);
      std::string path = line.substr(line.rfind(',') + 1);
      std::string file = path.substr(path.rfind('\\') + 1);
      facts.baseNames.emplace_back(kind, file.substr(0, file.size() - 4));
    }
    if (line == "@TEXT,{") {
      std::string message;
      for (bool first = true; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "}") break;
        message += (first ? "" : "\r\n") + line;
        first = false;
      }
      facts.messages.push_back(message);
    }
  }
  return facts;
}

// The base names the @DEF records take from their pools, in code order.
std::vector<std::pair<std::string, std::string>> definedNames(const GameImage& image) {
  std::vector<std::pair<std::string, std::string>> names;
  std::int64_t cursors[3] = {*image.headerSlot(HeaderSlot::CgPool), *image.headerSlot(HeaderSlot::ChrPool),
                             *image.headerSlot(HeaderSlot::BgmPool)};
  for (std::int64_t position = gamefile::kFirstInstruction;;) {
    auto decoded = gamefile::decodeInstruction(image, position);
    if (!decoded) break;
    position = decoded->next();
    const gamefile::Instruction* entry = decoded->entry;
    if (!entry) continue;
    if (entry->opcode == Opcode::EndOfCode) break;
    int kind = entry->opcode == Opcode::DefCg    ? 0
               : entry->opcode == Opcode::DefChr ? 1
               : entry->opcode == Opcode::DefBgm ? 2
                                                 : -1;
    if (kind >= 0) {
      auto [number, length] = decoded->operands<2>();
      names.emplace_back(kind == 0   ? "CG"
                         : kind == 1 ? "CHR"
                                     : "BGM",
                         std::string(*image.textAt(cursors[kind], length)));
      cursors[kind] += length;
    }
  }
  return names;
}

class SampleGame : public ::testing::TestWithParam<std::string> {};

TEST_P(SampleGame, CompilesIntoRecordsThatReadBackAsWritten) {
  auto bytes = platform::readWholeFile(kSampleFolder + GetParam());
  ASSERT_TRUE(bytes) << "the sample script is missing";
  std::string sjis(bytes->begin(), bytes->end());
  ScriptFacts facts = readFacts(sjis);
  ASSERT_GE(facts.messages.size(), 5u);
  ASSERT_GE(facts.buttons.size(), 5u);
  GameImage image(script::compileScriptText(sjis));

  auto labels = gamefile::loadLabelChain(image);
  EXPECT_FALSE(labels.broken);
  EXPECT_EQ(static_cast<int>(labels.positions.size()), facts.labels);

  auto texts = gamefile::textChainRecords(image);
  ASSERT_EQ(texts.size(), facts.messages.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].number, static_cast<int>(i + 1));
    EXPECT_EQ(texts[i].text, facts.messages[i]) << "message " << i + 1;
  }

  auto buttons = gamefile::buttonChainRecords(image);
  ASSERT_EQ(buttons.size(), facts.buttons.size());
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const auto& [group, slot, caption] = facts.buttons[i];
    EXPECT_EQ(buttons[i].number, group);
    EXPECT_EQ(buttons[i].slot, slot);
    EXPECT_EQ(buttons[i].text, caption) << "button " << i + 1;
  }

  EXPECT_EQ(definedNames(image), facts.baseNames);

  std::string listing = gamefile::disassemble(image);
  for (std::string_view trouble : {"no such label", "not defined", "not in the label chain", "no text in",
                                   "no caption in", "cut off", "no end-of-code", "NOT a game file"}) {
    EXPECT_EQ(listing.find(trouble), std::string::npos) << trouble;
  }
  EXPECT_TRUE(script::checkScript(kSampleFolder + GetParam()).findings.empty());
}

// A game file cut anywhere would play on with texts missing: every cut is refused,
// while whole files hold together, also those whose empty pools lie past their end.
TEST_P(SampleGame, EveryCopyCutShortIsRefused) {
  auto bytes = platform::readWholeFile(kSampleFolder + GetParam());
  ASSERT_TRUE(bytes);
  std::vector<std::uint8_t> game = script::compileScriptText(std::string_view(
      reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  EXPECT_EQ(gamefile::layoutFault(GameImage(game)), std::nullopt);
  for (std::size_t length = 0; length < game.size(); ++length) {
    auto fault = gamefile::layoutFault(GameImage(std::vector<std::uint8_t>(game.begin(), game.begin() + static_cast<std::ptrdiff_t>(length))));
    EXPECT_TRUE(fault) << "cut at " << length;
  }
  for (std::string_view script : {"", "#,a\r\n@END\r\n", "#,a\r\n@TEXT,{\r\n\r\n}\r\n@END\r\n",
                                  "@DEF,CG,a,a.BMP\r\n#,a\r\n@CG,a\r\n"}) {
    EXPECT_EQ(gamefile::layoutFault(GameImage(script::compileScriptText(script))), std::nullopt) << script;
  }
}

INSTANTIATE_TEST_SUITE_P(Scripts, SampleGame, ::testing::Values("tsukiyo.PXJ", "tsukiyo_novel.PXJ"));

}  // namespace
}  // namespace pryx
