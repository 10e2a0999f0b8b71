// pryx play as CI runs it: every run ends, and standard error holds only the kit's
// own lines.

#include "tests/support/tool_folder.h"
#include "tests/script_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

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
