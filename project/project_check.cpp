#include "project/project_check.h"

#include "project/button_rules.h"
#include "project/operators.h"
#include "project/story_graph.h"

#include "platform/ascii.h"
#include "platform/base_name.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "player/gamefile/header.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>

namespace pryx::project {
namespace {

using F = ButtonField;

constexpr std::int64_t kMaxByte = 255;
constexpr std::int64_t kMaxColour = 0xFFFFFF;

std::string inQuotes(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool hasShiftJisCodes(std::string_view text) {
  bool lossy = false;
  platform::encodeSjis(text, &lossy);
  return !lossy;
}

std::size_t shiftJisLength(std::string_view text) { return platform::encodeSjis(text).size(); }

std::string_view listName(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Cg: return "CG";
    case ResourceKind::Chr: return "CHR";
    case ResourceKind::Bgm: return "BGM";
  }
  return {};
}

std::string_view referenceName(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Cg: return "background CG";
    case ResourceKind::Chr: return "character";
    case ResourceKind::Bgm: return "music";
  }
  return {};
}

// The extensions the player appends to a resource's name when it looks for the file.
std::vector<std::string_view> playerExtensions(ResourceKind kind) {
  if (kind == ResourceKind::Cg) return {".BMP", ".JPG"};
  if (kind == ResourceKind::Chr) return {".BMP"};
  return {".MID"};
}

class Checker {
 public:
  Checker(const Project& project, std::string_view projectPath) : project_(project), projectPath_(projectPath) {}

  std::vector<Finding> run() && {
    if (project_.pageCount() == 0) note(0, 0, "the project has no pages: the player needs at least one label to start");
    checkOptions();
    for (ResourceKind kind : kResourceKinds) checkResources(kind);
    if (project_.variables.count() > gamefile::kMaxVariables) {
      note(0, 0, "the player keeps variables 1.." + std::to_string(gamefile::kMaxVariables) + " only; " +
                     std::to_string(project_.variables.count()) + " are defined");
    }
    for (int page = 1; page <= project_.pageCount(); ++page) checkPage(page);
    for (const StoryFinding& finding : storyFindings(project_, storyGraph(project_))) {
      findings_.push_back({finding.page, finding.button, storyFindingText(project_, finding),
                           finding.problem == StoryProblem::GameEndsHere});
    }
    return std::move(findings_);
  }

 private:
  void note(int page, int button, std::string text) { findings_.push_back({page, button, std::move(text)}); }

  void range(int page, int button, std::string_view what, std::int64_t value, std::int64_t low, std::int64_t high) {
    if (value >= low && value <= high) return;
    note(page, button, std::string(what) + " " + std::to_string(value) + " does not fit its field (" +
                           std::to_string(low) + ".." + std::to_string(high) + "); written as " +
                           std::to_string(std::clamp(value, low, high)));
  }

