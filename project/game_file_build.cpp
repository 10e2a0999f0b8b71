#include "project/game_file_build.h"

#include "platform/number_text.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "player/gamefile/header.h"
#include "player/gamefile/writer.h"

#include <algorithm>

namespace pryx::project {
namespace {

using gamefile::GameFileWriter;
using gamefile::Opcode;
using F = ButtonField;

// The player passes over these two bytes; the builder has always written them after the wait.
constexpr std::uint8_t kUnusedSettings[] = {132, 134};
constexpr std::int64_t kMaxEffect = 4;
constexpr std::int64_t kWhite = 255;

std::int64_t optionValue(const Project& project, ProjectOption option) { return numericValue(project.option(option)); }

void writeOperation(GameFileWriter& out, const ButtonEvent& button) {
  out.instruction(Opcode::VarOp, {button.number(F::OperationVariable), button.number(F::OperationOperator),
                                  button.number(F::OperationValue)});
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
      out.defineResource(fileKind, ++number, platform::encodeSjis(resourceBaseName(resource.path)));
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
  std::int64_t variable1 = button.number(F::ConditionVariable1), comparison1 = button.number(F::Comparison1);
  std::int64_t logic = button.number(F::Logic);
  std::int64_t variable2 = button.number(F::ConditionVariable2), comparison2 = button.number(F::Comparison2);
  if (variable1 == 0 || comparison1 == 0) return;
  if (logic == 0) {
    out.instruction(Opcode::IfA, {variable1, comparison1, button.number(F::ConditionValue1), button.number(F::ConditionTarget)});
  } else if (variable2 != 0 && comparison2 != 0) {
    out.instruction(Opcode::IfB, {variable1, comparison1, button.number(F::ConditionValue1), logic, variable2, comparison2,
                                  button.number(F::ConditionValue2), button.number(F::ConditionTarget)});
  }
}

void writeButtons(GameFileWriter& out, const Page& page, int position, int pageCount) {
  if (!page.buttons[0].inUse()) {
    out.instruction(Opcode::End);
    return;
  }
  for (int slot = 0; slot < kButtonSlots; ++slot) {
    const ButtonEvent& button = page.buttons[static_cast<std::size_t>(slot)];
    if (!button.inUse()) break;
    out.button(position, slot, platform::encodeSjis(displayedCaption(button.caption())));
    out.instruction(Opcode::BlockOpen);
    if (button.number(F::OperationTiming) == 0 && button.number(F::OperationVariable) != 0 &&
        button.number(F::OperationOperator) != 0) {
      writeOperation(out, button);
    }
    writeCondition(out, button);
    std::int64_t target = button.number(F::JumpTarget);
    if (target == 0) target = position < pageCount ? position + 1 : pageCount;
    out.instruction(Opcode::Jmp, {target});
    out.instruction(Opcode::BlockClose);
  }
}

void writePage(GameFileWriter& out, const Project& project, int position) {
  const Page& page = project.pages[position];
  out.label();
  for (const ButtonEvent& button : page.buttons) {
    if (button.inUse() && button.number(F::OperationTiming) == 1 && button.number(F::OperationVariable) != 0) {
      writeOperation(out, button);
    }
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

std::string resourceBaseName(std::string_view path) {
  std::string name = platform::fileNameOf(path);
  std::size_t end = name.size();
  for (int dropped = 0; dropped < 4; ++dropped) {
    if (end == 0) return {};
    --end;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;  // inside a UTF-8 character
  }
  return name.substr(0, end);
}

std::string displayedCaption(std::string_view caption) {
  std::string shown(caption);
  for (char& c : shown) {
    if (c != '_') break;
    c = ' ';
  }
  return shown;
}

ColourBytes colourBytes(std::int64_t colour) {
  auto value = static_cast<std::uint32_t>(std::clamp<std::int64_t>(colour, 0, 0xFFFFFF));
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value >> 16)};
}

}  // namespace pryx::project
