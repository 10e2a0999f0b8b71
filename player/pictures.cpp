// Background pictures with their transition effects, and the character.

#include "player/player.h"

namespace pryx::player {
namespace {

constexpr std::string_view kBmp = ".BMP";
constexpr std::string_view kJpg = ".JPG";

}  // namespace

void Player::showCgNumber(std::int32_t number) {
  if (number == state_.currentCg || number < 0) return;
  if (state_.currentCg != 0) geffect(state_.effect);
  observer_.cg(static_cast<std::int32_t>(state_.programCounter), number);
  if (number == 0) {
    state_.currentCg = 0;
    screen_.removeCg();
    screen_.clear();
    refresh();
    return;
  }
  const std::string& name = cgNames_.name(number);
  auto path = resourceFile(name, kBmp);
  if (!path) path = resourceFile(name, kJpg);
  screen_.showCg(path ? loadPicture(*path) : Picture());
  refresh();
  state_.currentCg = number;
  state_.cgRepainted = true;
  if (state_.novelMode()) screen_.darkenCg();
  else NMsgWindow();
}

void Player::showChrNumber(std::int32_t number) {
  if (number == 0) {
    if (state_.currentChr != 0) observer_.chr(static_cast<std::int32_t>(state_.programCounter), 0);
    state_.currentChr = 0;  // the character on the screen stays until the next repaint
  } else if (number != state_.currentChr && !chrNames_.name(number).empty()) {
    if (state_.currentCg != 0) {
      screen_.drawCg();
      refresh();
    } else {
      screen_.clear();
    }
    auto path = resourceFile(chrNames_.name(number), kBmp);
    screen_.loadCharacter(path ? loadPicture(*path) : Picture(), state_.transparentColour, state_.novelMode());
    state_.currentChr = number;
    observer_.chr(static_cast<std::int32_t>(state_.programCounter), number);
    paintCharacter();
    state_.cgRepainted = false;
  }
  // A character named on a page whose @CG has just painted a new picture goes on
  // top of it even when it did not change.
  if (state_.cgRepainted && state_.currentChr != 0) paintCharacter();
}

void Player::geffect(int effect) {
  int steps = Screen::effectStepCount(effect);
  if (state_.messageWait == 0 || steps == 0) {
    screen_.clear();
    refresh();
    return;
  }
  for (int step = 0; step < steps; ++step) {
    screen_.drawEffectStep(effect, step);
    refresh();
    pause(state_.messageWait / 10);
  }
}

void Player::paintCharacter() {
  if (state_.currentChr == 0) return;
  screen_.paintCharacter();
  refresh();
}

void Player::formRedraw() {
  screen_.formRedraw(state_.novelMode(), state_.currentCg != 0, state_.currentChr != 0);
  if (!state_.novelMode() && state_.currentChr != 0) refresh();
}

}  // namespace pryx::player
