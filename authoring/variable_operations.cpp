#include "authoring/variable_operations.h"

#include "platform/number_text.h"

#include <algorithm>

namespace pryx::authoring {
namespace {

using F = project::ButtonField;

constexpr std::string_view kDeletionTitle = "変数の削除";

void clearSecondCondition(project::ButtonEvent& button) {
  button[F::Logic] = "0";
  button[F::ConditionVariable2] = "0";
  button[F::Comparison2] = "0";
  button[F::ConditionValue2].clear();
}

void renumberVariables(project::ButtonEvent& button, std::int64_t deleted) {
  auto renumbered = [deleted](std::int64_t variable) {
    return platform::signPaddedDecimal(variable > deleted ? variable - 1 : variable);
  };
  std::int64_t first = button.number(F::ConditionVariable1);
  std::int64_t second = button.number(F::ConditionVariable2);
  if (first > deleted) {
    button[F::ConditionVariable1] = renumbered(first);
  } else if (first == deleted) {
    if (second != 0 && second != deleted) {
      button[F::ConditionVariable1] = renumbered(second);
      button[F::Comparison1] = button[F::Comparison2];
      button[F::ConditionValue1] = button[F::ConditionValue2];
      clearSecondCondition(button);
    } else {
      for (F field : {F::ConditionVariable1, F::Comparison1, F::Logic, F::ConditionVariable2, F::Comparison2, F::ConditionTarget}) {
        button[field] = "0";
      }
      button[F::ConditionValue1].clear();
      button[F::ConditionValue2].clear();
    }
  }

  second = button.number(F::ConditionVariable2);
  if (second > deleted) button[F::ConditionVariable2] = renumbered(second);
  else if (second == deleted) clearSecondCondition(button);

  std::int64_t operated = button.number(F::OperationVariable);
  if (operated > deleted) {
    button[F::OperationVariable] = renumbered(operated);
  } else if (operated == deleted) {
    button[F::OperationTiming] = "0";
    button[F::OperationVariable] = "0";
    button[F::OperationOperator] = "0";
    button[F::OperationValue].clear();
  }
}

}  // namespace

project::InputRequest variableNamePrompt() { return {"新しく設定する変数の名前を入力してください", "変数名の入力", ""}; }

std::optional<project::Message> defineVariable(project::ProjectDocument& document, std::string_view name) {
  if (name.empty()) return std::nullopt;
  const auto& variables = document.project().variables;
  if (std::find(variables.begin(), variables.end(), name) != variables.end()) {
    return project::warning("同じ名前の変数がすでに定義されています");
  }
  document.insertVariable(variables.count() + 1, std::string(name));
  return std::nullopt;
}

VariableDeletionList openVariableDeletion(const project::Project& project, WorkListMode mode) {
  VariableDeletionList list;
  if (mode != WorkListMode::Idle) {
    list.refusal = workListBusyMessage();
    return list;
  }
  list.caption = kDeletionTitle;
  list.names.assign(project.variables.begin(), project.variables.end());
  return list;
}

project::Message variableDeletionQuestion(const project::Project& project, int variable) {
  return project::question(project.variables[variable] + std::string(project::kLineBreak) + "を、削除してもよろしいですか",
                           kDeletionTitle);
}

void deleteVariable(project::ProjectDocument& document, int variable, platform::Progress& progress) {
  if (!document.project().variables.contains(variable)) return;
  progress.show(kDeletionTitle);
  progress.setLabel("リストの再構築をしています...");
  progress.setMaximum(document.project().pageCount());
  progress.setValue(0);
  document.step(kDeletionTitle, [&] {
    document.removeVariable(variable);
    progress.setLabel("変数への参照を修正しています...");
    for (int position = 1; position <= document.project().pageCount(); ++position) {
      for (int slot = 0; slot < project::kButtonSlots; ++slot) {
        project::ButtonEvent button = document.project().pages[position].buttons[static_cast<std::size_t>(slot)];
        renumberVariables(button, variable);
        document.setButton(position, slot, button);
      }
      progress.setValue(position);
    }
  });
  progress.hide();
}

}  // namespace pryx::authoring
