#include "script/translator.h"

#include <array>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/ascii.h"
#include "platform/number_text.h"
#include "player/gamefile/code_error.h"
#include "player/gamefile/header.h"
#include "player/gamefile/writer.h"
#include "script/commands.h"

namespace pryx::script {
namespace {

using gamefile::FieldType;
using gamefile::Opcode;
using gamefile::OperandRole;
using gamefile::ResourceKind;

// One operand as written, or an empty text with the command's line when the script
// ended before it.
struct Written {
  std::string_view text;
  int line;
};

struct FieldRange {
  std::int64_t low, high;
};

FieldRange rangeOf(FieldType type) {
  switch (type) {
    case FieldType::Byte: return {0, 255};
    case FieldType::Int16: return {-32768, 32767};
    default:
      return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
  }
}

std::int64_t held(std::int64_t value, const FieldRange& range) {
  return value < range.low ? range.low : value > range.high ? range.high : value;
}

std::uint8_t codeOf(std::string_view text, std::string_view (*textOfCode)(int), int lastCode) {
  for (int code = 1; code <= lastCode; ++code) {
    if (text == textOfCode(code)) return static_cast<std::uint8_t>(code);
  }
  return 0;
}

// "!=" is the not-equal of the editor's generated scripts.
std::uint8_t comparisonCode(std::string_view text) {
  if (text == "!=") return gamefile::comparison::NotEqual;
  return codeOf(text, gamefile::comparisonText, gamefile::comparison::NotEqual);
}

std::string_view resourceWord(ResourceKind kind) {
  static constexpr std::string_view kWords[] = {"CG", "CHR", "BGM"};
  return kWords[static_cast<std::size_t>(kind)];
}

class Translator {
 public:
  Translator(std::string_view script, const Definitions& definitions, PassProgress& progress, Findings* findings)
      : script_(script),
        reader_(script, findings),
        definitions_(definitions),
        progress_(progress),
        findings_(findings) {
    reserveFor(script);
  }

  // Collecting the definitions as it goes; never with findings.
  Translator(std::string_view script, const ResourceHook& onResource, PassProgress& progress)
      : script_(script),
        reader_(script),
        collector_(std::in_place, onResource, nullptr),
        definitions_(collector_->definitions()),
        progress_(progress),
        findings_(nullptr) {
    reserveFor(script);
    // Room for a name further down every 64 bytes; the pages left unused are never touched.
    laterNames_.reserve(script.size() / 64);
  }

  platform::LargeBytes run() {
    translateAll();
    return finish();
  }

  platform::LargeBytes runInOnePass(const std::function<void()>& betweenPasses, PassProgress& fillingIn) {
    translateAll();
    if (betweenPasses) betweenPasses();
    for (const LaterName& later : laterNames_) {
      std::string_view name = script_.substr(later.nameOffset, later.nameSize);
      if (int number = table(later.names).find(name)) writer_.patchField(later.at, later.type, number);
      fillingIn.reached(later.nameOffset);
    }
    return finish();
  }

 private:
  // An operand naming what was not defined when it was met, written as 0. Kept
  // small: a long script may name tens of thousands of labels further down.
  struct LaterName {
    std::uint32_t nameOffset;  // in the script
    std::uint32_t nameSize;
    std::uint32_t at;  // of its field in the game file (scripts are read up to 256 MB)
    std::uint8_t names;  // the table: ResourceKind, or kLabels or kVariables
    FieldType type;
  };
  static constexpr std::uint8_t kLabels = 3, kVariables = 4;

  void reserveFor(std::string_view script) {
    // Commands take fewer bytes in the game file than in the script, and the texts
    // the same: the script's size is room enough.
    writer_.reserve(script.size());
  }

  void translateAll() {
    while (auto command = reader_.next()) {
      if (collector_) collector_->take(*command);
      if (findings_) followButtonBody(*command);
      switch (command->keyword->form) {
        case CommandForm::Plain: plain(*command); break;
        case CommandForm::Definition: definition(*command); break;
        case CommandForm::Label: writer_.label(); break;
        case CommandForm::Text: text(*command); break;
        case CommandForm::Button: button(*command); break;
      }
      progress_.reached(reader_.position());
    }
    if (findings_) reportWhole();
  }

  platform::LargeBytes finish() { return std::move(writer_).finishInPlace(gamefile::kCompilerPools); }

  Written operand(const ScriptCommand& command, std::size_t i) const {
    if (i < command.operands.size()) return {command.operands[i].text(), command.operands[i].line()};
    return {{}, command.word->line()};
  }

  std::string nameOf(const ScriptCommand& command) const { return std::string(command.keyword->text); }

