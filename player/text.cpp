// Typing messages: the message box of normal mode with its page prompt, and the
// planned text pages of novel mode.

#include "platform/utf8.h"
#include "player/messages.h"
#include "player/player.h"

namespace pryx::player {
namespace {

struct TextLayout {
  int left;         // first character and x after a line break
  int top;
  int step;         // horizontal step per character
  int wrapAfter;    // a line wraps when x after the step exceeds this
  int wrapLeft;     // x after a wrap
  int lineHeight;
};

constexpr TextLayout kBoxLayout{85, 364, 16, 555, 85, 16};
constexpr TextLayout kNovelLayout{kNovelTextLeft, kNovelTextTop, kNovelCharacterStep,
                                  kNovelRightLimit, kNovelWrapLeft, kNovelLineHeight};

constexpr int kBoxLines = 6;
constexpr int kNovelPageBottom = 451;
constexpr int kForcedBreakY = 500;

constexpr int kPromptX = 548;
constexpr int kPromptY = 464;
constexpr int kPromptSleep = 4;

constexpr std::int32_t kBoxColour = 32 | 60 << 8 | 128 << 16;  // RGB(32, 60, 128)
constexpr std::int32_t kBoxStrength = 50;
constexpr int kBoxTop = 350;

}  // namespace

void Player::textplay(const std::string& message) {
  const std::u32string text = toFullWidth(message);
  if (text.empty()) return;
  const int savedWait = state_.messageWait;
  state_.clickState = 0;
  clearMessageBox();
  const TextLayout& layout = kBoxLayout;
  int x = layout.left, y = layout.top, line = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (state_.clickState == 1 || skipsNow()) state_.messageWait = 0;
    pump();
    if (line == kBoxLines + 1) {
      state_.clickState = 0;
      commandWait(WaitKind::PagePrompt);
      clearMessageBox();
      x = layout.left, y = layout.top, line = 1;
      state_.messageWait = savedWait;
    }
    if (isLineBreakAt(text, i)) {
      x = layout.left, y += layout.lineHeight, ++line;
      ++i;
      continue;
    }
    const std::u32string_view character = std::u32string_view(text).substr(i, 1);
    if (state_.currentCg != 0) screen_.drawText(character, x + 1, y + 1, state_.shadowColour, TextFont::Message);
    screen_.drawText(character, x, y, state_.textColour, TextFont::Message);
    characterTyped();
    x += layout.step;
    if (x > layout.wrapAfter) y += layout.lineHeight, x = layout.wrapLeft, ++line;
    refresh();
    pause(state_.messageWait);
  }
  state_.clickState = 0;
  state_.messageWait = savedWait;
}

void Player::textplayx(const std::string& message) {
  const std::u32string text = toFullWidth(message);
  if (text.empty()) return;
  const int savedWait = state_.messageWait;
  state_.clickState = 0;
  NovelPagePlan plan = planNovelPages(text);
  state_.typing = true;
  host_.window.setTyping(true);
  const TextLayout& layout = kNovelLayout;
  int x = layout.left, y = layout.top, line = 1, page = 0;
  formRedraw();
  for (std::size_t i = 0; i < text.size(); ++i) {
    pump();
    if (state_.clickState == 1 || skipsNow()) state_.messageWait = 0;
    if (page == plan.lastFullPage && line == plan.breakLine) {
      y = kForcedBreakY;
      plan.breakLine = 0;
      ++plan.lastFullPage;
    }
    if (y > kNovelPageBottom) {
      state_.clickState = 0;
      pageWaitStarted(WaitKind::NovelPage);
      while (state_.clickState == 0 && !continuesByItself()) idle();
      pageWaitEnded();
      formRedraw();
      x = 0, y = 0, line = 1, ++page;
      state_.clickState = 0;
      state_.messageWait = savedWait;
    }
    if (isLineBreakAt(text, i)) {
      x = layout.left, y += layout.lineHeight, ++line;
      ++i;
      continue;
    }
    const std::u32string_view character = std::u32string_view(text).substr(i, 1);
    screen_.drawText(character, x + 2, y + 2, kBlackColour, TextFont::NovelMessage);
    screen_.drawText(character, x, y, kWhiteColour, TextFont::NovelMessage);
    characterTyped();
    refresh();
    pause(state_.messageWait);
    x += layout.step;
    if (x > layout.wrapAfter) x = layout.wrapLeft, y += layout.lineHeight, ++line;
  }
  state_.novelTextEndRow = line + 1;
  state_.typing = false;
  host_.window.setTyping(false);
  state_.messageWait = savedWait;
}

// The blinking "▼" until the window is clicked. A page with a single button also
// stops waiting when a load from the menu has taken place.
void Player::commandWait(WaitKind kind) {
  state_.clickState = 0;
  int level = 64;
  bool rising = true;
  bool announced = false;
  const std::u32string prompt = platform::decodeUtf8(text::kPagePrompt);
  while (state_.clickState == 0 && !(kind == WaitKind::SingleButton && state_.replaying)) {
    screen_.drawText(prompt, kPromptX, kPromptY, Colour{static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(level), 255}, TextFont::Message);
    refresh();
    if (!announced) pageWaitStarted(kind), announced = true;  // once the prompt shows
    pause(kPromptSleep);
    if (rising) {
      level += 2;
      if (level > 255) level = 255, rising = false;
    } else if (level >= 66) {
      level -= 2;
    } else {
      level = 64, rising = true;
    }
    pump();
    if (state_.clickState == 0 && continuesByItself()) break;
  }
  if (announced) pageWaitEnded();
  state_.clickState = 0;
}

void Player::clearMessageBox() {
  if (state_.currentCg == 0 && state_.currentChr == 0) {
    screen_.clear();
    return;
  }
  formRedraw();
  NMsgWindowQ();
}

// The drawing mode the original box was drawn in has no counterpart here: both
// boxes are the same translucent blend, and @QUICK only spends its flag.
void Player::NMsgWindow() {
  state_.quick = false;
  NMsgWindowQ();
}

void Player::NMsgWindowQ() {
  ZorvexSurface surface = screen_.surface();
  host_.display.ABox(surface, 0, kBoxTop, kScreenWidth, kScreenHeight, kScreenWidth, kScreenHeight, kBoxColour,
                     kBoxStrength);
  refresh();
}

}  // namespace pryx::player
