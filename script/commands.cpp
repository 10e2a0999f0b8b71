#include "script/commands.h"

#include "platform/ascii.h"

#include <algorithm>
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

}  // namespace

const Keyword* findKeyword(std::string_view element) {
  if (element.empty() || element.size() > kLongestKeyword) return nullptr;
  char first = element.front();
  if (first != '@' && first != '#' && first != '{' && first != '}') return nullptr;
  static const KeywordsByLength table = keywordsByLength();
  // Keywords are in capitals: the element is brought into capitals once.
  std::array<char, kLongestKeyword> capitals;
  std::transform(element.begin(), element.end(), capitals.begin(), platform::asciiUpper);
  std::string_view word(capitals.data(), element.size());
  for (const Keyword& keyword : table[element.size()]) {
    if (word.back() == keyword.text.back() && word == keyword.text) return &keyword;
  }
  return nullptr;
}

CommandReader::CommandReader(std::string_view script, Findings* findings, Findings* cutFindings)
    : cutter_(script, cutFindings), findings_(findings) {}

const Element* CommandReader::cutUpTo(std::size_t index) {
  // A few commands' worth at a time: fewer calls, and still a small window.
  constexpr std::size_t kElementsAtATime = 64;
  while (!cutToEnd_ && index >= first_ + window_.size()) {
    cutToEnd_ = !cutter_.cut(window_, kElementsAtATime);
    if (!window_.empty()) lastLine_ = window_.back().line();
  }
  return index < first_ + window_.size() ? &window_[index - first_] : nullptr;
}

const Element* CommandReader::following() const {
  return position_ < first_ + window_.size() ? &window_[position_ - first_] : nullptr;
}

// Everything before the next element has been read for good. The window is
// emptied once enough of it has been read, not moved along by every command.
void CommandReader::dropRead() {
  constexpr std::size_t kKeptRead = 256;
  std::size_t read = position_ - first_;
  if (read < kKeptRead && read < window_.size()) return;
  window_.erase(window_.begin(), window_.begin() + static_cast<std::ptrdiff_t>(read));
  first_ = position_;
}

std::optional<ScriptCommand> CommandReader::next() {
  for (;; ++position_) {
    dropRead();
    const Element* element = at(position_);
    if (!element) return std::nullopt;
    const Keyword* keyword = element->textLine() ? nullptr : findKeyword(element->text());
    if (!keyword) {
      reportSkipped(*element);
      continue;
    }
    inSkippedText_ = false;
    ScriptCommand command;
    command.keyword = keyword;
    std::size_t wanted = operandCount(command, position_);
    std::size_t available = 0;
    while (available < wanted && at(position_ + 1 + available)) ++available;
    // The element after the command is cut before any view into the window is taken.
    at(position_ + 1 + available);
    command.word = &window_[position_ - first_];
    command.operands = std::span<const Element>(window_).subspan(position_ + 1 - first_, available);
    command.missingOperands = wanted - available;
    if (command.hasTextBlock) {
      command.lines = command.operands.subspan(1, available - 1 - (command.textBlockClosed ? 1 : 0));
    }
    position_ += 1 + available;
    reportOperands(command, wanted);
    return command;
  }
}

std::size_t CommandReader::operandCount(ScriptCommand& command, std::size_t index) {
  std::size_t after = index + 1;
  switch (command.keyword->form) {
    case CommandForm::Plain: return gamefile::instruction(command.keyword->opcode).operands.size();
    case CommandForm::Label: return 1;
    case CommandForm::Button: return 2;
    case CommandForm::Definition: {
      const Element* kind = at(after);
      if (!kind) return 0;
      command.definition = definitionKind(kind->text());
      switch (command.definition) {
        case DefinitionKind::None: return 0;  // the kind word is read as the next command
        case DefinitionKind::Param: return 2;
        default: return 3;
      }
    }
    case CommandForm::Text: {
      const Element* open = at(after);
      if (!open || open->text() != "{") return 1;
      command.hasTextBlock = true;
      std::size_t close = after + 1;
      for (const Element* line = at(close); line && line->text() != "}"; line = at(close)) ++close;
      command.textBlockClosed = at(close) != nullptr;
      return close - index - (command.textBlockClosed ? 0 : 1);
    }
  }
  return 0;
}

void CommandReader::report(int line, FindingKind kind, std::vector<std::string> arguments) {
  if (findings_) findings_->push_back(finding(line, kind, std::move(arguments)));
}

void CommandReader::reportSkipped(const Element& element) {
  if (!findings_) return;
  if (element.textLine()) {
    if (!inSkippedText_) report(element.line(), FindingKind::TextOutsideCommand);
    inSkippedText_ = true;
    return;
  }
  inSkippedText_ = false;
  if (element.text().empty()) return;
  std::string_view trimmed = element.text().substr(0, element.text().find_last_not_of(" \t") + 1);
  bool blanksAfterKeyword = trimmed.size() < element.text().size() && findKeyword(trimmed);
  report(element.line(), blanksAfterKeyword ? FindingKind::UnknownCommandWithBlanks : FindingKind::UnknownCommand,
         {quoted(element.text())});
}

// A message line of exactly "}" ends the block; when text that is no command follows,
// the author most likely meant the "}" as part of the message.
void CommandReader::reportTextAfterBlock(const ScriptCommand& command) {
  const Element* next = following();
  if (!next || next->textLine() || next->text().empty() || findKeyword(next->text())) return;
  report(command.operands.back().line(), FindingKind::TextAfterBlockEnd);
}

void CommandReader::reportOperands(const ScriptCommand& command, std::size_t wanted) {
  if (!findings_) return;
  const Element& word = *command.word;
  std::string name(command.keyword->text);
  if (command.keyword->form == CommandForm::Definition && command.definition == DefinitionKind::None) {
    const Element* kind = following();
    if (kind) report(word.line(), FindingKind::DefinitionKindUnknown, {quoted(kind->text())});
    else report(word.line(), FindingKind::DefinitionAtEnd);
    return;
  }
  if (command.keyword->form == CommandForm::Text) {
    if (!command.hasTextBlock) {
      if (command.operands.empty()) report(word.line(), FindingKind::TextAtEnd);
      else report(word.line(), FindingKind::TextWithoutBlock, {quoted(command.operands[0].text())});
    } else if (!command.textBlockClosed) {
      report(word.line(), FindingKind::TextBlockUnclosed);
    } else {
      reportTextAfterBlock(command);
    }
    return;
  }
  if (command.missingOperands > 0) {
    report(word.line(), FindingKind::OperandsMissing,
           {name, std::to_string(command.missingOperands), std::to_string(wanted)});
  }
  for (std::size_t i = 0; i < command.operands.size(); ++i) {
    const Element& operand = command.operands[i];
    const Keyword* swallowed = operand.textLine() ? nullptr : findKeyword(operand.text());
    if (operand.line() > word.line() && swallowed) {
      report(word.line(), FindingKind::RanIntoNextCommand,
             {name, std::to_string(wanted), quoted(operand.text()), std::to_string(operand.line())});
      return;
    }
  }
}

}  // namespace pryx::script