  void plain(const ScriptCommand& command) {
    Opcode opcode = command.keyword->opcode;
    const gamefile::Instruction& entry = gamefile::instruction(opcode);
    std::array<std::int64_t, 8> values{};
    std::array<LaterName, 8> later;
    std::size_t laterCount = 0;
    std::int64_t at = writer_.position() + gamefile::kFirstOperandOffset;
    for (std::size_t i = 0; i < entry.operands.size(); ++i) {
      const gamefile::Operand& field = entry.operands[i];
      Written written = operand(command, i);
      if (field.role == OperandRole::SaveSlot && !keepsSlot(command, written)) return;
      unresolved_.reset();
      values[i] = value(command, field, written);
      if (unresolved_) later[laterCount++] = laterName(written.text, at, *unresolved_, field.type);
      at += gamefile::fieldSize(field.type);
    }
    writer_.instruction(opcode, std::span<const std::int64_t>(values.data(), entry.operands.size()));
    laterNames_.insert(laterNames_.end(), later.begin(), later.begin() + static_cast<std::ptrdiff_t>(laterCount));
    if (opcode == Opcode::EvtWait) ++buttonGroup_;
  }

  // "@SAVE" and "@LOAD" are written only for slots 1 to 99.
  bool keepsSlot(const ScriptCommand& command, Written written) {
    std::int64_t slot = platform::leadingWholeNumber(written.text);
    if (slot > 0 && slot < 100) return true;
    if (findings_)
      report(written.line, FindingKind::SlotOutside, {nameOf(command), std::to_string(slot)});
    return false;
  }

  std::int64_t value(const ScriptCommand& command, const gamefile::Operand& field, Written written) {
    switch (field.role) {
      case OperandRole::CgNumber: return resourceNumber(ResourceKind::Cg, written);
      case OperandRole::ChrNumber: return resourceNumber(ResourceKind::Chr, written);
      case OperandRole::BgmNumber: return resourceNumber(ResourceKind::Bgm, written);
      case OperandRole::LabelNumber: return labelNumber(written);
      case OperandRole::VariableNumber: return variableNumber(written);
      case OperandRole::Comparison: {
        std::uint8_t code = comparisonCode(written.text);
        if (!code && findings_) {
          report(written.line, FindingKind::NoComparison, {quoted(written.text)});
        }
        return code;
      }
      case OperandRole::Logic: {
        std::uint8_t code = codeOf(written.text, gamefile::logicText, gamefile::logic::Neither);
        if (!code && findings_) {
          report(written.line, FindingKind::NoLogic, {quoted(written.text)});
        }
        return code;
      }
      case OperandRole::Operator: {
        std::uint8_t code = codeOf(written.text, gamefile::operationText, gamefile::operation::Random);
        if (!code && findings_) {
          report(written.line, FindingKind::NoOperation, {quoted(written.text)});
        }
        return code;
      }
      case OperandRole::GameMode: {
        std::int64_t mode = number(command, FieldType::Byte, written);
        if (mode != 1 && mode != 2 && findings_) {
          report(written.line, FindingKind::GameModeUnknown, {std::to_string(mode)});
        }
        return mode == 2 ? 1 : 0;
      }
      default: return number(command, field.type, written);
    }
  }

  // A number as typed, held inside its field; negative values that the player reads
  // as -1 are reported.
  std::int64_t number(const ScriptCommand& command, FieldType type, Written written) {
    std::int64_t typed = platform::leadingWholeNumber(written.text);
    if (!findings_) return typed;
    FieldRange range = rangeOf(type);
    std::string name = nameOf(command);
    if (!platform::hasLeadingNumber(written.text)) {
      report(written.line, FindingKind::NotANumber, {name, quoted(written.text)});
    } else if (typed != held(typed, range)) {
      report(written.line, FindingKind::ValueOutside,
             {name, std::to_string(typed), std::to_string(range.low), std::to_string(range.high),
              std::to_string(held(typed, range))});
    } else if (type == FieldType::Int16 && typed < -1) {
      report(written.line, typed >= -256 ? FindingKind::ReadAsMinusOne16 : FindingKind::Outside16BitField,
             {name, std::to_string(typed)});
    } else if (type == FieldType::Int32 && typed < -1 && typed >= -16777216) {
      report(written.line, FindingKind::ReadAsMinusOne32, {name, std::to_string(typed)});
    }
    return typed;
  }

  const NameTable& table(std::uint8_t names) const {
    if (names == kLabels) return definitions_.labels;
    if (names == kVariables) return definitions_.variables;
    return definitions_.namesOf(static_cast<ResourceKind>(names));
  }

  // While collecting, a name not defined yet may be defined further down: noted.
  int numberOf(std::uint8_t names, std::string_view name) {
    int number = table(names).find(name);
    if (!number && collector_) unresolved_ = names;
    return number;
  }

