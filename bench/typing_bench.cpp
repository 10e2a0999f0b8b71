// How long the desktop player takes to type a page at the message speed
// "ウエイト無し", in its real window: plays FOLDER/NAME.PRY (a game of a first
// choice and then a page with a choice that shows it again, as bench/message-speed
// writes it), chooses the speed at the first choice and takes choice 1 RUNS times,
// printing the milliseconds from each choice taken until the page is typed. The
// display library must lie beside the game.
//   typing_bench FOLDER NAME RUNS

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/paths.h"
#include "player/input.h"
#include "player/player.h"
#include "player/window/player_program.h"

namespace {

using pryx::player::Player;
using pryx::player::PlayerProgram;
using pryx::player::WaitKind;
using Clock = std::chrono::steady_clock;

class TypingTimer final : public pryx::player::PlayObserver {
 public:
  explicit TypingTimer(int runs) : runs_(runs) {}
  void attach(PlayerProgram& program) { program_ = &program; }

  void waitEnded() override { waitEnded_ = Clock::now(); }

  // The page is typed once the next wait starts: a full page's, or the choice's
  // when there is room for it. The window's own input arrives in its event loop:
  // so does this.
  void waitStarted(std::int32_t, WaitKind kind) override {
    if (timing_) {
      std::chrono::duration<double, std::milli> typed = Clock::now() - waitEnded_;
      std::printf("%.1f\n", typed.count());
      std::fflush(stdout);
      timing_ = false;
    }
    QTimer::singleShot(0, [this, kind] {
      Player* player = program_->player();
      if (kind != WaitKind::Choice) {
        player->windowClicked();
      } else if (choices_++ == runs_) {
        program_->end();
      } else {
        if (choices_ == 1) player->speedChosen(pryx::player::Speed::NoWait);
        timing_ = true;
        player->keyPressed(pryx::player::kDigitOneKey);
      }
    });
  }

 private:
  int runs_;
  int choices_ = 0;
  bool timing_ = false;
  PlayerProgram* program_ = nullptr;
  Clock::time_point waitEnded_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: typing_bench FOLDER NAME RUNS\n");
    return 2;
  }
  QApplication application(argc, argv);
  TypingTimer timer(std::atoi(argv[3]));
  pryx::player::PlayerProgramOptions options;
  options.executablePath = pryx::platform::GetPath(argv[1], argv[2]);
  options.observer = &timer;
  PlayerProgram program(options);
  timer.attach(program);
  program.run();
  return program.endReason() == pryx::player::EndReason::Closed ? 0 : 1;
}
