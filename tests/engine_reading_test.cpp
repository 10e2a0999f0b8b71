// The message history, read marks with skip, auto, reading aloud and the keys,
// played along the sample games' routes on the virtual clock.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "engine_test_support.h"
#include "platform/files.h"

namespace pryx::player::testing {
namespace {

struct SampleRoutes {
  const char* script;
  std::vector<std::vector<int>> routes;
};

const std::vector<SampleRoutes> kSamples = {
    {"tsukiyo.PXJ", {{1, 1, 2, 1}, {1, 2, 1, 1, 1}, {2, 1, 1, 1}, {1, 3, 1, 1}, {2, 2, 2, 3, 2, 2}}},
    {"tsukiyo_novel.PXJ", {{1, 1, 1, 1}, {1, 2, 1, 1}, {2, 1}, {1, 1, 1, 2, 2, 1}}},
};

// Read marks that last between the runs of one test, as the file does between plays.
class KeptMarks final : public ReadMarksStore {
 public:
  ReadMarks marks;
  ReadMarks load(std::uint64_t game) override {
    if (marks.game != game) {
      PlayerSwitches switches = marks.switches;
      marks = ReadMarks{};
      marks.switches = switches;
      marks.game = game;
    }
    return marks;
  }
  bool keep(const ReadMarks& kept) override {
    marks = kept;
    return true;
  }
};

class FakeSpeech final : public Speech {
 public:
  std::vector<std::string> said;  // "say TEXT" and "stop", in order
  std::int64_t speakingUntil = 0;
  const Clock* clock = nullptr;
  void say(const std::string& text) override { said.push_back("say " + text); }
  void stop() override { said.push_back("stop"); }
  bool speaking() const override { return clock != nullptr && clock->milliseconds() < speakingUntil; }
};

// What a run showed, as it happened.
class Events final : public PlayObserver {
 public:
  explicit Events(const Clock& clock) : clock_(clock) {}
  struct Wait {
    WaitKind kind;
    int message;  // the last message shown before it
    std::int64_t start, end;
    bool answered = false;  // the route's input reached it
  };
  std::vector<int> messages;
  std::vector<Wait> waits;
  std::vector<MessageHistory::Entry> history;  // as the history should list it
  std::vector<std::string> spoken;             // what reading aloud should say, in order
  std::vector<std::string> course;             // labels and choices, to compare runs
  std::vector<std::string> offered;

  void label(std::int32_t, int label) override { course.push_back("label " + std::to_string(label)); }
  void text(std::int32_t, int message, const std::string& text) override {
    messages.push_back(message);
    history.push_back({MessageHistory::Entry::Kind::Message, text});
    spoken.push_back("say " + text);
  }
  void choices(std::int32_t, const std::vector<std::string>& captions) override {
    offered = captions;
    for (const std::string& caption : captions) {
      if (!caption.empty()) spoken.push_back("say " + caption);
    }
  }
  void choose(std::int32_t, int slot) override {
    course.push_back("choose " + std::to_string(slot));
    if (!offered.empty()) history.push_back({MessageHistory::Entry::Kind::Choice, offered.at(static_cast<std::size_t>(slot - 1))});
    offered.clear();
  }
  void load(std::int32_t, int, bool done) override {
    if (done) history.clear(), offered.clear();
  }
  void waitStarted(std::int32_t, WaitKind kind) override {
    waits.push_back({kind, messages.empty() ? 0 : messages.back(), clock_.milliseconds(), -1});
  }
  void waitEnded() override { waits.back().end = clock_.milliseconds(); }
  void ended(std::int32_t, EndReason reason, const std::string&) override { end = reason; }
  EndReason end = EndReason::Error;

