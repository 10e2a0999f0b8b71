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
// the two readers part exactly on negative numbers and empty texts.
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

TEST(ButtonRules, JumpsAndOperationsFollowEachReader) {
  auto jump = [](std::string target, int position, RuleReader reader) {
    Jump result = buttonJump(buttonWith({{F::JumpTarget, target}}), position, 3, reader);
    return result.endsGame ? std::int64_t{-99} : result.page;
  };
  EXPECT_EQ(jump("0", 2, RuleReader::GameFile), 3);
  EXPECT_EQ(jump("0", 2, RuleReader::Script), 3);
  EXPECT_EQ(jump("0", 3, RuleReader::GameFile), 3);  // the last page goes back to itself
  EXPECT_EQ(jump("0", 3, RuleReader::Script), -99);  // and ends the game in the script
  EXPECT_EQ(jump("-1", 1, RuleReader::GameFile), -1);
  EXPECT_EQ(jump("-1", 1, RuleReader::Script), 2);

  ButtonEvent entryWithoutCaption =
      buttonWith({{F::OperationTiming, "1"}, {F::OperationVariable, "1"}, {F::OperationOperator, "0"}});
  EXPECT_FALSE(operationRuns(entryWithoutCaption, OperationTiming::PageEntered, RuleReader::GameFile));
  EXPECT_TRUE(operationRuns(entryWithoutCaption, OperationTiming::PageEntered, RuleReader::Script));
  EXPECT_FALSE(operationRuns(entryWithoutCaption, OperationTiming::ButtonPressed, RuleReader::Script));
  ButtonEvent entryWithoutOperator =
      buttonWith({{F::Caption, "a"}, {F::OperationTiming, "1"}, {F::OperationVariable, "1"}});
  EXPECT_TRUE(operationRuns(entryWithoutOperator, OperationTiming::PageEntered, RuleReader::GameFile));
  EXPECT_FALSE(operationRuns(entryWithoutOperator, OperationTiming::PageEntered, RuleReader::Script));
  ButtonEvent pressOnNegative =
      buttonWith({{F::OperationTiming, "0"}, {F::OperationVariable, "-1"}, {F::OperationOperator, "2"}});
  EXPECT_TRUE(operationRuns(pressOnNegative, OperationTiming::ButtonPressed, RuleReader::GameFile));
  EXPECT_FALSE(operationRuns(pressOnNegative, OperationTiming::ButtonPressed, RuleReader::Script));
  EXPECT_FALSE(operationRuns(pressOnNegative, OperationTiming::PageEntered, RuleReader::GameFile));

  Page page;
  page.buttons[0][F::Caption] = "zero";
  page.buttons[2][F::Caption] = "two";
  EXPECT_EQ(buttonsInUse(page).size(), 1u);
}

}  // namespace
}  // namespace pryx::project
