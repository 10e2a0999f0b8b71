#include "script/commands.h"

#include "platform/ascii.h"

#include <array>
#include <string>
#include <vector>

namespace pryx::script {
namespace {

using gamefile::Opcode;

constexpr std::string_view kDefine = "@DEF";
constexpr std::size_t kLongestKeyword = 9;  // "@GAMEMODE"

CommandForm formOf(Opcode opcode) {
  switch (opcode) {
    case Opcode::Label: return CommandForm::Label;
    case Opcode::Text: return CommandForm::Text;
    case Opcode::Btn: return CommandForm::Button;
    default: return CommandForm::Plain;
  }
}

// Every instruction that a script command of the same name writes; the resource
// definitions ("@DEF,CG" ...) share the one keyword "@DEF".
std::vector<Keyword> buildKeywords() {
  std::vector<Keyword> keywords{{kDefine, CommandForm::Definition, Opcode::DefCg}};
  for (const gamefile::Instruction& entry : gamefile::allInstructions()) {
    if (entry.opcode == Opcode::EndOfCode || entry.name.find(',') != std::string_view::npos) continue;
    keywords.push_back({entry.name, formOf(entry.opcode), entry.opcode});
  }
  return keywords;
}

// The keywords by length, so that an element is compared with a few at most.
using KeywordsByLength = std::array<std::vector<Keyword>, kLongestKeyword + 1>;

KeywordsByLength keywordsByLength() {
  KeywordsByLength table;
  for (const Keyword& keyword : buildKeywords()) table[keyword.text.size()].push_back(keyword);
  return table;
}

DefinitionKind definitionKind(std::string_view word) {
  if (word == "CG") return DefinitionKind::Cg;
  if (word == "CHR") return DefinitionKind::Chr;
  if (word == "BGM") return DefinitionKind::Bgm;
  if (word == "PARAM") return DefinitionKind::Param;
  return DefinitionKind::None;
}

std::string countOf(std::size_t count, std::string_view what) {
  return std::to_string(count) + " " + std::string(what) + (count == 1 ? "" : "s");
}

}  // namespace

const Keyword* findKeyword(std::string_view element) {
  if (element.empty() || element.size() > kLongestKeyword) return nullptr;
  char first = element.front();
  if (first != '@' && first != '#' && first != '{' && first != '}') return nullptr;
  static const KeywordsByLength table = keywordsByLength();
  for (const Keyword& keyword : table[element.size()]) {
    if (platform::equalsIgnoringAsciiCase(element, keyword.text)) return &keyword;
  }
  return nullptr;
}

CommandReader::CommandReader(std::span<const Element> elements, Findings* findings)
    : elements_(elements), findings_(findings) {}

std::optional<ScriptCommand> CommandReader::next() {
  while (position_ < elements_.size()) {
    const Element& element = elements_[position_];
    const Keyword* keyword = element.textLine() ? nullptr : findKeyword(element.text());
    if (!keyword) {
      reportSkipped(element);
      ++position_;
      continue;
    }
    inSkippedText_ = false;
    ScriptCommand command;
    command.keyword = keyword;
    command.index = position_;
    std::size_t wanted = operandCount(command);
    std::size_t available = std::min(wanted, elements_.size() - position_ - 1);
    command.operands = elements_.subspan(position_ + 1, available);
    command.missingOperands = wanted - available;
    if (command.hasTextBlock) {
      command.lines = command.operands.subspan(1, available - 1 - (command.textBlockClosed ? 1 : 0));
    }
    reportOperands(command, wanted);
    position_ += 1 + available;
    return command;
  }
  return std::nullopt;
}

std::size_t CommandReader::operandCount(ScriptCommand& command) const {
  std::size_t after = command.index + 1;
  auto elementAt = [&](std::size_t index) {
    return index < elements_.size() ? elements_[index].text() : std::string_view();
  };
  switch (command.keyword->form) {
    case CommandForm::Plain: return gamefile::instruction(command.keyword->opcode).operands.size();
    case CommandForm::Label: return 1;
    case CommandForm::Button: return 2;
    case CommandForm::Definition:
      if (after >= elements_.size()) return 0;
      command.definition = definitionKind(elementAt(after));
      switch (command.definition) {
        case DefinitionKind::None: return 0;  // the kind word is read as the next command
        case DefinitionKind::Param: return 2;
        default: return 3;
      }
    case CommandForm::Text: {
      if (after >= elements_.size() || elementAt(after) != "{") return 1;
      command.hasTextBlock = true;
      std::size_t close = after + 1;
      while (close < elements_.size() && elements_[close].text() != "}") ++close;
      command.textBlockClosed = close < elements_.size();
      return close - command.index - (command.textBlockClosed ? 0 : 1);
    }
  }
  return 0;
}

void CommandReader::report(int line, std::string message) {
  if (findings_) findings_->push_back({line, std::move(message)});
}

void CommandReader::reportSkipped(const Element& element) {
  if (!findings_) return;
  if (element.textLine()) {
    if (!inSkippedText_) report(element.line(), "message lines outside a @TEXT command are skipped");
    inSkippedText_ = true;
    return;
  }
  inSkippedText_ = false;
  if (element.text().empty()) return;
  std::string message = "unknown command " + quoted(element.text()) + " is skipped";
  std::string_view trimmed = element.text().substr(0, element.text().find_last_not_of(" \t") + 1);
  if (trimmed.size() < element.text().size() && findKeyword(trimmed)) {
    message += " (blanks after a command word are part of it)";
  }
  report(element.line(), std::move(message));
}

// A message line of exactly "}" ends the block; when text that is no command follows,
// the author most likely meant the "}" as part of the message.
void CommandReader::reportTextAfterBlock(const ScriptCommand& command) {
  const std::size_t after = command.lastIndex() + 1;
  if (after >= elements_.size()) return;
  const Element& next = elements_[after];
  if (next.textLine() || next.text().empty() || findKeyword(next.text())) return;
  report(command.operands.back().line(),
         "a message line of only \"}\" ends the text block: the message is cut here and the lines after it are "
         "read as commands");
}

void CommandReader::reportOperands(const ScriptCommand& command, std::size_t wanted) {
  if (!findings_) return;
  const Element& word = elements_[command.index];
  std::string name(command.keyword->text);
  if (command.keyword->form == CommandForm::Definition && command.definition == DefinitionKind::None) {
    report(word.line(), command.index + 1 < elements_.size()
                            ? "@DEF kind " + quoted(elements_[command.index + 1].text()) +
                                  " is not CG, CHR, BGM or PARAM (in capitals): nothing is defined"
                            : std::string("@DEF at the end of the script defines nothing"));
    return;
  }
  if (command.keyword->form == CommandForm::Text) {
    if (!command.hasTextBlock) {
      report(word.line(), command.operands.empty()
                              ? std::string("@TEXT at the end of the script has no text block: its message is empty")
                              : "@TEXT is not followed by \"{\": its message is empty and " +
                                    quoted(command.operands[0].text()) + " is taken as its operand");
    } else if (!command.textBlockClosed) {
      report(word.line(), "the text block has no closing \"}\": the message runs to the end of the script");
    } else {
      reportTextAfterBlock(command);
    }
    return;
  }
  if (command.missingOperands > 0) {
    report(word.line(), name + " at the end of the script lacks " + countOf(command.missingOperands, "operand") +
                            " of " + std::to_string(wanted));
  }
  for (std::size_t i = 0; i < command.operands.size(); ++i) {
    const Element& operand = command.operands[i];
    const Keyword* swallowed = operand.textLine() ? nullptr : findKeyword(operand.text());
    if (operand.line() > word.line() && swallowed) {
      report(word.line(), name + " takes " + countOf(wanted, "operand") + ": it ran into the next command " +
                              quoted(operand.text()) + " on line " + std::to_string(operand.line()) +
                              ", which is taken as an operand and lost");
      return;
    }
  }
}

}  // namespace pryx::script