 private:
  const Clock& clock_;
};

// One play of a sample on the scripted host; `respond` answers each wait.
struct SamplePlay {
  SamplePlay(const SampleDistribution& sample, ReadMarksStore* marks, Speech* speech = nullptr) {
    GameLocation location = locationOfGameFile(sample.path("tsukiyo.PRY"));
    PlayerOptions options;
    options.observer = &observers;
    options.drawsPictures = false;
    options.readMarks = marks;
    options.speech = speech;
    auto image = readGameFile(sample.path("tsukiyo.PRY"));
    player = std::make_unique<Player>(host.host(clock, sequencer, display), location, std::move(*image), options);
    host.attach(*player);
  }
  // The route's slot at each list of choices.
  void choose(std::vector<int> route, std::function<void(int slot)> take) {
    host.onWait([this, route = std::move(route), take, next = std::size_t{0}](WaitKind kind) mutable {
      if (kind == WaitKind::Choice && next < route.size()) take(route[next++]);
      else if (kind != WaitKind::Choice) other(kind);
    });
  }
  // Input at every other wait; none by default.
  std::function<void(WaitKind)> other = [](WaitKind) {};
  void clickAfterPumps(int pumps) {
    for (int i = 0; i < pumps; ++i) host.duringWait([](PlayerInput&) {});
    host.duringWait([this](PlayerInput& input) {
      events.waits.back().answered = true;
      input.windowClicked();
    });
  }