  LaterName laterName(std::string_view name, std::int64_t at, std::uint8_t names, FieldType type) const {
    // An operand the script ended before has no text of its own: it lies at the end.
    std::size_t offset = name.data() ? static_cast<std::size_t>(name.data() - script_.data()) : reader_.position();
    return {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(name.size()),
            static_cast<std::uint32_t>(at), names, type};
  }

  int resourceNumber(ResourceKind kind, Written written) {
    if (written.text.empty()) return 0;
    int number = numberOf(static_cast<std::uint8_t>(kind), written.text);
    if (!number && findings_) {
      report(written.line, FindingKind::UnknownResourceName, {std::string(resourceWord(kind)), quoted(written.text)});
    }
    return number;
  }

  int labelNumber(Written written) {
    if (written.text.empty()) return 0;
    int number = numberOf(kLabels, written.text);
    if (!number && findings_)
      report(written.line, FindingKind::UnknownLabel, {quoted(written.text)});
    return number;
  }

  int variableNumber(Written written) {
    int number = numberOf(kVariables, written.text);
    if (!number && findings_) {
      report(written.line, FindingKind::UnknownVariable, {quoted(written.text)});
    }
    return number;
  }

  void definition(const ScriptCommand& command) {
    if (command.definition == DefinitionKind::None || command.definition == DefinitionKind::Param) return;
    ResourceKind kind = command.definition == DefinitionKind::Cg    ? ResourceKind::Cg
                        : command.definition == DefinitionKind::Chr ? ResourceKind::Chr
                                                                    : ResourceKind::Bgm;
    auto index = static_cast<std::size_t>(kind);
    const auto& defined = definitions_.of(kind);
    std::size_t next = resourceCounters_[index]++;
    std::string_view baseName = next < defined.size() ? defined[next].baseName : std::string_view();
    writer_.defineResource(kind, static_cast<std::int64_t>(next + 1), baseName);
  }

  void text(const ScriptCommand& command) {
    int number = ++texts_;
    if (findings_ && number == gamefile::kMaxMessageNumber + 1) {
      report(command.word->line(), FindingKind::TooManyMessages, {std::to_string(gamefile::kMaxMessageNumber)});
    }
    if (!command.hasTextBlock) {
      writer_.textWithoutBlock(number);
      return;
    }
    std::string joined;
    std::string_view message = messageOf(command, joined);
    std::size_t kept = writer_.text(number, message);
    if (kept < message.size() && findings_) {
      report(command.word->line(), FindingKind::MessageTooLong,
             {std::to_string(message.size()), std::to_string(kept), std::to_string(gamefile::kMaxTextBytes)});
      report(lineOfMessageByte(command, kept), FindingKind::MessageCutHere);
    }
  }

  // The block's lines joined by CR LF. A script saved with CR LF holds them so
  // already: then the message is a view of the script, else it is built in `joined`.
  static std::string_view messageOf(const ScriptCommand& command, std::string& joined) {
    if (command.lines.empty()) return {};
    std::size_t size = 2 * (command.lines.size() - 1);
    for (const Element& line : command.lines) size += line.text().size();
    std::string_view first = command.lines.front().text(), last = command.lines.back().text();
    if (static_cast<std::size_t>(last.data() + last.size() - first.data()) == size) return {first.data(), size};
    for (std::size_t i = 0; i < command.lines.size(); ++i) {
      if (i > 0) joined += "\r\n";
      joined += command.lines[i].text();
    }
    return joined;
  }

  // The text-block line where byte `offset` of the message lies; a cut between two
  // lines loses the second one from its start.
  int lineOfMessageByte(const ScriptCommand& command, std::size_t offset) const {
    std::size_t end = 0;
    for (const Element& line : command.lines) {
      end += line.text().size();
      if (offset < end) return line.line();
      end += 2;  // CR LF between lines
    }
    return command.lines.empty() ? command.word->line() : command.lines.back().line();
  }

  void button(const ScriptCommand& command) {
    Written slotText = operand(command, 0);
    Written caption = operand(command, 1);
    std::int64_t typed = platform::leadingWholeNumber(slotText.text);
    std::int64_t slot = typed >= 1 && typed <= gamefile::kButtonSlots ? typed - 1 : 0;
    std::size_t kept = writer_.button(buttonGroup_, slot, caption.text);
    ++buttons_;
    if (!findings_) return;
    if (typed < 1 || typed > gamefile::kButtonSlots) {
      report(slotText.line, FindingKind::ButtonSlotOutside, {quoted(slotText.text)});
    }
    const Element* next = reader_.following();
    if (platform::equalsIgnoringAsciiCase(caption.text, "@TEXT") && next && next->text() == "{") {
      report(caption.line, FindingKind::CaptionOpensText, {quoted(caption.text)});
    }
    if (kept < caption.text.size()) {
      report(caption.line, FindingKind::CaptionTooLong,
             {std::to_string(caption.text.size()), std::to_string(kept), std::to_string(gamefile::kMaxCaptionBytes)});
    }
    if (buttons_ == gamefile::kMaxButtonRecords + 1) {
      report(caption.line, FindingKind::TooManyButtons, {std::to_string(gamefile::kMaxButtonRecords)});
    }
    if (buttonGroup_ == gamefile::kMaxCaptionNumber + 1 && !reportedGroups_) {
      reportedGroups_ = true;
      report(caption.line, FindingKind::TooManyButtonGroups, {std::to_string(gamefile::kMaxCaptionNumber)});
    }
  }

