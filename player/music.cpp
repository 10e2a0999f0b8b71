// Background music: one piece per BGM number, restarted by the music timer
// whenever it has played its length.

#include "player/player.h"

namespace pryx::player {
namespace {

constexpr std::string_view kMidi = ".MID";

}  // namespace

void Player::playBgmNumber(std::int32_t number) {
  if (number == state_.currentBgm || number < 0) return;
  auto pc = static_cast<std::int32_t>(state_.programCounter);
  if (state_.currentBgm != 0) host_.sequencer.close();
  pieceOpen_ = false;
  state_.currentBgm = number;
  observer_.bgm(pc, number);
  if (number == 0) return;
  if (auto path = resourceFile(bgmNames_.name(number), kMidi)) pieceOpen_ = host_.sequencer.open(*path);
  if (pieceOpen_) host_.sequencer.play();
  auto now = host_.clock.milliseconds();
  musicEndTime_ = now + host_.sequencer.lengthMilliseconds();
  if (!musicTimerOn_) {
    musicTimerOn_ = true;
    nextMusicTick_ = now + kMusicTimerInterval;
  }
}

void Player::bgmchecker() {
  if (!pieceOpen_) return;
  auto now = host_.clock.milliseconds();
  if (now < musicEndTime_) return;
  host_.sequencer.stop();
  host_.sequencer.rewind();
  host_.sequencer.play();
  musicEndTime_ = now + host_.sequencer.lengthMilliseconds();
}

}  // namespace pryx::player