  headless::VirtualClock clock;
  headless::ScriptedHost host{clock};
  headless::RecordingSequencer sequencer{clock, [](const std::string&) { return std::int64_t{60000}; }};
  headless::HeadlessDisplay display;
  Events events{clock};
  headless::ObserverList observers{&host, &events};
  std::unique_ptr<Player> player;
};

void takeByButton(SamplePlay& play, std::vector<int> route) {
  play.choose(std::move(route), [&play](int slot) {
    play.host.duringWait([slot](PlayerInput& input) { input.buttonClicked(slot - 1); });
  });
}

TEST(Reading, TheHistoryListsEveryMessageInOrderWithTheChoicesTaken) {
  for (const SampleRoutes& sample : kSamples) {
    SampleDistribution distribution(sample.script);
    ASSERT_TRUE(distribution.built());
    for (const auto& route : sample.routes) {
      SamplePlay play(distribution, nullptr);
      takeByButton(play, route);
      play.other = [&play](WaitKind) { play.clickAfterPumps(0); };
      play.player->run();
      EXPECT_EQ(play.events.end, EndReason::End);
      const auto& entries = play.player->history().entries();
      EXPECT_EQ(std::vector<MessageHistory::Entry>(entries.begin(), entries.end()), play.events.history)
          << sample.script << " " << ::testing::PrintToString(route);
    }
  }
}

TEST(Reading, ALoadStartsTheHistoryAfreshWithThePageItReplays) {
  SampleDistribution distribution("tsukiyo.PXJ");
  SamplePlay play(distribution, nullptr);
  int choices = 0;
  play.choose({1, 1, 1, 1, 2, 1}, [&](int slot) {
    ++choices;
    if (choices == 2) play.host.duringWait([](PlayerInput& input) { input.saveChosen(1); });
    if (choices == 3) play.host.duringWait([](PlayerInput& input) { input.loadChosen(1); });
    play.host.duringWait([slot](PlayerInput& input) { input.buttonClicked(slot - 1); });
  });
  play.other = [&play](WaitKind) { play.clickAfterPumps(0); };
  play.player->run();
  EXPECT_EQ(play.events.end, EndReason::End);
  const auto& entries = play.player->history().entries();
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(std::vector<MessageHistory::Entry>(entries.begin(), entries.end()), play.events.history);
  EXPECT_EQ(entries.size(), play.events.history.size());
  EXPECT_LT(entries.size(), play.events.messages.size()) << "what came before the load is gone";
}

// Each play keeps its marks for the next; skip is held throughout (pressed again at
// every wait), and the route clicks each wait only after a few pumps, so a wait that
// ended without the click was passed by the skip.
TEST(Reading, SkipNeverPassesAMessageNotReadBeforeAndPassesEveryOneThatWas) {
  for (const SampleRoutes& sample : kSamples) {
    SampleDistribution distribution(sample.script);
    KeptMarks marks;
    std::set<int> read;
    int passed = 0;
    auto routes = sample.routes;
    routes.push_back(sample.routes.front());  // all of it read by now
    for (std::size_t r = 0; r < routes.size(); ++r) {
      SamplePlay play(distribution, &marks);
      play.host.at(0, [](PlayerInput& input) { input.skipHeld(true); });
      takeByButton(play, routes[r]);
      play.other = [&play](WaitKind) {
        play.host.duringWait([](PlayerInput& input) { input.skipHeld(false), input.skipHeld(true); });
        play.clickAfterPumps(3);
      };
      play.player->run();
      ASSERT_EQ(play.events.end, EndReason::End) << sample.script;
      std::set<int> readBefore = read;
      std::size_t seen = 0;
      for (const Events::Wait& wait : play.events.waits) {
        for (; seen < play.events.messages.size() && play.events.messages[seen] != wait.message; ++seen) {
          readBefore.insert(play.events.messages[seen]);
        }
        if (wait.kind == WaitKind::Choice) continue;
        if (!wait.answered) ++passed;
        if (!readBefore.contains(wait.message)) {
          EXPECT_TRUE(wait.answered) << sample.script << ": message " << wait.message << " passed unread";
        } else if (r + 1 == routes.size()) {
          EXPECT_FALSE(wait.answered) << sample.script << ": message " << wait.message << " was read";
        }
      }
      read.insert(play.events.messages.begin(), play.events.messages.end());
      for (int message : read) EXPECT_TRUE(marks.marks.isRead(message)) << message;
    }
    EXPECT_GT(passed, 0) << sample.script;
  }
}

// Nothing but the choices is given: auto must continue every other wait itself, each
// only after the message is typed and its pause (longer while it is read aloud).
TEST(Reading, AutoContinuesEveryPageOnlyAfterItIsTypedAndPaused) {
  for (const SampleRoutes& sample : kSamples) {
    SampleDistribution distribution(sample.script);
    FakeSpeech speech;
    for (bool aloud : {false, true}) {
      KeptMarks marks;
      marks.marks.switches = {.autoMode = true, .readAloud = aloud};
      SamplePlay play(distribution, &marks, &speech);
      speech.clock = &play.clock;
      play.host.at(std::int64_t{24} * 3600 * 1000, [](PlayerInput&) {});  // something to come: no end for want of input
      takeByButton(play, sample.routes.front());
      play.other = [&](WaitKind) { speech.speakingUntil = play.clock.milliseconds() + 5000; };
      play.player->run();
      EXPECT_EQ(play.events.end, EndReason::End) << sample.script;
      for (const Events::Wait& wait : play.events.waits) {
        if (wait.kind == WaitKind::Choice) continue;
        EXPECT_GE(wait.end - wait.start, aloud ? 5000 : 1000) << sample.script << " message " << wait.message;
      }
    }
  }
}

TEST(Reading, ReadingAloudSaysEveryMessageThenItsChoicesAndStopsWhenTheGameGoesOn) {
  for (const SampleRoutes& sample : kSamples) {
    SampleDistribution distribution(sample.script);
    KeptMarks marks;
    marks.marks.switches.readAloud = true;
    FakeSpeech speech;
    SamplePlay play(distribution, &marks, &speech);
    takeByButton(play, sample.routes.back());
    play.other = [&play](WaitKind) { play.clickAfterPumps(0); };
    play.player->run();
    std::vector<std::string> said;
    for (const std::string& line : speech.said) {
      if (line != "stop") said.push_back(line);
    }
    EXPECT_EQ(said, play.events.spoken) << sample.script;
    // Each message is said after a stop: what was said of the page before goes.
    std::set<std::string> messages;
    for (const auto& entry : play.events.history) {
      if (entry.kind == MessageHistory::Entry::Kind::Message) messages.insert("say " + entry.text);
    }
    for (std::size_t i = 1; i < speech.said.size(); ++i) {
      if (messages.contains(speech.said[i])) {
        EXPECT_EQ(speech.said[i - 1], "stop") << speech.said[i];
      }
    }
  }
}

// Keys alone: 1 to 5 in normal mode; Down to the line and Enter in novel mode; Enter,
// Space and Right everywhere else. The game takes the course the clicks give it.
TEST(Reading, APlayByKeysTakesTheCourseOfAPlayByClicks) {
  const int continueKeys[] = {kEnterKey, kSpaceKey, kRightKey};
  for (const SampleRoutes& sample : kSamples) {
    SampleDistribution distribution(sample.script);
    const bool novel = std::string(sample.script).find("novel") != std::string::npos;
    for (const auto& route : sample.routes) {
      SamplePlay clicked(distribution, nullptr);
      takeByButton(clicked, route);
      clicked.other = [&clicked](WaitKind) { clicked.clickAfterPumps(0); };
      clicked.player->run();

      SamplePlay keyed(distribution, nullptr);
      int waits = 0;
      keyed.choose(route, [&keyed, novel, &waits](int slot) {
        const auto& captions = keyed.player->state().captions;
        int downs = 0;
        for (int s = 0; s < slot; ++s) downs += captions[static_cast<std::size_t>(s)].empty() ? 0 : 1;
        bool byLines = novel && ++waits % 2 == 0;  // novel mode: every other choice by its digit
        if (!byLines) {
          keyed.host.duringWait([slot](PlayerInput& input) { input.keyPressed(kDigitOneKey + slot - 1); });
          return;
        }
        for (int i = 0; i < downs; ++i) keyed.host.duringWait([](PlayerInput& input) { input.keyPressed(kDownKey); });
        keyed.host.duringWait([](PlayerInput& input) { input.keyPressed(kUpKey); });
        keyed.host.duringWait([](PlayerInput& input) { input.keyPressed(kDownKey); });
        keyed.host.duringWait([](PlayerInput& input) { input.keyPressed(kEnterKey); });
      });
      keyed.other = [&keyed, &continueKeys, n = 0](WaitKind) mutable {
        const int key = continueKeys[n++ % 3];
        keyed.host.duringWait([key](PlayerInput& input) { input.keyPressed(key); });
      };
      keyed.player->run();
      EXPECT_EQ(keyed.events.end, EndReason::End) << sample.script << " " << ::testing::PrintToString(route);
      EXPECT_EQ(keyed.events.course, clicked.events.course) << sample.script << " " << ::testing::PrintToString(route);
    }
  }
}

std::string readMarksFile(const ScratchFolder& folder, const platform::Bytes& bytes) {
  std::string path = folder.path("game.READ");
  EXPECT_TRUE(platform::writeFileReplacing(path, bytes));
  return path;
}

TEST(Reading, ReadMarksComeBackAsKeptAndABrokenFileCountsAsNothingReadAndIsWrittenAnew) {
  ScratchFolder folder;
  ReadMarks marks;
  marks.game = 0x0123456789ABCDEFULL;
  marks.switches = {.autoMode = true, .readAloud = false};
  for (int message : {1, 2, 7, 8, 9, 255, 256, 9999, 10000}) marks.markRead(message);
  const platform::Bytes good = encodeReadMarks(marks);
  EXPECT_EQ(decodeReadMarks(good), marks);

  platform::Bytes wrongVersion = good, strangeSwitches = good, tooLong = good;
  wrongVersion[8] = 2;
  strangeSwitches[9] = 0x80;
  tooLong.resize(good.size() + 2000, 0xFF);
  const std::vector<platform::Bytes> broken = {
      {}, platform::Bytes(good.begin(), good.begin() + 12), wrongVersion, strangeSwitches, tooLong,
      platform::Bytes(1 << 20, 'x')};
  for (const platform::Bytes& bytes : broken) {
    const std::string path = readMarksFile(folder, bytes);
    std::ostringstream diagnostics;
    ReadMarksFile file(path, diagnostics);
    ReadMarks loaded = file.load(marks.game);
    EXPECT_FALSE(loaded.isRead(1)) << bytes.size();
    EXPECT_EQ(loaded.switches, PlayerSwitches{}) << bytes.size();
    const std::string said = diagnostics.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    loaded.markRead(3);
    ASSERT_TRUE(file.keep(loaded));
    EXPECT_EQ(file.load(marks.game), loaded);
  }

  std::ostringstream diagnostics;
  ReadMarksFile file(readMarksFile(folder, good), diagnostics);
  EXPECT_EQ(file.load(marks.game), marks);
  ReadMarks rebuilt = file.load(marks.game + 1);
  EXPECT_FALSE(rebuilt.isRead(1)) << "a rebuilt game has read nothing";
  EXPECT_EQ(rebuilt.switches, marks.switches) << "but keeps its switches";
  EXPECT_TRUE(diagnostics.str().empty());
}

}  // namespace
}  // namespace pryx::player::testing
