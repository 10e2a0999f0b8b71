#pragma once
// The player engine: runs a loaded game on a host. `run` is the interpreter's main
// loop; it returns only when the game ends. The window's events reach it through
// PlayerInput while it pumps events inside its waits.

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "player/game_files.h"
#include "player/gamefile/chains.h"
#include "player/gamefile/decoded_instruction.h"
#include "player/gamefile/image.h"
#include "player/host.h"
#include "player/input.h"
#include "player/message_history.h"
#include "player/observer.h"
#include "player/read_marks.h"
#include "player/save_slots.h"
#include "player/screen/screen.h"
#include "player/speech.h"
#include "player/start_position.h"

namespace pryx::player {

inline constexpr int kStackDepth = 1000;
inline constexpr int kMusicTimerInterval = 500;  // milliseconds

// The interpreter's state that the waits, the menus and the saves share.
struct InterpreterState {
  std::int64_t programCounter = gamefile::kFirstInstruction;
  std::int64_t pagePosition = 1;
  std::vector<std::int32_t> variables = std::vector<std::int32_t>(gamefile::kMaxVariables + 1);
  int highestVariable = 0;
  std::vector<std::int64_t> returnStack;  // both stacks hold `depth` entries
  std::vector<std::int64_t> pageStack;
  std::array<std::int64_t, kChoiceButtons> buttonTargets{};
  std::array<std::string, kChoiceButtons> captions;  // of the choice buttons; empty = unused

  int messageWait = 50;
  int baseWait = 0;
  Speed speed = Speed::Normal;
  int effect = 0;
  int gameMode = 0;
  int currentCg = 0;
  int currentBgm = 0;
  int currentChr = 0;
  Colour textColour = kWhiteColour;
  Colour shadowColour = kBlackColour;
  std::int32_t transparentColour = -1;  // -1: the character picture's bottom-left colour

  int clickState = 0;  // 0 none, 1 the window, 2..6 choice button 0..4
  bool replaying = false;   // from a load until the next @EVTWAIT or @SAVE
  bool scriptSave = false;  // a save or load started by @SAVE / @LOAD runs
  bool quick = false;       // @QUICK: the next message box as is
  bool cgRepainted = false;
  int novelTextEndRow = 0;
  int mouseX = 0;
  int mouseY = 0;
  int highlightLevel = 255;
  bool highlightFalling = false;
  bool typing = false;

  bool novelMode() const { return gameMode != 0; }
  int depth() const { return static_cast<int>(returnStack.size()); }
};

struct PlayerOptions {
  PlayObserver* observer = nullptr;
  std::int64_t instructionLimit = 0;  // 0: none
  bool drawsPictures = true;          // false: no picture is kept or drawn (no pixels wanted)
  SaveSlots* saves = nullptr;         // null: the save files beside the game
  StartPosition start;
  ResourceLookup findResource;        // empty: the resource files beside the game
  ReadMarksStore* readMarks = nullptr;  // null: marks and switches last for this run only
  Speech* speech = nullptr;             // null: nothing is read aloud
};

struct RunEnd {
  EndReason reason;
  std::string message;  // what the user was shown, if anything
};

class Player final : public PlayerInput {
 public:
  // Does the window's load steps: caption and load menu. The image must carry the magic.
  Player(const PlayerHost& host, GameLocation location, gamefile::GameImage image, PlayerOptions options = {});

  RunEnd run();

  const InterpreterState& state() const { return state_; }
  const Screen& screen() const { return screen_; }
  const MessageHistory& history() const { return history_; }
  const ReadMarks& readMarks() const { return marks_; }
  bool skipping() const { return skipOn_ || (skipHeld_ && !skipStopped_); }

  void windowClicked() override;
  void buttonClicked(int slot) override;
  void pointerMoved(int x, int y) override;
  void keyPressed(int key) override;
  void saveChosen(int slot) override;
  void loadChosen(int slot) override;
  void speedChosen(Speed speed) override;
  void endChosen() override;
  bool closeRequested() override;
  void endRequested(EndReason reason) override;
  void skipHeld(bool held) override;
  void skipToggled() override;
  void autoToggled() override;
  void readAloudToggled() override;
  void historyShown(bool shown) override;

 private:
  struct NamePool {
    std::array<std::string, gamefile::kMaxResourceNumber + 1> names;
    std::int64_t cursor = 0;
    // Empty for a number without a name or outside the table.
    const std::string& name(std::int32_t number) const;
  };

