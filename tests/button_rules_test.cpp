#include "project/button_rules.h"

#include <gtest/gtest.h>

namespace pryx::project {
namespace {

using F = ButtonField;
using Form = ConditionForm;

ButtonEvent buttonWith(std::initializer_list<std::pair<F, std::string>> fields) {
  ButtonEvent button;
  for (const auto& [field, text] : fields) button[field] = text;
  return button;
}

// The game file takes any number but 0 as chosen, the script only list positions:
// the two readers part only on negative numbers.
TEST(ButtonRules, ConditionsPartOnlyWhereTheReadersDiffer) {
  struct Case {
    std::string variable1, comparison1, logic, variable2, comparison2;
    Form gameFile, script;
  };
  const Case cases[] = {
      {"0", "1", "0", "0", "0", Form::None, Form::None},
      {"1", "1", "0", "0", "0", Form::OneComparison, Form::OneComparison},
      {"1", "1", "2", "2", "3", Form::TwoComparisons, Form::TwoComparisons},
      {"1", "1", "2", "0", "3", Form::None, Form::None},  // a logic operator without its second part
      {"-1", "1", "0", "0", "0", Form::OneComparison, Form::None},
      {"1", "1", "-1", "2", "3", Form::TwoComparisons, Form::OneComparison},
      {"1", "1", "-1", "0", "0", Form::None, Form::OneComparison},
      {"x", "1", "", "", "", Form::None, Form::None},
  };
  for (const Case& c : cases) {
    ButtonCondition condition = buttonCondition(buttonWith({{F::ConditionVariable1, c.variable1},
                                                            {F::Comparison1, c.comparison1},
                                                            {F::Logic, c.logic},
                                                            {F::ConditionVariable2, c.variable2},
                                                            {F::Comparison2, c.comparison2}}));
    std::string what = c.variable1 + " " + c.comparison1 + " " + c.logic + " " + c.variable2 + " " + c.comparison2;
    EXPECT_EQ(conditionForm(condition, RuleReader::GameFile), c.gameFile) << what;
    EXPECT_EQ(conditionForm(condition, RuleReader::Script), c.script) << what;
  }
}

// A negative number is a chosen entry only in the game file; an empty operator
// field leaves a page-entry operation out of the script only.
TEST(ButtonRules, JumpsAndOperationsFollowEachReader) {
  ButtonEvent backwards = buttonWith({{F::JumpTarget, "-1"}});
  EXPECT_EQ(buttonJump(backwards, 1, 3, RuleReader::GameFile).page, -1);
  EXPECT_EQ(buttonJump(backwards, 1, 3, RuleReader::Script).page, 2);

  ButtonEvent pressOnNegative =
      buttonWith({{F::OperationTiming, "0"}, {F::OperationVariable, "-1"}, {F::OperationOperator, "2"}});
  EXPECT_TRUE(operationRuns(pressOnNegative, OperationTiming::ButtonPressed, RuleReader::GameFile));
  EXPECT_FALSE(operationRuns(pressOnNegative, OperationTiming::ButtonPressed, RuleReader::Script));
  EXPECT_FALSE(operationRuns(pressOnNegative, OperationTiming::PageEntered, RuleReader::GameFile));

  ButtonEvent entryWithoutOperator =
      buttonWith({{F::Caption, "a"}, {F::OperationTiming, "1"}, {F::OperationVariable, "1"}});
  EXPECT_TRUE(operationRuns(entryWithoutOperator, OperationTiming::PageEntered, RuleReader::GameFile));
  EXPECT_FALSE(operationRuns(entryWithoutOperator, OperationTiming::PageEntered, RuleReader::Script));
}

}  // namespace
}  // namespace pryx::project