  // A button body is what the player runs when the button is chosen. It finds the
  // body's end by the first "}", stepping over the operands of six commands only:
  // the operand bytes of any other command are taken for instructions.
  void followButtonBody(const ScriptCommand& command) {
    Opcode opcode = command.keyword->opcode;
    int line = command.word->line();
    bool isPlain = command.keyword->form == CommandForm::Plain;
    if (bodyState_ == Body::Expected) {
      bodyState_ = isPlain && opcode == Opcode::BlockOpen ? Body::Inside : Body::None;
      if (bodyState_ == Body::None) reportButtonWithoutBody(line);
      bodyReported_ = false;
    } else if (bodyState_ == Body::Inside) {
      if (isPlain && opcode == Opcode::BlockClose) {
        bodyState_ = Body::None;
      } else if (!bodyReported_ && !scansSafely(*command.keyword)) {
        bodyReported_ = true;
        report(line, opcode == Opcode::BlockOpen && isPlain ? FindingKind::BlockOpenInBody : FindingKind::UnsafeInBody,
               {quoted(command.word->text())});
      }
    }
    if (command.keyword->form == CommandForm::Button) {
      bodyState_ = Body::Expected;
      lastCaption_.reset();
      if (command.operands.size() > 1) lastCaption_ = command.operands[1];
    }
  }

  // The player refuses a button whose record is not followed by a block. A caption
  // whose double quote is never closed is the usual cause: it swallows the "{".
  void reportButtonWithoutBody(int line) {
    std::vector<std::string> stop{std::string(gamefile::text::kCodeError)};
    if (lastCaption_ && lastCaption_->kind() == ElementKind::UnclosedQuote) {
      report(lastCaption_->line(), FindingKind::CaptionQuoteUnclosed, std::move(stop));
    } else {
      report(line, FindingKind::ButtonWithoutBody, std::move(stop));
    }
  }

  static bool scansSafely(const Keyword& keyword) {
    if (keyword.form != CommandForm::Plain || keyword.opcode == Opcode::BlockOpen) return false;
    const gamefile::Instruction& entry = gamefile::instruction(keyword.opcode);
    return entry.allowedInButtonBody || entry.operands.empty();
  }

  void reportWhole() {
    if (bodyState_ == Body::Expected) {
      if (lastCaption_ && lastCaption_->kind() == ElementKind::UnclosedQuote) {
        reportButtonWithoutBody(lastCaption_->line());
      } else {
        report(reader_.lastLine(), FindingKind::LastButtonWithoutBody);
      }
    }
    if (definitions_.labels.count() == 0) {
      report(0, FindingKind::NoLabel);
    }
  }

  // Callers test `findings_` first, so a build spends nothing on messages.
  void report(int line, FindingKind kind, std::vector<std::string> arguments = {}) {
    findings_->push_back(finding(line, kind, std::move(arguments)));
  }

  enum class Body { None, Expected, Inside };

  std::string_view script_;
  CommandReader reader_;
  std::optional<DefinitionCollector> collector_;
  const Definitions& definitions_;
  PassProgress& progress_;
  Findings* findings_;
  gamefile::GameFileWriter writer_;
  std::array<std::size_t, 3> resourceCounters_{};
  int texts_ = 0;
  int buttons_ = 0;
  std::int64_t buttonGroup_ = 1;
  bool reportedGroups_ = false;
  Body bodyState_ = Body::None;
  bool bodyReported_ = false;  // one finding per body is enough
  std::optional<Element> lastCaption_;  // of the last @BTN
  std::optional<std::uint8_t> unresolved_;  // the table the last look-up missed in
  platform::LargeVector<LaterName> laterNames_;
};

}  // namespace

platform::LargeBytes translate(std::string_view script, const Definitions& definitions, PassProgress& progress,
                               Findings* findings) {
  return Translator(script, definitions, progress, findings).run();
}

platform::LargeBytes translateInOnePass(std::string_view script, PassProgress& reading, const ResourceHook& onResource,
                                        const std::function<void()>& betweenPasses, PassProgress& fillingIn) {
  return Translator(script, onResource, reading).runInOnePass(betweenPasses, fillingIn);
}

}  // namespace pryx::script