  // interpreter.cpp
  void start();
  void step();
  void execute(const gamefile::DecodedInstruction& instruction);
  void defineName(NamePool& pool, const gamefile::DecodedInstruction& instruction);
  void jumpTo(std::int32_t label);
  void callSubroutine(std::int32_t label, std::int64_t returnPosition, const char* overflowMessage);
  void returnFromSubroutine();
  bool variableInRange(std::int32_t number) const;
  void useVariable(std::int32_t number);
  bool conditionHolds(std::int32_t variable, int comparison, std::int32_t value);
  void conditionalJump(const gamefile::DecodedInstruction& instruction);
  void doubleConditionalJump(const gamefile::DecodedInstruction& instruction);
  void operateOnVariable(const gamefile::DecodedInstruction& instruction);
  void setGameMode(int mode);
  void setMessageWait(int wait);
  void typeMessage(const gamefile::DecodedInstruction& instruction);
  std::int32_t traceLabelNumber(std::int64_t opcodePosition) const;
  bool enterStartPosition();
  std::optional<std::string> resourceFile(const std::string& sjisName, std::string_view extension) const;

  // events.cpp: pumping, waiting and ending
  void pump();
  void idle();
  void afterEvents();
  void pause(int milliseconds);
  void refresh();
  MessageAnswer ask(const std::string& text, const std::string& title, MessageIcon icon, MessageButtons buttons);
  [[noreturn]] void endRun(EndReason reason, const std::string& message = {});
  [[noreturn]] void endWithMessage(EndReason reason, const std::string& message, MessageIcon icon,
                                   const std::string& title);
  [[noreturn]] void endWithCodeError();
  void wtchecker(std::optional<Speed> speed);
  void MenuONorOFF(bool enabled);
  void enableLoadItem(int slot, bool enabled);

  // text.cpp
  void textplay(const std::string& message);
  void textplayx(const std::string& message);
  void commandWait(WaitKind kind);
  void clearMessageBox();
  void NMsgWindow();
  void NMsgWindowQ();

  // pictures.cpp
  void showCgNumber(std::int32_t number);
  void showChrNumber(std::int32_t number);
  void geffect(int effect);
  void paintCharacter();
  void formRedraw();

  // music.cpp
  void playBgmNumber(std::int32_t number);
  void bgmchecker();

  // choices.cpp
  void defineButton(const gamefile::DecodedInstruction& instruction);
  void awaitChoice();
  int awaitButtonClick();
  int awaitNovelChoice();
  void drawChoiceRow(int slot, int row, Colour shadow, Colour face);
  void startWait(WaitKind kind);
  void endWait();

  // reading.cpp: the history, read marks, skip, auto and reading aloud
  void messageStarted(int number, const std::string& message);
  void messageTyped();
  void characterTyped() { ++charactersOnPage_; }
  void pageWaitStarted(WaitKind kind);
  void pageWaitEnded();
  bool continuesByItself() const;
  void stopSkip();
  void choiceOffered(const std::vector<std::string>& captions);
  void choiceEnded(int chosen, const std::string& caption);
  void chooseByKey(int slot);
  void moveKeyHighlight(int direction);
  void describeChoiceLines(int highlighted);
  void keepReadMarks();
  void announceSwitches();
  bool skipsNow() const { return skipping() && currentMessageRead_; }  // skip passes read text only
  bool readingAloud() const { return speech_ != nullptr && marks_.switches.readAloud; }

  // saves.cpp
  void save(int slot);
  bool load(int slot);
  std::int64_t savePosition() const;
  bool isLabelPosition(std::int64_t position) const;
  std::string slotText(int slot) const;

  PlayerHost host_;
  GameLocation location_;
  gamefile::GameImage image_;
  PlayerOptions options_;
  PlayObserver defaultObserver_;
  PlayObserver& observer_;
  SaveFiles saveFiles_;
  SaveSlots& saves_;

  std::vector<std::int32_t> labels_;  // label k's link field at labels_[k - 1]
  std::unordered_map<std::int64_t, std::int32_t> labelNumbers_;  // by opcode position
  bool labelChainBroken_ = false;
  gamefile::TextTables texts_;
  NamePool cgNames_, chrNames_, bgmNames_;

  InterpreterState state_;
  Screen screen_;
  std::mt19937_64 random_;
  std::int64_t instructionCount_ = 0;
  std::optional<EndReason> endPending_;
  bool startPending_ = false;
  bool musicTimerOn_ = false;
  bool pieceOpen_ = false;
  std::int64_t nextMusicTick_ = 0;
  std::int64_t musicEndTime_ = 0;
  bool waiting_ = false;
  bool choiceMenusEnabled_ = false;
  std::array<bool, kMenuSaveSlots + 1> loadItemEnabled_{};

  MessageHistory history_;
  ReadMarksStore* marksStore_;
  ReadMarks marks_;
  bool marksChanged_ = false;
  Speech* speech_;
  std::string currentMessage_;
  int currentMessageNumber_ = 0;
  bool currentMessageRead_ = false;
  bool skipHeld_ = false;
  bool skipOn_ = false;
  bool skipStopped_ = false;  // by unread text or a choice, until the key is let go
  bool historyShown_ = false;
  int charactersOnPage_ = 0;
  std::int64_t autoDue_ = 0;
  bool choiceWaiting_ = false;
  bool choiceIsList_ = false;
  int keyHighlight_ = -1;  // the novel-mode choice the keys highlighted, -1 for the pointer's
};

}  // namespace pryx::player
