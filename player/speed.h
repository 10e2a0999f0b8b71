#pragma once
// The message speed: the wait per typed character that a speed setting gives for
// the game's base wait (the last @WAIT).

#include "player/host.h"

namespace pryx::player {

constexpr int messageWaitFor(Speed speed, int baseWait) {
  switch (speed) {
    case Speed::NoWait: return 0;
    case Speed::Quick: return baseWait / 2;
    case Speed::Normal: return baseWait;
    case Speed::Slow: return baseWait * 3 / 2;
  }
  return baseWait;
}

}  // namespace pryx::player
