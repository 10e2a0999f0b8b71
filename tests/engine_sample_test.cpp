// The sample game played headless to its end along every route its README lists,
// with the pictures at its waits checked where picture, character and text belong.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <map>
#include <sstream>

#include "engine_test_support.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/progress.h"
#include "player/headless/headless_play.h"
#include "script/compiler.h"

namespace pryx::player::testing {
namespace {

struct Played {
  headless::HeadlessResult result;
  std::vector<std::string> trace;
  std::vector<std::int64_t> labels;
  std::map<std::int64_t, std::int64_t> variables;  // the last value of each
};

Played play(const SampleDistribution& distribution, std::vector<int> choices, const std::string& frames = {},
            const std::string& saves = {}) {
  headless::HeadlessRequest request;
  request.gameFile = distribution.path("tsukiyo.PRY");
  request.route.choices = std::move(choices);
  request.framesFolder = frames;
  request.saveFolder = saves;
  std::ostringstream trace;
  request.trace = &trace;
  Played played;
  played.result = headless::playHeadless(request);
  std::istringstream lines(trace.str());
  for (std::string line; std::getline(lines, line);) played.trace.push_back(line);
  for (const std::string& line : played.trace) {
    if (line.starts_with("{\"event\":\"label\"")) played.labels.push_back(numberField(line, "label"));
    if (line.starts_with("{\"event\":\"var\"")) played.variables[numberField(line, "var")] = numberField(line, "value");
  }
  return played;
}

struct RouteCase {
  std::vector<int> choices;
  std::vector<std::int64_t> labels;
  std::map<std::int64_t, std::int64_t> variables;
};

TEST(SampleGame, EveryNormalModeRouteOfTheReadmePlaysToItsEnd) {
  SampleDistribution distribution("tsukiyo.PXJ");
  ASSERT_TRUE(distribution.built());
  const std::vector<RouteCase> routes = {
      {{1, 1, 2, 1}, {1, 3, 4, 6, 7, 9, 10, 11}, {{1, 5}, {2, 2}}},
      {{1, 1, 1, 1}, {1, 3, 4, 6, 7, 9, 10, 11}, {{1, 4}, {2, 2}}},
      {{1, 2, 1, 1, 1}, {1, 3, 4, 5, 4, 6, 7, 9, 10, 11}, {{1, 5}, {2, 2}}},
      {{2, 1, 1, 1}, {1, 2, 3, 4, 6, 7, 9, 10, 12}, {{1, 3}, {2, 2}}},
      {{1, 1, 1, 2}, {1, 3, 4, 6, 7, 10, 12}, {{1, 3}, {2, 1}}},
      {{1, 3, 1, 1}, {1, 3, 4, 6, 7, 8, 10, 12}, {{1, 2}, {2, 0}}},
      {{2, 2, 2, 3, 2, 2}, {1, 2, 3, 4, 5, 4, 5, 4, 6, 7, 10, 12}, {{1, 4}, {2, 0}}},
  };
  for (const RouteCase& route : routes) {
    Played played = play(distribution, route.choices);
    EXPECT_EQ(played.result.end.reason, EndReason::End) << ::testing::PrintToString(route.choices);
    EXPECT_EQ(played.labels, route.labels) << ::testing::PrintToString(route.choices);
    EXPECT_EQ(played.variables, route.variables) << ::testing::PrintToString(route.choices);
    EXPECT_TRUE(played.result.routeProblem.empty());
  }
}

TEST(SampleGame, EveryNovelModeRouteOfTheReadmePlaysToItsEnd) {
  SampleDistribution distribution("tsukiyo_novel.PXJ");
  ASSERT_TRUE(distribution.built());
  const std::vector<RouteCase> routes = {
      {{1, 1, 1, 1}, {1, 2, 3, 4}, {{1, 3}}},
      {{1, 2, 1, 1}, {1, 2, 3, 5}, {{1, 1}}},
      {{1, 1, 2, 1}, {1, 2, 3, 5}, {{1, 3}}},
      {{2, 1}, {1, 5}, {{1, 0}}},
      {{1, 1, 1, 2, 2, 1}, {1, 2, 3, 4, 1, 5}, {{1, 0}}},
  };
  for (const RouteCase& route : routes) {
    Played played = play(distribution, route.choices);
    EXPECT_EQ(played.result.end.reason, EndReason::End) << ::testing::PrintToString(route.choices);
    EXPECT_EQ(played.labels, route.labels) << ::testing::PrintToString(route.choices);
    EXPECT_EQ(played.variables, route.variables) << ::testing::PrintToString(route.choices);
  }
}

// A run without frames draws nothing; its course and trace must not change.
TEST(SampleGame, RunsWithoutPicturesTraceTheSameAsRunsThatDrawThem) {
  QTemporaryDir frames;
  for (const auto& [script, routes] :
       {std::pair<std::string, std::vector<std::vector<int>>>{"tsukiyo.PXJ", {{1, 1, 2, 1}, {2, 2, 2, 3, 2, 2}}},
        {"tsukiyo_novel.PXJ", {{1, 1, 1, 2, 2, 1}, {2, 1}}}}) {
    SampleDistribution distribution(script);
    ASSERT_TRUE(distribution.built());
    for (const std::vector<int>& route : routes) {
      const Played drawn = play(distribution, route, frames.path().toStdString());
      const Played blind = play(distribution, route);
      EXPECT_GT(drawn.result.frames, 0);
      EXPECT_EQ(blind.trace, drawn.trace) << script << " " << ::testing::PrintToString(route);
    }
  }
}

// An event names the instruction that caused it by the position of its opcode byte.
TEST(SampleGame, EveryEventOfARouteStandsAtTheOpcodeOfItsInstruction) {
  const std::map<std::string, int> opcodes = {{"label", 5}, {"bgm", 6},   {"cg", 129},     {"chr", 137},
                                              {"text", 130}, {"var", 14}, {"choices", 9}, {"choose", 9}};
  for (const auto& [script, route] : {std::pair<std::string, std::vector<int>>{"tsukiyo.PXJ", {2, 2, 2, 3, 2, 2}},
                                      {"tsukiyo_novel.PXJ", {1, 1, 1, 2, 2, 1}}}) {
    SampleDistribution distribution(script);
    auto bytes = platform::readWholeFile(distribution.path("tsukiyo.PRY"));
    ASSERT_TRUE(bytes);
    std::map<std::string, int> seen;
    for (const std::string& line : play(distribution, route).trace) {
      const std::string event = line.substr(10, line.find('"', 10) - 10);  // after {"event":"
      auto opcode = opcodes.find(event);
      if (opcode == opcodes.end()) continue;
      const std::int64_t pc = numberField(line, "pc");
      ASSERT_TRUE(pc >= 1 && pc <= static_cast<std::int64_t>(bytes->size())) << line;
      EXPECT_EQ((*bytes)[static_cast<std::size_t>(pc - 1)], opcode->second) << script << ": " << line;
      ++seen[event];
    }
    EXPECT_EQ(seen.size(), opcodes.size()) << script << ": every kind of event is tried";
  }
}

TEST(SampleGame, ARouteThatRunsOutOrAsksForAMissingButtonEndsWithoutInput) {
  SampleDistribution distribution("tsukiyo.PXJ");
  Played shortRoute = play(distribution, {1, 1});
  EXPECT_EQ(shortRoute.result.end.reason, EndReason::NoMoreInput);
  EXPECT_EQ(shortRoute.labels, (std::vector<std::int64_t>{1, 3, 4, 6}));
  Played wrong = play(distribution, {5});
  EXPECT_EQ(wrong.result.end.reason, EndReason::NoMoreInput);
  EXPECT_THAT(wrong.result.routeProblem, ::testing::HasSubstr("button 5"));
}

TEST(SampleGame, TheSilentSaveHoldsTheVariablesOfTheStoneSteps) {
  SampleDistribution distribution("tsukiyo.PXJ");
  QTemporaryDir saves;
  play(distribution, {1, 1, 2, 1}, {}, saves.path().toStdString());
  auto bytes = platform::readWholeFile(saves.filePath("tsukiyo7.SAV").toStdString());
  ASSERT_TRUE(bytes);
  ASSERT_EQ(bytes->size(), 14u);
  EXPECT_EQ((*bytes)[0], 2);
  EXPECT_EQ((*bytes)[6], 1) << "絆 after はじまり 1";
  EXPECT_EQ((*bytes)[10], 0) << "団子";
  EXPECT_FALSE(platform::fileExists(distribution.path("tsukiyo7.SAV"))) << "saves went to --saves";
}

QImage frame(const QTemporaryDir& folder, const std::string& name) {
  return QImage(folder.filePath(QString::fromStdString(name))).convertToFormat(QImage::Format_RGB32);
}

QImage resource(const std::string& name) {
  return QImage(QString::fromStdString(kSampleFolder + "/" + name)).convertToFormat(QImage::Format_RGB32);
}

TEST(SampleGame, TheFramesShowPictureCharacterAndTextWhereTheyBelong) {
  SampleDistribution distribution("tsukiyo.PXJ");
  QTemporaryDir frames;
  Played played = play(distribution, {1, 1, 2, 1}, frames.path().toStdString());
  EXPECT_EQ(played.result.frames, 9);
  QStringList names = QDir(frames.path()).entryList(QDir::Files, QDir::Name);
  EXPECT_EQ(names.first(), "0001-choice.png");
  EXPECT_TRUE(names.contains("0002-prompt.png")) << "石段 has eight lines";

  // はじまり: the lane (320 × 240, stretched), Sayo on the right, the message in its box.
  QImage first = frame(frames, "0001-choice.png");
  QImage lane = resource("cg/roji.BMP");
  QImage sayo = resource("chr/sayo.BMP");
  ASSERT_FALSE(first.isNull());
  EXPECT_EQ(first.pixel(20, 20), lane.pixel(10, 10)) << "the background, stretched";
  const QRgb key = sayo.pixel(0, sayo.height() - 1);
  int characterPixels = 0, transparentPixels = 0;
  for (int y = 0; y < 340; y += 7) {
    for (int x = 0; x < 640; x += 7) {
      QRgb drawn = sayo.pixel(x, y);
      if (drawn == key) transparentPixels += first.pixel(x, y) == lane.pixel(x / 2, y / 2);
      else characterPixels += first.pixel(x, y) == drawn;
    }
  }
  EXPECT_GT(characterPixels, 300) << "Sayo's pixels are drawn as they are";
  EXPECT_GT(transparentPixels, 2000) << "around her the lane shows";
  EXPECT_GT(countPixels(first, QRect(85, 364, 470, 64), qRgb(255, 255, 255)), 200) << "white message text";
  QRgb tinted = first.pixel(20, 470);
  QRgb under = lane.pixel(10, 235);
  EXPECT_NE(tinted, under) << "the box tints the bottom";
  EXPECT_GT(qBlue(tinted), qRed(tinted));
}

TEST(SampleGame, NovelFramesDarkenThePictureBehindTheText) {
  SampleDistribution distribution("tsukiyo_novel.PXJ");
  QTemporaryDir frames;
  Played played = play(distribution, {2, 1}, frames.path().toStdString());
  ASSERT_EQ(played.result.end.reason, EndReason::End);
  QImage page = frame(frames, "0001-page.png");
  QImage lane = resource("cg/roji.BMP");
  ASSERT_FALSE(page.isNull());
  // Bottom left, below the text and beside the character: the lane, 64 darker.
  QRgb original = lane.pixel(5, 235);
  auto darker = [](int channel) { return channel >= 64 ? channel - 64 : 0; };
  EXPECT_EQ(page.pixel(10, 470), qRgb(darker(qRed(original)), darker(qGreen(original)), darker(qBlue(original))));
  EXPECT_GT(countPixels(page, QRect(5, 5, 600, 29 * 7), qRgb(255, 255, 255)), 500) << "seven lines of white text";
}

}  // namespace
}  // namespace pryx::player::testing
