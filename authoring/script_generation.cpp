#include "authoring/script_generation.h"

#include "project/message.h"
#include "project/operators.h"

#include "platform/number_text.h"
#include "player/gamefile/header.h"

namespace pryx::authoring {
namespace {

using platform::plainDecimal;
using platform::signPaddedDecimal;
using project::ButtonEvent;
using project::numericValue;
using project::ProjectOption;
using F = project::ButtonField;

constexpr std::string_view kCaption = "データの作成中";
constexpr std::string_view kLabel = "プログラムの変換作業を行っています...";

// The integer part of a / b, toward minus infinity.
std::int64_t floorDivision(std::int64_t a, std::int64_t b) {
  std::int64_t quotient = a / b;
  return a % b != 0 && (a < 0) != (b < 0) ? quotient - 1 : quotient;
}

class Script {
 public:
  explicit Script(const project::Project& project) : project_(project) {}

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
        line(std::string(command) + resource.name + "," + resource.path);
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
      std::int64_t blue = floorDivision(colour, 65536);
      std::int64_t green = floorDivision(colour - 65536 * blue, 256);
      std::int64_t red = colour - 65536 * blue - 256 * green;
      line("@TCOLORB," + signPaddedDecimal(blue) + "," + signPaddedDecimal(green) + "," + signPaddedDecimal(red));
    }
  }

  void page(int position) {
    const project::Page& page = project_.pages[position];
    line("#," + page.name);
    for (const ButtonEvent& button : page.buttons) {
      if (button.number(F::OperationTiming) == 1 && button.number(F::OperationVariable) > 0 &&
          !button[F::OperationOperator].empty()) {
        operation(button);
      }
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
    auto bits = static_cast<std::uint32_t>(value);
    return plainDecimal(bits & 0xFF) + "," + plainDecimal((bits >> 8) & 0xFF) + "," + plainDecimal((bits >> 16) & 0xFF);
  }

  void operation(const ButtonEvent& button) {
    line("@," + variableName(button.number(F::OperationVariable)) + "," +
         operatorText(project::kAssignmentOperators, button.number(F::OperationOperator)) + "," +
         button[F::OperationValue]);
  }

  void condition(const ButtonEvent& button) {
    std::int64_t variable1 = button.number(F::ConditionVariable1), comparison1 = button.number(F::Comparison1);
    std::int64_t logic = button.number(F::Logic);
    std::int64_t variable2 = button.number(F::ConditionVariable2), comparison2 = button.number(F::Comparison2);
    if (variable1 <= 0 || comparison1 <= 0) return;
    std::string first = variableName(variable1) + "," +
                        operatorText(project::kComparisonOperators, comparison1) + "," +
                        button[F::ConditionValue1] + ",";
    std::string target = pageName(button.number(F::ConditionTarget));
    if (logic <= 0) {
      line("@IFA," + first + target);
    } else if (variable2 > 0 && comparison2 > 0) {
      line("@IFB," + first + operatorText(project::kLogicOperators, logic) + "," +
           variableName(variable2) + "," +
           operatorText(project::kComparisonOperators, comparison2) + "," +
           button[F::ConditionValue2] + "," + target);
    }
  }

  // A page without a first button ends the game; otherwise it waits for a choice.
  void buttons(int position, const project::Page& page) {
    int written = 0;
    for (const ButtonEvent& button : page.buttons) {
      if (!button.inUse()) break;
      line("@BTN," + signPaddedDecimal(++written) + "," + button.caption() + ",{");
      if (button.number(F::OperationOperator) > 0 && button.number(F::OperationTiming) == 0 &&
          button.number(F::OperationVariable) > 0) {
        operation(button);
      }
      condition(button);
      std::int64_t target = button.number(F::JumpTarget);
      if (target > 0) line("@JMP," + pageName(target));
      else if (position + 1 > project_.pageCount()) line("@END");
      else line("@JMP," + pageName(position + 1));
      line("}");
    }
    line(written == 0 ? "@END" : "@EVTWAIT");
  }

  const project::Project& project_;
  std::string text_;
  bool started_ = false;
};

}  // namespace

std::string generateScript(const project::Project& project, platform::Progress& progress) {
  progress.show(kCaption);
  progress.setLabel(kLabel);
  progress.setMaximum(project.pageCount());
  Script script(project);
  script.header();
  for (int position = 1; position <= project.pageCount(); ++position) {
    script.page(position);
    progress.setValue(position);
  }
  progress.hide();
  return std::move(script).finish();
}

}  // namespace pryx::authoring