  // A field of type T whose top byte is 255 reads as -1: -2 down to the smallest such
  // value read as -1, and numbers below those lie outside what the format holds.
  template <typename T>
  void signedValue(int page, int button, std::string_view what, std::int64_t value) {
    constexpr std::int64_t kLowestReadAsMinusOne = -(std::int64_t{1} << (8 * (sizeof(T) - 1)));
    if (value >= -1 || value < std::numeric_limits<T>::min()) {
      range(page, button, what, value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
      return;
    }
    std::string prefix = std::string(what) + " " + std::to_string(value);
    if (value >= kLowestReadAsMinusOne) note(page, button, prefix + " is below -1: the player reads it as -1");
    else note(page, button, prefix + " is below " + std::to_string(kLowestReadAsMinusOne) + ": the game file holds no such number");
  }

  void text(int page, int button, std::string_view what, std::string_view value) {
    if (!hasShiftJisCodes(value)) note(page, button, std::string(what) + " holds characters without a Shift-JIS code; they become \"?\"");
  }

  void checkOptions() {
    range(0, 0, "message wait", numericValue(project_.option(ProjectOption::MessageWait)), 0, kMaxByte);
    std::int64_t mode = numericValue(project_.option(ProjectOption::GameMode));
    if (mode != 1 && mode != 2) {
      note(0, 0, "game mode " + std::to_string(mode) + " is neither 1 (normal) nor 2 (novel): the built game runs in novel mode");
    }
    std::int64_t effect = numericValue(project_.option(ProjectOption::EffectType));
    if (effect < 0 || effect > 4) note(0, 0, "effect type " + std::to_string(effect) + " is outside 0..4; written as 0");
    std::int64_t colour = numericValue(project_.option(ProjectOption::TransparentColour));
    if (colour > kMaxColour) note(0, 0, "transparent colour " + std::to_string(colour) + " is beyond 0xFFFFFF; written as white");
    if (colour < -1) note(0, 0, "transparent colour " + std::to_string(colour) + " is negative: the built game takes the picture's colour");
  }

  void checkResources(ResourceKind kind) {
    int number = 0;
    for (const Resource& resource : project_.resources(kind)) {
      std::string what = std::string(listName(kind)) + " " + std::to_string(++number) + " " + inQuotes(resource.name);
      text(0, 0, what + "'s name", resource.name);
      if (resource.path.empty()) {
        note(0, 0, what + " has no file");
        continue;
      }
      if (!projectPath_.empty() && !platform::fileExists(resourceFilePath(projectPath_, resource.path))) {
        note(0, 0, what + ": the file " + resource.path + " does not exist, so it cannot ship");
      }
      std::string fileName = platform::fileNameOf(resource.path);
      std::string base(platform::resourceBaseName(resource.path, platform::TextEncoding::Utf8));
      text(0, 0, what + "'s file name", fileName);
      auto extensions = playerExtensions(kind);
      std::string extension = platform::asciiUpperCase(fileName.substr(base.size()));
      if (std::find(extensions.begin(), extensions.end(), extension) == extensions.end()) {
        std::string looked;
        for (std::string_view wanted : extensions) looked += (looked.empty() ? "" : " or ") + inQuotes(base + std::string(wanted));
        note(0, 0, what + ": the player looks for " + looked + ", not " + inQuotes(fileName));
      }
      auto [first, added] = fileNames_.emplace(platform::asciiUpperCase(fileName), what);
      if (!added) note(0, 0, what + " has the same file name as " + first->second + ": only one of the two files ships");
    }
  }

  void checkReference(int page, ResourceKind kind, const PageReference& reference) {
    std::int64_t value = reference.value();
    int count = project_.resources(kind).count();
    if (value < 0 || value > count) {
      note(page, 0, std::string(referenceName(kind)) + " " + std::to_string(value) + " is not in the " +
                        std::string(listName(kind)) + " list (" + std::to_string(count) + " entries)");
    }
  }

  void checkPage(int position) {
    const Page& page = project_.pages[position];
    text(position, 0, "the page name", page.name);
    for (ResourceKind kind : kResourceKinds) checkReference(position, kind, referenceTo(page, kind));
    const PageOptions& options = page.options;
    if (options.speedOn) range(position, 0, "page speed", options.speed, 0, kMaxByte);
    if (options.changesColours()) {
      range(position, 0, "text colour", options.textColour, 0, kMaxColour);
      range(position, 0, "shadow colour", options.shadowColour, 0, kMaxColour);
    }
    std::int64_t slot = options.saveSlot >= 1 ? options.saveSlot : options.loadSlot;
    if (slot > kMaxPageSlot) note(position, 0, "save/load slot " + std::to_string(slot) + " is outside 1..99");
    text(position, 0, "the page text", page.text);
    std::size_t length = shiftJisLength(page.text);
    if (length > static_cast<std::size_t>(gamefile::kMaxTextBytes)) {
      note(position, 0, "the page text is " + std::to_string(length) + " bytes long; only the first " +
                            std::to_string(gamefile::kMaxTextBytes) + " are written");
    }
    bool ended = false;
    for (int slotIndex = 0; slotIndex < kButtonSlots; ++slotIndex) {
      const ButtonEvent& button = page.buttons[static_cast<std::size_t>(slotIndex)];
      int number = slotIndex + 1;
      if (!button.inUse()) {
        if (button.number(F::OperationTiming) == 1 && button.number(F::OperationVariable) != 0) {
          note(position, number, "the button has no caption, so its page-entry operation is left out");
        }
        ended = true;
      } else if (ended) {
        note(position, number, "the button is left out: a button before it has no caption");
      } else {
        checkButton(position, number, button);
      }
    }
  }

  void checkVariable(int page, int button, std::string_view what, std::int64_t variable) {
    if (variable < 0 || variable > project_.variables.count()) {
      note(page, button, std::string(what) + " " + std::to_string(variable) + " is not defined (" +
                             std::to_string(project_.variables.count()) + " variables)");
    }
  }

  void checkOperator(int page, int button, std::string_view what, std::int64_t code, std::size_t listSize) {
    if (code < 0 || code >= static_cast<std::int64_t>(listSize)) {
      note(page, button, std::string(what) + " " + std::to_string(code) + " is not an operator: the player ignores it");
    }
  }

  void checkButton(int page, int number, const ButtonEvent& button) {
    std::size_t captionLength = shiftJisLength(button.caption());
    if (captionLength > static_cast<std::size_t>(gamefile::kMaxCaptionBytes)) {
      note(page, number, "the caption is " + std::to_string(captionLength) + " bytes long; only the first " +
                             std::to_string(gamefile::kMaxCaptionBytes) + " are written");
    }
    text(page, number, "the caption", button.caption());
    checkCondition(page, number, button);

    std::int64_t timing = button.number(F::OperationTiming), variable = button.number(F::OperationVariable);
    if (variable == 0) return;
    checkVariable(page, number, "operation variable", variable);
    checkOperator(page, number, "operation operator", button.number(F::OperationOperator), kAssignmentOperators.size());
    signedValue<std::int16_t>(page, number, "operation value", button.number(F::OperationValue));
    if (timing != 0 && timing != 1) {
      note(page, number, "operation timing " + std::to_string(timing) + " is neither 0 nor 1: the operation is left out");
    } else if (timing == 0 && button.number(F::OperationOperator) == 0) {
      note(page, number, "the operation has no operator and is left out");
    }
  }

  void checkCondition(int page, int number, const ButtonEvent& button) {
    ButtonCondition condition = buttonCondition(button);
    const Comparison& first = condition.first;
    const Comparison& second = condition.second;
    if (first.variable == 0 && first.comparison == 0 && condition.logic == 0) return;
    ConditionForm form = conditionForm(condition, RuleReader::GameFile);
    if (form == ConditionForm::None) {
      note(page, number, "the condition is incomplete and is left out");
      return;
    }
    checkVariable(page, number, "condition variable", first.variable);
    checkOperator(page, number, "comparison", first.comparison, kComparisonOperators.size());
    signedValue<std::int32_t>(page, number, "condition value", numericValue(first.value));
    if (form == ConditionForm::TwoComparisons) {
      checkOperator(page, number, "logic operator", condition.logic, kLogicOperators.size());
      checkVariable(page, number, "second condition variable", second.variable);
      checkOperator(page, number, "second comparison", second.comparison, kComparisonOperators.size());
      signedValue<std::int32_t>(page, number, "second condition value", numericValue(second.value));
    }
    if (condition.target == 0) note(page, number, "the condition has no target page: when it holds, nothing happens");
  }

  const Project& project_;
  std::string_view projectPath_;
  std::vector<Finding> findings_;
  std::map<std::string, std::string> fileNames_;
};

}  // namespace

std::vector<Finding> checkProject(const Project& project, std::string_view projectPath) {
  return Checker(project, projectPath).run();
}

std::string describe(const Project& project, const Finding& finding) {
  std::string text;
  if (const Page* page = project.pages.find(finding.page)) {
    text = "page " + std::to_string(finding.page) + " " + inQuotes(page->name);
    if (finding.button > 0) text += ", button " + std::to_string(finding.button);
    text += ": ";
  }
  return text + finding.text;
}

}  // namespace pryx::project
