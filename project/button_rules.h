#pragma once
// The rules of a page's command buttons, read in one place for everything that
// plays or writes a button: which slots are in use, a button's condition, where it
// jumps and its variable operation. The game file and the script read a few rules
// differently; those take the reader they serve.

#include "project/project.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace pryx::project {

// The game file carries every number as stored, so any number but 0 counts as
// chosen there; the script writes list entries by name, so only a position above 0
// counts.
enum class RuleReader { GameFile, Script };

// A page's buttons: its slots from the first up to the first empty caption. A
// caption behind an empty slot is ignored.
std::span<const ButtonEvent> buttonsInUse(const Page& page);

// The texts below are views into the button's fields.
struct Comparison {
  std::int64_t variable = 0;    // variable number; 0: none
  std::int64_t comparison = 0;  // position in kComparisonOperators; 0: none
  std::string_view value;       // as typed
};

struct ButtonCondition {
  Comparison first;
  std::int64_t logic = 0;  // position in kLogicOperators; 0: the first comparison alone
  Comparison second;
  std::int64_t target = 0;  // the page taken when the condition holds; 0: none
};

ButtonCondition buttonCondition(const ButtonEvent& button);

// The number the game file carries for a comparison's typed value: its leading
// whole number held inside 32 bits.
std::int32_t gameValue(const Comparison& comparison);

enum class ConditionForm { None, OneComparison, TwoComparisons };

// A condition needs its first variable and comparison. With a logic operator it
// needs the second ones too; without them the whole condition is left out.
ConditionForm conditionForm(const ButtonCondition& condition, RuleReader reader);

// Where a button goes when no condition sends it elsewhere: its jump target, or
// without one the page after `position`. Past the last page the game file goes back
// to that page, and the script ends the game.
struct Jump {
  bool endsGame = false;
  std::int64_t page = 0;
};
Jump buttonJump(const ButtonEvent& button, int position, int pageCount, RuleReader reader);

enum class OperationTiming { ButtonPressed = 0, PageEntered = 1 };

struct VariableOperation {
  std::int64_t timing = 0;        // an OperationTiming; any other value never runs
  std::int64_t variable = 0;      // 0: no operation
  std::int64_t operatorCode = 0;  // position in kAssignmentOperators; 0: none
  std::string_view value;         // as typed
};

VariableOperation buttonOperation(const ButtonEvent& button);

// The number the game file carries for an operation's typed value: its leading
// whole number held inside 16 bits.
std::int16_t gameOperand(const VariableOperation& operation);

// Whether the button's operation runs at `timing`: it needs its variable, and when
// the button is pressed its operator too. On entering the page the game file takes
// the operation of a slot in use whatever its operator; the script takes that of
// any slot whose operator field is not empty.
bool operationRuns(const ButtonEvent& button, OperationTiming timing, RuleReader reader);

}  // namespace pryx::project
