#include "project/game_file_build.h"

#include "project/button_rules.h"
#include "project/colour.h"

#include "platform/base_name.h"
#include "platform/number_text.h"
#include "platform/sjis.h"
#include "player/gamefile/header.h"
#include "player/gamefile/writer.h"

namespace pryx::project {
namespace {

using gamefile::GameFileWriter;
using gamefile::Opcode;

// The player passes over these two bytes; the builder has always written them after the wait.
constexpr std::uint8_t kUnusedSettings[] = {132, 134};
constexpr std::int64_t kMaxEffect = 4;
constexpr std::int64_t kWhite = 255;

std::int64_t optionValue(const Project& project, ProjectOption option) { return numericValue(project.option(option)); }

void writeOperation(GameFileWriter& out, const ButtonEvent& button) {
  VariableOperation operation = buttonOperation(button);
  out.instruction(Opcode::VarOp, {operation.variable, operation.operatorCode, gameOperand(operation)});
}

void writeColour(GameFileWriter& out, Opcode opcode, std::int64_t colour) {
  ColourBytes bytes = colourBytes(colour);
  out.instruction(opcode, {bytes.red, bytes.green, bytes.blue});
}

void writeHeader(GameFileWriter& out, const Project& project) {
  out.instruction(Opcode::Version, {gamefile::kPlayerMajorVersion, gamefile::kPlayerMinorVersion});
  const std::pair<ResourceKind, gamefile::ResourceKind> kinds[] = {{ResourceKind::Cg, gamefile::ResourceKind::Cg},
                                                                    {ResourceKind::Chr, gamefile::ResourceKind::Chr},
                                                                    {ResourceKind::Bgm, gamefile::ResourceKind::Bgm}};
  for (auto [kind, fileKind] : kinds) {
    int number = 0;
    for (const Resource& resource : project.resources(kind)) {
      std::string_view baseName = platform::resourceBaseName(resource.path, platform::TextEncoding::Utf8);
      out.defineResource(fileKind, ++number, platform::encodeSjis(baseName));
    }
  }
  out.instruction(Opcode::Wait, {optionValue(project, ProjectOption::MessageWait)});
  for (std::uint8_t unused : kUnusedSettings) out.noOperation(unused);
  out.instruction(Opcode::GameMode, {optionValue(project, ProjectOption::GameMode) == 1 ? 0 : 1});
  std::int64_t effect = optionValue(project, ProjectOption::EffectType);
  out.instruction(Opcode::Effect, {effect < 0 || effect > kMaxEffect ? 0 : effect});
  std::int64_t transparent = optionValue(project, ProjectOption::TransparentColour);
  if (transparent < 0) {
    out.instruction(Opcode::TColorA);
  } else {
    ColourBytes bytes = colourBytes(transparent);
    out.instruction(Opcode::TColorB, {bytes.blue, bytes.green, bytes.red});
  }
}

void writeCondition(GameFileWriter& out, const ButtonEvent& button) {
  ButtonCondition condition = buttonCondition(button);
  const Comparison& first = condition.first;
  const Comparison& second = condition.second;
  switch (conditionForm(condition, RuleReader::GameFile)) {
    case ConditionForm::None: break;
    case ConditionForm::OneComparison:
      out.instruction(Opcode::IfA, {first.variable, first.comparison, gameValue(first), condition.target});
      break;
    case ConditionForm::TwoComparisons:
      out.instruction(Opcode::IfB, {first.variable, first.comparison, gameValue(first), condition.logic,
                                    second.variable, second.comparison, gameValue(second), condition.target});
      break;
  }
}

void writeButtons(GameFileWriter& out, const Page& page, int position, int pageCount) {
  std::span<const ButtonEvent> buttons = buttonsInUse(page);
  if (buttons.empty()) {
    out.instruction(Opcode::End);
    return;
  }
  for (std::size_t slot = 0; slot < buttons.size(); ++slot) {
    const ButtonEvent& button = buttons[slot];
    out.button(position, static_cast<std::int64_t>(slot), platform::encodeSjis(displayedCaption(button.caption())));
    out.instruction(Opcode::BlockOpen);
    if (operationRuns(button, OperationTiming::ButtonPressed, RuleReader::GameFile)) writeOperation(out, button);
    writeCondition(out, button);
    out.instruction(Opcode::Jmp, {buttonJump(button, position, pageCount, RuleReader::GameFile).page});
    out.instruction(Opcode::BlockClose);
  }
}

void writePage(GameFileWriter& out, const Project& project, int position) {
  const Page& page = project.pages[position];
  out.label();
  for (const ButtonEvent& button : page.buttons) {
    if (operationRuns(button, OperationTiming::PageEntered, RuleReader::GameFile)) writeOperation(out, button);
  }
  out.instruction(Opcode::Bgm, {page.music.value()});
  out.instruction(Opcode::Cg, {page.backgroundCg.value()});
  out.instruction(Opcode::Chr, {page.character.value()});

  const PageOptions& options = page.options;
  if (options.speedOn) out.instruction(Opcode::Wait, {options.speed});
  if (options.changesColours()) {
    writeColour(out, Opcode::FColorL, options.textColour);
    writeColour(out, Opcode::FColorD, options.shadowColour);
  }
  if (options.quick) out.instruction(Opcode::Quick);
  if (options.saveSlot >= 1) out.instruction(Opcode::Save, {options.saveSlot});
  else if (options.loadSlot >= 1) out.instruction(Opcode::Load, {options.loadSlot});

  if (!page.text.empty()) out.text(position, platform::encodeSjis(page.text));

  if (options.speedOn) {
    out.instruction(Opcode::Wait,
                    {platform::wholePart(platform::leadingNumber(project.option(ProjectOption::MessageWait)))});
  }
  if (options.changesColours()) {
    out.instruction(Opcode::FColorL, {kWhite, kWhite, kWhite});
    out.instruction(Opcode::FColorD, {0, 0, 0});
  }
  writeButtons(out, page, position, project.pageCount());
  out.instruction(Opcode::EvtWait);
}

}  // namespace

std::vector<std::uint8_t> buildGameFile(const Project& project, platform::Progress& progress) {
  GameFileWriter out;
  writeHeader(out, project);
  for (int position = 1; position <= project.pageCount(); ++position) {
    writePage(out, project, position);
    progress.setValue(position);
  }
  return std::move(out).finish(gamefile::kBuilderPools);
}

std::string displayedCaption(std::string_view caption) {
  std::string shown(caption);
  for (char& c : shown) {
    if (c != '_') break;
    c = ' ';
  }
  return shown;
}

}  // namespace pryx::project
