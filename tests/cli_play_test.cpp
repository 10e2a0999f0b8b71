// pryx play as CI runs it: every run ends, and standard error holds only the kit's
// own lines.

#include "tests/support/png_pixels.h"
#include "tests/support/tool_folder.h"
#include "tests/script_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

namespace pryx::script {
namespace {

class PlayCommand : public pryx::testing::ToolFolder {
 protected:
  void SetUp() override {
    ToolFolder::SetUp();
    // As on CI machines and in containers, where Qt would warn about it.
    unsetenv("XDG_RUNTIME_DIR");
  }
  void writeGame(std::string_view name, std::string_view utf8Script) {
    const std::vector<std::uint8_t> game = testing::compiled(utf8Script);
    write(name, std::string(game.begin(), game.end()));
  }
};

TEST_F(PlayCommand, EveryRunEndsAndOnlyTheKitSpeaksOnStandardError) {
  writeGame("busy.PRY", "#,top\n@WAIT,10\n@JMP,top\n");                           // never waits for anyone
  writeGame("clicks.PRY", "#,top\n@TEXT,{\nagain\n}\n@BTN, 1,next,{\n@JMP,top\n}\n@EVTWAIT\n");  // one-button page
  writeGame("choice.PRY", "#,top\n@BTN, 1,stay,{\n@JMP,top\n}\n@BTN, 2,leave,{\n@END\n}\n@EVTWAIT\n");

  for (const char* game : {"busy.PRY", "clicks.PRY"}) {
    EXPECT_EQ(pryx(std::string("play ") + game + " --headless --max-steps 20000"), 1) << game;
    EXPECT_EQ(read("output.txt"), "end: step-limit\n") << game;
    EXPECT_EQ(read("errors.txt"), "") << game;
  }
  // An empty route is a route without list choices.
  EXPECT_EQ(pryx("play choice.PRY --headless --choose \"\""), 0);
  EXPECT_EQ(read("output.txt"), "end: no-more-input\n");
  EXPECT_EQ(read("errors.txt"), "");
  EXPECT_EQ(pryx("play choice.PRY --headless --choose 1,1,2 --max-steps 1000"), 0);
  EXPECT_EQ(read("output.txt"), "end: END\n");
  EXPECT_EQ(read("errors.txt"), "");

  for (const char* limit : {"0", "-5", "many", "\"\""}) {
    EXPECT_EQ(pryx(std::string("play choice.PRY --headless --max-steps ") + limit), 2) << limit;
    EXPECT_NE(read("errors.txt").find("--max-steps takes a number"), std::string::npos) << limit;
  }
}

// A route that asks for what the run cannot do fails and says which part, whether it
// is a button, a load or a menu item at a choice that never comes.
TEST_F(PlayCommand, ARouteThatCannotBeFollowedFails) {
  writeGame("choice.PRY", "#,top\n@BTN, 1,stay,{\n@JMP,top\n}\n@BTN, 2,leave,{\n@END\n}\n@EVTWAIT\n");
  const struct {
    const char* route;
    const char* complaint;  // nullptr: the route can be followed
  } routes[] = {
      {"--choose 1,2 --menu 1:save:3 --menu 2:load:3", nullptr},
      {"--choose 4", "choice 1: the route takes button 4, which the game does not offer there"},
      {"--choose 1,2 --menu 1:load:3", "choice 1: the route loads slot 3, which holds no save there"},
      {"--choose 1,1,2 --menu 99:save:1", "--menu 99: the run offered 3 choices"},
  };
  for (const auto& route : routes) {
    SCOPED_TRACE(route.route);
    std::filesystem::remove_all(folder_ / "saves");
    std::filesystem::create_directory(folder_ / "saves");
    EXPECT_EQ(pryx(std::string("play choice.PRY --headless --saves saves ") + route.route), route.complaint ? 1 : 0);
    EXPECT_EQ(read("errors.txt"), route.complaint ? "pryx play: " + std::string(route.complaint) + "\n" : "");
  }
}

// A project played in memory from one of its pages is the game its distribution
// plays from there: the same events and the same pictures, so its resource files
// were found where the author keeps them.
TEST_F(PlayCommand, AProjectPlaysFromAPageAsItsDistributionDoes) {
  const std::string project = std::string(PRYX_SOURCE_DIR) + "/samples/tsukiyo/tsukiyo.PXK";
  ASSERT_EQ(pryx("build '" + project + "' --out dist --name tsukiyo"), 0) << read("errors.txt");
  const std::string route = " --headless --from-page 4 --choose 1,1,1,1 --max-steps 100000";
  ASSERT_EQ(pryx("play '" + project + "'" + route + " --set 絆=5 --trace project.jsonl --frames project"), 0)
      << read("errors.txt");
  ASSERT_EQ(pryx("play dist/tsukiyo.PRY" + route + " --set 1=5 --trace game.jsonl --frames game"), 0)
      << read("errors.txt");

  const std::string trace = read("project.jsonl");
  EXPECT_EQ(trace, read("game.jsonl"));
  EXPECT_EQ(trace.rfind("{\"event\":\"label\",\"pc\":243,\"label\":4}", 0), 0u) << trace;
  EXPECT_NE(trace.find("\"var\":1,\"value\":6"), std::string::npos) << "the preset 5, then +1:\n" << trace;
  int frames = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_ / "game")) {
    const std::string name = entry.path().filename().string();
    EXPECT_EQ(read("project/" + name), read("game/" + name)) << name;
    ++frames;
  }
  EXPECT_GT(frames, 2);

