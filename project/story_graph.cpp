#include "project/story_graph.h"

#include "project/button_rules.h"

#include <map>
#include <set>
#include <span>
#include <string>

namespace pryx::project {
namespace {

// Loads and saves of the page options are left out: a load only returns to a place
// a save recorded, which a route had reached before.
void addJumps(StoryGraph& graph, const Page& page, int position) {
  std::span<const ButtonEvent> buttons = buttonsInUse(page);
  std::vector<StoryJump>& jumps = graph.jumpsFrom[static_cast<std::size_t>(position)];
  for (std::size_t slot = 0; slot < buttons.size(); ++slot) {
    const ButtonEvent& button = buttons[slot];
    const int number = static_cast<int>(slot) + 1;
    ButtonCondition condition = buttonCondition(button);
    if (conditionForm(condition, RuleReader::GameFile) != ConditionForm::None && condition.target != 0) {
      jumps.push_back({position, number, JumpKind::Then, condition.target});
    }
    jumps.push_back({position, number, JumpKind::Goto, buttonJump(button, position, graph.pageCount, RuleReader::GameFile).page});
  }
}

void markReachable(StoryGraph& graph) {
  graph.reachable.assign(static_cast<std::size_t>(graph.pageCount) + 1, false);
  if (graph.pageCount == 0) return;
  std::vector<int> waiting = {1};
  graph.reachable[1] = true;
  while (!waiting.empty()) {
    int page = waiting.back();
    waiting.pop_back();
    for (const StoryJump& jump : graph.jumpsFrom[static_cast<std::size_t>(page)]) {
      if (!graph.leadsToAPage(jump) || graph.reachable[static_cast<std::size_t>(jump.to)]) continue;
      graph.reachable[static_cast<std::size_t>(jump.to)] = true;
      waiting.push_back(static_cast<int>(jump.to));
    }
  }
}

// Where each variable is first tested, and which ones an operation sets, as the
// built game runs them.
class VariableUse {
 public:
  explicit VariableUse(const Project& project) : defined_(project.variables.count()) {}

  void read(const Page& page, int position) {
    std::span<const ButtonEvent> buttons = buttonsInUse(page);
    for (std::size_t slot = 0; slot < buttons.size(); ++slot) {
      const ButtonEvent& button = buttons[slot];
      ButtonCondition condition = buttonCondition(button);
      ConditionForm form = conditionForm(condition, RuleReader::GameFile);
      const int number = static_cast<int>(slot) + 1;
      if (form != ConditionForm::None) tested(condition.first.variable, position, number);
      if (form == ConditionForm::TwoComparisons) tested(condition.second.variable, position, number);
      if (operationRuns(button, OperationTiming::ButtonPressed, RuleReader::GameFile)) set(button);
    }
    for (const ButtonEvent& button : page.buttons) {
      if (operationRuns(button, OperationTiming::PageEntered, RuleReader::GameFile)) set(button);
    }
  }

  void report(std::vector<StoryFinding>& findings) const {
    for (const auto& [variable, place] : firstTests_) {
      if (set_.count(variable) == 0) {
        findings.push_back({StoryProblem::TestedNeverSet, place.first, place.second, 0, JumpKind::Goto, variable});
      }
    }
  }

 private:
  bool defined(std::int64_t variable) const { return variable >= 1 && variable <= defined_; }
  void tested(std::int64_t variable, int page, int button) {
    if (defined(variable)) firstTests_.try_emplace(variable, page, button);
  }
  void set(const ButtonEvent& button) {
    std::int64_t variable = buttonOperation(button).variable;
    if (defined(variable)) set_.insert(variable);
  }

  int defined_;
  std::map<std::int64_t, std::pair<int, int>> firstTests_;
  std::set<std::int64_t> set_;
};

}  // namespace

StoryGraph storyGraph(const Project& project) {
  StoryGraph graph;
  graph.pageCount = project.pageCount();
  graph.jumpsFrom.resize(static_cast<std::size_t>(graph.pageCount) + 1);
  for (int page = 1; page <= graph.pageCount; ++page) addJumps(graph, project.pages[page], page);
  markReachable(graph);
  return graph;
}

std::vector<StoryFinding> storyFindings(const Project& project, const StoryGraph& graph) {
  std::vector<StoryFinding> findings;
  VariableUse variables(project);
  for (int page = 1; page <= graph.pageCount; ++page) {
    if (!graph.reachable[static_cast<std::size_t>(page)]) findings.push_back({StoryProblem::Unreachable, page});
    const std::vector<StoryJump>& jumps = graph.jumpsFrom[static_cast<std::size_t>(page)];
    if (jumps.empty()) findings.push_back({StoryProblem::GameEndsHere, page});
    for (const StoryJump& jump : jumps) {
      if (!graph.leadsToAPage(jump)) {
        findings.push_back({StoryProblem::JumpToNoPage, page, jump.button, jump.to, jump.kind});
      }
    }
    variables.read(project.pages[page], page);
  }
  variables.report(findings);
  return findings;
}

std::string storyFindingText(const Project& project, const StoryFinding& finding, TextLanguage language) {
  const bool japanese = language == TextLanguage::Japanese;
  switch (finding.problem) {
    case StoryProblem::Unreachable:
      return japanese ? "ページ1からたどり着けないページです" : "no route from page 1 reaches the page";
    case StoryProblem::GameEndsHere:
      return japanese ? "ボタンがありません。ゲームはここで終わります" : "the page has no button: the game ends here";
    case StoryProblem::JumpToNoPage: {
      const std::string target = std::to_string(finding.target);
      const std::string pages = std::to_string(project.pageCount());
      if (japanese) {
        return std::string(finding.kind == JumpKind::Then ? "THEN GOTO" : "GOTO") + " のページ " + target +
               " はありません（" + pages + " ページ）";
      }
      return std::string(finding.kind == JumpKind::Then ? "condition target " : "jump target ") + target +
             " is not a page (" + pages + " pages)";
    }
    case StoryProblem::TestedNeverSet: {
      const std::string* name = project.variables.find(finding.variable);
      const std::string quoted = "\"" + (name ? *name : std::string()) + "\"";
      if (japanese) {
        return "変数 " + std::to_string(finding.variable) + " " + quoted + " は比べられるだけで値が入りません（いつも 0）";
      }
      return "variable " + std::to_string(finding.variable) + " " + quoted + " is tested but never set: it is always 0";
    }
  }
  return {};
}

}  // namespace pryx::project
