// Command buttons: their definition by @BTN and the wait for a choice at @EVTWAIT,
// as push buttons in normal mode and as highlighted text lines in novel mode.

#include <algorithm>

#include "platform/sjis.h"
#include "platform/utf8.h"
#include "player/gamefile/body_scan.h"
#include "player/gamefile/chained_records.h"
#include "player/player.h"

namespace pryx::player {
namespace {

constexpr int kChoiceRowHeight = kNovelLineHeight;
constexpr int kChoiceX = 50;
constexpr int kChoiceShadowOffset = 2;
constexpr Colour kChoiceShadow{127, 127, 127};
constexpr Colour kChoiceFace{255, 255, 255};

constexpr int kPulseStep = 4;
constexpr int kPulseLow = 128;
constexpr int kPulseHigh = 255;

int floorDivide(int value, int divisor) {
  int quotient = value / divisor;
  return value % divisor != 0 && value < 0 ? quotient - 1 : quotient;
}

}  // namespace

void Player::defineButton(const gamefile::DecodedInstruction& instruction) {
  const gamefile::ButtonRecord record = gamefile::buttonRecord(instruction);
  if (record.caption <= 0) {
    state_.programCounter = instruction.lastByte();  // the block bytes run as no-operations, the body in line
    return;
  }
  if (image_.byteAt(record.bodyOpen) != static_cast<std::uint8_t>(gamefile::Opcode::BlockOpen)) endWithCodeError();
  if (record.slot < kChoiceButtons) {
    const int slot = record.slot;
    auto index = static_cast<std::size_t>(slot);
    state_.captions[index] = platform::decodeSjis(texts_.caption(slot, record.caption));
    host_.buttons.setCaption(slot, state_.captions[index]);
    state_.buttonTargets[index] = record.bodyStart();
  }
  auto bodyEnd = gamefile::findButtonBodyEnd(image_, record.bodyOpen);
  if (!bodyEnd) endRun(EndReason::PastEnd);
  state_.programCounter = *bodyEnd;
}

void Player::awaitChoice() {
  const auto p = static_cast<std::int32_t>(state_.programCounter);
  MenuONorOFF(true);
  state_.replaying = false;
  if (state_.captions[0].empty()) endRun(EndReason::NoButton);

  int chosen = -1;
  // Any caption beside the first makes a list, also when slots in between are unused
  // (buttons 1 and 3 alone must not turn into a click anywhere that takes button 1).
  bool offeredAsList = state_.novelMode() || std::any_of(state_.captions.begin() + 1, state_.captions.end(),
                                                         [](const std::string& caption) { return !caption.empty(); });
  if (offeredAsList) {
    std::vector<std::string> offered;
    for (int slot = 0; slot < kChoiceButtons; ++slot) {
      const std::string& caption = state_.captions[static_cast<std::size_t>(slot)];
      if (caption.empty()) continue;
      offered.resize(static_cast<std::size_t>(slot));
      offered.push_back(caption);
      if (state_.novelMode()) drawChoiceRow(slot, slot + state_.novelTextEndRow, kChoiceShadow, kChoiceFace);
      else host_.buttons.setVisible(slot, true);
    }
    if (state_.novelMode()) refresh();
    observer_.choices(p, offered);
    choiceOffered(offered);
    chosen = state_.novelMode() ? awaitNovelChoice() : awaitButtonClick();
  } else {
    choiceOffered({});
    commandWait(WaitKind::SingleButton);
    if (!state_.replaying) chosen = 0;
  }
  choiceEnded(chosen, chosen >= 0 ? state_.captions[static_cast<std::size_t>(chosen)] : std::string());

  for (int slot = 0; slot < kChoiceButtons; ++slot) {
    host_.buttons.setVisible(slot, false);
    host_.buttons.setCaption(slot, {});
    state_.captions[static_cast<std::size_t>(slot)].clear();
  }
  // After a load the program counter already points at the saved page.
  if (chosen >= 0) {
    observer_.choose(p, chosen + 1);
    state_.programCounter = state_.buttonTargets[static_cast<std::size_t>(chosen)] - 1;
  }
  state_.clickState = 0;
  MenuONorOFF(false);
}

// Returns the slot clicked, or -1 when a load ended the wait.
int Player::awaitButtonClick() {
  state_.clickState = 0;
  startWait(WaitKind::Choice);
  int chosen = -1;
  for (;;) {
    idle();
    if (state_.replaying) break;
    int slot = state_.clickState - 2;
    if (slot >= 0 && slot < kChoiceButtons && !state_.captions[static_cast<std::size_t>(slot)].empty()) {
      chosen = slot;
      break;
    }
    state_.clickState = 0;
  }
  endWait();
  return chosen;
}

// The caption under the pointer is highlighted with a pulsing red; a click on the
// window chooses it. Returns the slot, or -1 when a load ended the wait.
int Player::awaitNovelChoice() {
  startWait(WaitKind::Choice);
  describeChoiceLines(-1);
  int highlighted = 0;  // slot + 1, 0 for none
  int chosen = -1;
  for (;;) {
    if (highlighted >= 1) pump();
    else idle();
    if (state_.replaying) break;
    if (state_.clickState == 1 && highlighted >= 1) {
      chosen = highlighted - 1;
      break;
    }
    const int keyed = state_.clickState - 2;  // keys 1 to 5
    if (keyed >= 0 && keyed < kChoiceButtons && !state_.captions[static_cast<std::size_t>(keyed)].empty()) {
      chosen = keyed;
      break;
    }
    state_.clickState = 0;
    // The keys' highlight stands until the pointer moves.
    int row = keyHighlight_ >= 0 ? keyHighlight_ + state_.novelTextEndRow : floorDivide(state_.mouseY, kChoiceRowHeight);
    int slot = row - state_.novelTextEndRow;
    if (highlighted >= 1 && slot != highlighted - 1) {
      drawChoiceRow(highlighted - 1, highlighted - 1 + state_.novelTextEndRow, kChoiceShadow, kChoiceFace);
      refresh();
      highlighted = 0;
      describeChoiceLines(-1);
    }
    if (slot < 0 || slot >= kChoiceButtons || state_.captions[static_cast<std::size_t>(slot)].empty()) continue;
    if (highlighted != slot + 1) describeChoiceLines(slot);
    int level = state_.highlightLevel;
    drawChoiceRow(slot, row, Colour{static_cast<std::uint8_t>(level - kPulseLow), 0, 0},
                  Colour{static_cast<std::uint8_t>(level), 0, 0});
    highlighted = slot + 1;
    if (state_.highlightFalling) {
      level -= kPulseStep;
      if (level < kPulseLow) level = kPulseLow, state_.highlightFalling = false;
    } else {
      level += kPulseStep;
      if (level > kPulseHigh) level = kPulseHigh, state_.highlightFalling = true;
    }
    state_.highlightLevel = level;
    refresh();
    // At the fastest speeds the pulse would otherwise spin a whole processor core.
    pause(std::max(state_.messageWait / 5, 1));
  }
  endWait();
  host_.window.showChoiceLines({}, -1);
  return chosen;
}

void Player::drawChoiceRow(int slot, int row, Colour shadow, Colour face) {
  const std::u32string caption = platform::decodeUtf8(state_.captions[static_cast<std::size_t>(slot)]);
  int y = kChoiceRowHeight * row;
  screen_.drawText(caption, kChoiceX + kChoiceShadowOffset, y + kChoiceShadowOffset, shadow, TextFont::NovelChoice);
  screen_.drawText(caption, kChoiceX, y, face, TextFont::NovelChoice);
}

}  // namespace pryx::player