  EXPECT_EQ(pryx("play '" + project + "' --headless --from-page 14"), 2);
  EXPECT_NE(read("errors.txt").find("the game has 13 pages"), std::string::npos);
  EXPECT_EQ(pryx("play '" + project + "' --headless --set 好感度=1"), 2);
  EXPECT_EQ(pryx("play dist/tsukiyo.PRY --headless --set 絆=1"), 2);
  EXPECT_NE(read("errors.txt").find("give the variable's number"), std::string::npos);
}

// Every frame of the sample game along its routes is the frame recorded when the
// drawing was last known good (tools/record-sample-frames): the same pixels, whichever
// code draws them. A frame kept whole in tests/data/sample-frames/ also tells how
// many of its pixels differ.
TEST_F(PlayCommand, TheSampleRoutesDrawTheRecordedFrames) {
  using pryx::testing::pixelHash;
  using pryx::testing::readPng;
  const std::string data = std::string(PRYX_SOURCE_DIR) + "/tests/data/";
  const std::string samples = std::string(PRYX_SOURCE_DIR) + "/samples/tsukiyo/";
  std::istringstream recorded(read(data + "sample-frames.txt"));
  std::map<std::pair<std::string, std::string>, std::vector<std::string>> expected;  // by source and route
  for (std::string source, route, frame, hash; recorded >> source >> route >> frame >> hash;)
    expected[{source, route}].push_back(frame + " " + hash);
  ASSERT_GT(expected.size(), 10u);

  for (const auto& [run, frames] : expected) {
    const auto& [source, route] = run;
    std::string game = samples + source;
    if (source.ends_with(".PXJ")) {
      ASSERT_EQ(pryx("build '" + game + "' --out dist --name tsukiyo --overwrite"), 0) << read("errors.txt");
      game = "dist/tsukiyo.PRY";
    }
    std::filesystem::remove_all(folder_ / "frames");
    std::filesystem::remove_all(folder_ / "saves");
    ASSERT_EQ(pryx("play '" + game + "' --headless --choose " + route + " --frames frames --saves saves"), 0)
        << read("errors.txt");
    std::vector<std::string> drawn;
    for (const auto& entry : std::filesystem::directory_iterator(folder_ / "frames")) {
      const auto pixels = readPng(entry.path().string());
      ASSERT_TRUE(pixels) << entry.path();
      drawn.push_back(entry.path().filename().string() + " " + pixelHash(*pixels));
    }
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, frames) << source << " " << route;
    for (std::size_t i = 0; i < std::min(drawn.size(), frames.size()); ++i) {
      const auto reference = readPng(data + "sample-frames/" + frames[i].substr(frames[i].find(' ') + 1) + ".png");
      if (drawn[i] == frames[i] || !reference) continue;
      const auto now = readPng(path("frames/" + drawn[i].substr(0, drawn[i].find(' '))));
      std::size_t differing = 0;
      for (std::size_t b = 0; now && b < std::min(now->bgra.size(), reference->bgra.size()); b += 4)
        differing += !std::equal(now->bgra.begin() + b, now->bgra.begin() + b + 4, reference->bgra.begin() + b);
      ADD_FAILURE() << drawn[i] << ": " << differing << " pixels differ from " << frames[i];
    }
  }
}

// pryx play hands its arguments to the program beside it: each argument arrives as it
// was typed (blanks, quotes, empty ones), and its output, errors and exit status are
// the command's own.
TEST_F(PlayCommand, HandsTheRunToThePlayProgramBesideIt) {
  std::filesystem::create_directories(folder_ / "kit");
  std::filesystem::copy_file(PRYX_TOOL, folder_ / "kit" / "pryx");
  write("kit/pryx-play",
        "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done; echo; echo 'to standard error' >&2; exit 7\n");
  std::filesystem::permissions(folder_ / "kit" / "pryx-play", std::filesystem::perms::owner_all);
  EXPECT_EQ(pryx("play 'a b' \"\" 'q\"uote' --headless", path("kit/pryx")), 7);
  EXPECT_EQ(read("output.txt"), "[a b][][q\"uote][--headless]\n");
  EXPECT_EQ(read("errors.txt"), "to standard error\n");

  std::filesystem::remove(folder_ / "kit" / "pryx-play");
  EXPECT_EQ(pryx("play game.PRY --headless", path("kit/pryx")), 1);
  EXPECT_NE(read("errors.txt").find("pryx play: cannot start"), std::string::npos) << read("errors.txt");
}

}  // namespace
}  // namespace pryx::script
