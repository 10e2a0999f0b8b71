#include "project/button_rules.h"

#include "platform/number_text.h"

#include <algorithm>

namespace pryx::project {
namespace {

using F = ButtonField;

bool isChosen(std::int64_t number, RuleReader reader) {
  return reader == RuleReader::GameFile ? number != 0 : number > 0;
}

}  // namespace

std::span<const ButtonEvent> buttonsInUse(const Page& page) {
  auto firstEmpty =
      std::find_if(page.buttons.begin(), page.buttons.end(), [](const ButtonEvent& button) { return !button.inUse(); });
  return {page.buttons.begin(), firstEmpty};
}

ButtonCondition buttonCondition(const ButtonEvent& button) {
  return {{button.number(F::ConditionVariable1), button.number(F::Comparison1), button[F::ConditionValue1]},
          button.number(F::Logic),
          {button.number(F::ConditionVariable2), button.number(F::Comparison2), button[F::ConditionValue2]},
          button.number(F::ConditionTarget)};
}

std::int32_t gameValue(const Comparison& comparison) {
  return platform::saturate<std::int32_t>(numericValue(comparison.value));
}

ConditionForm conditionForm(const ButtonCondition& condition, RuleReader reader) {
  auto complete = [reader](const Comparison& part) {
    return isChosen(part.variable, reader) && isChosen(part.comparison, reader);
  };
  if (!complete(condition.first)) return ConditionForm::None;
  if (!isChosen(condition.logic, reader)) return ConditionForm::OneComparison;
  return complete(condition.second) ? ConditionForm::TwoComparisons : ConditionForm::None;
}

Jump buttonJump(const ButtonEvent& button, int position, int pageCount, RuleReader reader) {
  std::int64_t target = button.number(F::JumpTarget);
  if (isChosen(target, reader)) return {false, target};
  if (position < pageCount) return {false, position + 1};
  return reader == RuleReader::GameFile ? Jump{false, pageCount} : Jump{true, 0};
}

VariableOperation buttonOperation(const ButtonEvent& button) {
  return {button.number(F::OperationTiming), button.number(F::OperationVariable), button.number(F::OperationOperator),
          button[F::OperationValue]};
}

std::int16_t gameOperand(const VariableOperation& operation) {
  return platform::saturate<std::int16_t>(numericValue(operation.value));
}

bool operationRuns(const ButtonEvent& button, OperationTiming timing, RuleReader reader) {
  VariableOperation operation = buttonOperation(button);
  if (operation.timing != static_cast<std::int64_t>(timing) || !isChosen(operation.variable, reader)) return false;
  if (timing == OperationTiming::ButtonPressed) return isChosen(operation.operatorCode, reader);
  return reader == RuleReader::GameFile ? button.inUse() : !button[F::OperationOperator].empty();
}

}  // namespace pryx::project
