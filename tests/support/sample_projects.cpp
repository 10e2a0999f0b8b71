#include "tests/support/sample_projects.h"

#include "platform/number_text.h"

#include <random>
#include <string>

namespace pryx::project::samples {
namespace {

using F = ButtonField;

class Generator {
 public:
  explicit Generator(const SampleOptions& options) : options_(options), random_(options.seed) {}

  Project run() {
    Project project = newProject();
    project.pages.clear();
    project.option(ProjectOption::MessageWait) = pick({"50", " 30", "0", "100"});
    project.option(ProjectOption::GameMode) = pick({"1", "2"});
    project.option(ProjectOption::EffectType) = pick({"0", "3", " 4"});
    project.option(ProjectOption::TransparentColour) = pick({"-1", "255", "0", "16777215", " 65280"});
    addResources(project, ResourceKind::Cg, ".BMP", 1 + between(0, 6));
    addResources(project, ResourceKind::Chr, ".bmp", between(0, 4));
    addResources(project, ResourceKind::Bgm, ".MID", between(0, 3));
    int variables = between(0, 6);
    for (int i = 1; i <= variables; ++i) {
      project.variables.append((plain() ? pick({"flag", "好感度"}) : pick({"flag", "好感度", "count,2", " edge"})) +
                               std::to_string(i));
    }
    for (int position = 1; position <= options_.pages; ++position) project.pages.append(page(project, position));
    return project;
  }

 private:
  bool plain() const { return options_.scriptCompatible; }
  int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool chance(int percent) { return between(1, 100) <= percent; }
  std::string pick(std::initializer_list<const char*> choices) {
    return *(choices.begin() + between(0, static_cast<int>(choices.size()) - 1));
  }

  void addResources(Project& project, ResourceKind kind, std::string_view extension, int count) {
    for (int i = 1; i <= count; ++i) {
      std::string name = (plain() ? pick({"bg", "背景"}) : pick({"bg", "背景", "room, night", "hall "})) + std::to_string(i);
      std::string folder = pick({"C:\\game\\pictures\\", "media/", "", "素材\\"});
      project.resources(kind).append({name, folder + "file" + std::to_string(i) + std::string(extension)});
    }
  }

  PageReference reference(int count) {
    if (plain()) return PageReference::number(between(0, count));
    switch (between(0, 2)) {
      case 0: return {};
      case 1: return PageReference::number(between(0, count));
      default: return PageReference::text(std::to_string(between(0, count)));
    }
  }

  std::string pageText() {
    switch (between(0, 4)) {
      case 0: return "";
      case 1: return "こんにちは、世界。";
      case 2: return "一行目\r\n二行目, with a comma \"and quotes\"";
      case 3: return "\r\n  indented line\r\n";
      default: return "{ braces } on a line\r\n} not alone";
    }
  }

  std::string number(int low, int high) { return platform::signPaddedDecimal(between(low, high)); }

  std::string value() {
    if (plain()) return std::to_string(between(-1, 12));
    return pick({"1", " 7", "-2", "abc", "1.5", "", "12 apples", "1e3"});
  }

  ButtonEvent button(const Project& project, int position, int pageCount) {
    ButtonEvent event;
    event[F::Caption] = plain() ? pick({"Go", "Left", "両側", "next_page"})
                                : pick({"Go", "_Left", "__両側", "one, two", " edge ", "next_page", "{", "@x"});
    int variables = project.variables.count();
    if (variables > 0 && chance(50)) {
      event[F::ConditionVariable1] = number(1, variables);
      event[F::Comparison1] = number(1, 3);
      event[F::ConditionValue1] = value();
      if (chance(50)) {
        event[F::Logic] = number(1, 3);
        event[F::ConditionVariable2] = number(1, variables);
        event[F::Comparison2] = number(1, 3);
        event[F::ConditionValue2] = value();
      } else {
        event[F::Logic] = "0";
      }
      event[F::ConditionTarget] = number(1, pageCount);
    }
    // Without a target the last page's button ends the game in a generated script.
    bool lastPage = position == pageCount;
    event[F::JumpTarget] = number(plain() && lastPage ? 1 : 0, pageCount);
    if (variables > 0 && chance(60)) {
      event[F::OperationTiming] = number(0, 1);
      event[F::OperationVariable] = number(1, variables);
      event[F::OperationOperator] = number(1, 6);
      event[F::OperationValue] = plain() ? std::to_string(between(1, 9)) : value();
    } else {
      event[F::OperationTiming] = "0";
    }
    return event;
  }

  Page page(const Project& project, int position) {
    Page page;
    page.name = plain() ? "page" + std::to_string(position)
                                          : pick({"Page-", "場面 ", "a,b", "_under", "@"}) + std::to_string(position % 7);
    page.text = pageText();
    page.backgroundCg = reference(project.cgs.count());
    page.character = reference(project.chrs.count());
    page.music = reference(project.bgms.count());
    PageOptions& options = page.options;
    if (chance(30)) {
      options.speedOn = true;
      options.speed = static_cast<std::int16_t>(between(0, 100));
    }
    if (chance(30)) {
      options.textColour = between(0, 0xFFFFFF);
      options.shadowColour = between(0, 0xFFFFFF);
    }
    options.quick = chance(20);
    if (chance(20)) (chance(50) ? options.saveSlot : options.loadSlot) = static_cast<std::int16_t>(between(1, 99));
    int buttons = between(0, 5);
    for (int slot = 0; slot < buttons; ++slot) page.buttons[static_cast<std::size_t>(slot)] = button(project, position, options_.pages);
    return page;
  }

  SampleOptions options_;
  std::mt19937 random_;
};

}  // namespace

Project sampleProject(const SampleOptions& options) { return Generator(options).run(); }

}  // namespace pryx::project::samples
