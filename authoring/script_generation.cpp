#include "authoring/script_generation.h"

#include "project/button_rules.h"
#include "project/colour.h"
#include "project/message.h"
#include "project/operators.h"

#include "platform/number_text.h"
#include "platform/paths.h"
#include "player/gamefile/header.h"

#include <filesystem>

namespace pryx::authoring {
namespace {

using platform::plainDecimal;
using platform::signPaddedDecimal;
using project::ButtonEvent;
using project::numericValue;
using project::OperationTiming;
using project::ProjectOption;
using project::RuleReader;

constexpr std::string_view kCaption = "データの作成中";
constexpr std::string_view kLabel = "プログラムの変換作業を行っています...";

class Script {
 public:
  Script(const project::Project& project, std::string_view projectPath) : project_(project), projectPath_(projectPath) {}

  void line(std::string_view text) {
    if (!started_) started_ = true;
    else text_ += project::kLineBreak;
    text_ += text;
  }

  void header() {
    line("@VERSION," + plainDecimal(gamefile::kPlayerMajorVersion) + "," + plainDecimal(gamefile::kPlayerMinorVersion));
    const std::pair<project::ResourceKind, std::string_view> kinds[] = {
        {project::ResourceKind::Cg, "@DEF,CG,"}, {project::ResourceKind::Chr, "@DEF,CHR,"}, {project::ResourceKind::Bgm, "@DEF,BGM,"}};
    for (auto [kind, command] : kinds) {
      for (const project::Resource& resource : project_.resources(kind)) {
        line(std::string(command) + resource.name + "," + scriptPath(resource.path));
      }
    }
    for (const std::string& variable : project_.variables) line("@DEF,PARAM," + variable);
    line("@WAIT," + project_.option(ProjectOption::MessageWait));
    line("@GAMEMODE," + project_.option(ProjectOption::GameMode));
    line("@EFFECT," + project_.option(ProjectOption::EffectType));
    std::int64_t colour = numericValue(project_.option(ProjectOption::TransparentColour));
    if (colour == -1) {
      line("@TCOLORA");
    } else {
      project::ColourParts parts = project::colourParts(colour);
      line("@TCOLORB," + signPaddedDecimal(parts.blue) + "," + signPaddedDecimal(parts.green) + "," +
           signPaddedDecimal(parts.red));
    }
  }

  void page(int position) {
    const project::Page& page = project_.pages[position];
    line("#," + page.name);
    for (const ButtonEvent& button : page.buttons) {
      if (project::operationRuns(button, OperationTiming::PageEntered, RuleReader::Script)) operation(button);
    }
    line("@CG," + resourceName(project::ResourceKind::Cg, page.backgroundCg));
    line("@CHR," + resourceName(project::ResourceKind::Chr, page.character));
    line("@BGM," + resourceName(project::ResourceKind::Bgm, page.music));

    const project::PageOptions& options = page.options;
    if (options.speedOn) line("@WAIT," + signPaddedDecimal(options.speed));
    if (options.changesColours()) {
      line("@FCOLORL," + colour(options.textColour));
      line("@FCOLORD," + colour(options.shadowColour));
    }
    if (options.quick) line("@QUICK");
    if (options.saveSlot >= 1) line("@SAVE," + signPaddedDecimal(options.saveSlot));
    else if (options.loadSlot >= 1) line("@LOAD," + signPaddedDecimal(options.loadSlot));
    if (!page.text.empty()) {
      line("@TEXT,{");
      line(page.text);
      line("}");
    }
    if (options.speedOn) line("@WAIT," + project_.option(ProjectOption::MessageWait));
    if (options.changesColours()) {
      line("@FCOLORL,255,255,255");
      line("@FCOLORD,0,0,0");
    }
    buttons(position, page);
  }

  std::string finish() && { return std::move(text_); }

 private:
  // Position 0 and positions past the end of a list give an empty name.
  std::string pageName(std::int64_t position) const {
    const project::Page* page = project_.pages.find(position);
    return page ? page->name : std::string();
  }
  std::string variableName(std::int64_t position) const {
    const std::string* name = project_.variables.find(position);
    return name ? *name : std::string();
  }
  std::string resourceName(project::ResourceKind kind, const project::PageReference& reference) const {
    const project::Resource* resource = project_.resources(kind).find(reference.value());
    return resource ? resource->name : std::string();
  }
  static std::string operatorText(std::span<const std::string_view> list, std::int64_t position) {
    return std::string(project::operatorAt(list, position));
  }

  static std::string colour(std::int32_t value) {
    project::ColourBytes bytes = project::lowestColourBytes(value);
    return plainDecimal(bytes.red) + "," + plainDecimal(bytes.green) + "," + plainDecimal(bytes.blue);
  }

  void operation(const ButtonEvent& button) {
    project::VariableOperation assignment = project::buttonOperation(button);
    line("@," + variableName(assignment.variable) + "," +
         operatorText(project::kAssignmentOperators, assignment.operatorCode) + "," + std::string(assignment.value));
  }

  std::string comparison(const project::Comparison& part) const {
    return variableName(part.variable) + "," + operatorText(project::kComparisonOperators, part.comparison) + "," +
           std::string(part.value);
  }

  void condition(const ButtonEvent& button) {
    project::ButtonCondition branch = project::buttonCondition(button);
    switch (project::conditionForm(branch, RuleReader::Script)) {
      case project::ConditionForm::None: break;
      case project::ConditionForm::OneComparison:
        line("@IFA," + comparison(branch.first) + "," + pageName(branch.target));
        break;
      case project::ConditionForm::TwoComparisons:
        line("@IFB," + comparison(branch.first) + "," + operatorText(project::kLogicOperators, branch.logic) + "," +
             comparison(branch.second) + "," + pageName(branch.target));
        break;
    }
  }

  // A page without a first button ends the game; otherwise it waits for a choice.
  void buttons(int position, const project::Page& page) {
    std::span<const ButtonEvent> inUse = project::buttonsInUse(page);
    int written = 0;
    for (const ButtonEvent& button : inUse) {
      line("@BTN," + signPaddedDecimal(++written) + "," + button.caption() + ",{");
      if (project::operationRuns(button, OperationTiming::ButtonPressed, RuleReader::Script)) operation(button);
      condition(button);
      project::Jump jump = project::buttonJump(button, position, project_.pageCount(), RuleReader::Script);
      line(jump.endsGame ? std::string("@END") : "@JMP," + pageName(jump.page));
      line("}");
    }
    line(inUse.empty() ? "@END" : "@EVTWAIT");
  }

  // A path relative to the project file's folder as the absolute path of its file.
  std::string scriptPath(const std::string& path) const {
    if (projectPath_.empty() || path.empty() || platform::isAbsolutePath(path)) return path;
    return platform::fromFsPath(std::filesystem::absolute(platform::toFsPath(project::resourceFilePath(projectPath_, path))));
  }

  const project::Project& project_;
  std::string_view projectPath_;
  std::string text_;
  bool started_ = false;
};

}  // namespace

std::string generateScript(const project::Project& project, platform::Progress& progress, std::string_view projectPath) {
  progress.show(kCaption);
  progress.setLabel(kLabel);
  progress.setMaximum(project.pageCount());
  Script script(project, projectPath);
  script.header();
  for (int position = 1; position <= project.pageCount(); ++position) {
    script.page(position);
    progress.setValue(position);
  }
  progress.hide();
  return std::move(script).finish();
}

}  // namespace pryx::authoring
