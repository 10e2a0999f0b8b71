// Save slots: the menu's five and the game's own, through @SAVE and @LOAD.

#include <algorithm>

#include "platform/number_text.h"
#include "player/messages.h"
#include "player/player.h"
#include "player/save_file.h"

namespace pryx::player {

std::string Player::slotText(int slot) const {
  return text::kSlotPrefix + platform::signPaddedDecimal(slot);
}

// Loading always restarts a top-level page: inside a subroutine that is the page
// that made the outermost call.
std::int64_t Player::savePosition() const {
  return state_.depth() == 0 ? state_.pagePosition : state_.pageStack.front();
}

bool Player::isLabelPosition(std::int64_t position) const { return labelNumbers_.contains(position); }

void Player::save(int slot) {
  const auto pc = static_cast<std::int32_t>(state_.programCounter);
  const bool scripted = state_.scriptSave;
  state_.scriptSave = false;
  if (slot < 1) return;
  // The game's own slots above the menu's save and load without a word.
  const bool silent = slot > kMenuSaveSlots && scripted;
  if (!silent && ask(slotText(slot) + text::kSaveQuestionTail, text::kConfirmTitle, MessageIcon::Question,
                     MessageButtons::YesNo) != MessageAnswer::Yes) {
    observer_.save(pc, slot, false);
    return;
  }
  SaveData data;
  data.position = static_cast<std::int32_t>(savePosition());
  data.variables.assign(state_.variables.begin() + 1, state_.variables.begin() + 1 + state_.highestVariable);
  if (!saves_.write(slot, encodeSave(data))) {
    observer_.save(pc, slot, false);
    if (!silent) ask(text::kSaveFailed, text::kWarningTitle, MessageIcon::Critical, MessageButtons::Ok);
    return;
  }
  if (slot <= kMenuSaveSlots) enableLoadItem(slot, true);
  observer_.save(pc, slot, true);
  if (!silent) ask(text::kSaved, text::kConfirmTitle, MessageIcon::Information, MessageButtons::Ok);
}

// Returns whether the load took place; the program counter then points just before
// the saved page's label, and the page replays.
bool Player::load(int slot) {
  const auto pc = static_cast<std::int32_t>(state_.programCounter);
  const bool scripted = state_.scriptSave;
  state_.scriptSave = false;
  if (slot < 1) return false;
  const bool silent = slot > kMenuSaveSlots && scripted;
  if (!silent && ask(slotText(slot) + text::kLoadQuestionTail, text::kConfirmTitle, MessageIcon::Question,
                     MessageButtons::YesNo) != MessageAnswer::Yes) {
    observer_.load(pc, slot, false);
    return false;
  }
  // A save file is not trusted: it must restart at one of this game's labels.
  auto bytes = saves_.read(slot);
  auto data = bytes ? decodeSave(*bytes) : std::nullopt;
  if (!data || !isLabelPosition(data->position)) {
    observer_.load(pc, slot, false);
    return false;
  }
  // Variables above the highest one used are still 0: only those below need clearing.
  std::fill_n(state_.variables.begin() + 1, state_.highestVariable, 0);
  std::copy(data->variables.begin(), data->variables.end(), state_.variables.begin() + 1);
  state_.highestVariable = static_cast<int>(data->variables.size());
  state_.pagePosition = data->position;
  state_.programCounter = state_.pagePosition - 1;
  state_.replaying = true;
  history_.clear();
  observer_.load(pc, slot, true);
  if (!silent) ask(text::kLoaded, text::kConfirmTitle, MessageIcon::Information, MessageButtons::Ok);
  return true;
}

}  // namespace pryx::player
