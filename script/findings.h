#pragma once
// What the compiler skips or turns into 0 without a word. The build ignores these;
// `pryx check` prints them with the script's file name and the line number, and
// program mode lists them. Each kind of finding has one English and one Japanese
// text, both in the table of findings.cpp.

#include <string>
#include <string_view>
#include <vector>

namespace pryx::script {

enum class FindingKind {
  NotShiftJis,
  LooksLikeUtf8,
  ResourceOutsideFolder,
  ResourceSameFileName,
  ResourceMissing,
  TextOutsideCommand,
  UnknownCommand,
  UnknownCommandWithBlanks,
  TextAfterBlockEnd,
  DefinitionKindUnknown,
  DefinitionAtEnd,
  TextAtEnd,
  TextWithoutBlock,
  TextBlockUnclosed,
  OperandsMissing,
  RanIntoNextCommand,
  LabelAgain,
  TooManyLabels,
  VariableAgain,
  TooManyVariables,
  ResourceEmptyName,
  ResourceNameAgain,
  ResourceWithoutFileName,
  ResourceFileNameTooShort,
  TooManyResources,
  QuoteUnclosed,
  TextAfterQuote,
  SlotOutside,
  NoComparison,
  NoLogic,
  NoOperation,
  GameModeUnknown,
  NotANumber,
  ValueOutside,
  ReadAsMinusOne16,
  Outside16BitField,
  ReadAsMinusOne32,
  UnknownResourceName,
  UnknownLabel,
  UnknownVariable,
  TooManyMessages,
  MessageTooLong,
  MessageCutHere,
  ButtonSlotOutside,
  CaptionOpensText,
  CaptionTooLong,
  TooManyButtons,
  TooManyButtonGroups,
  BlockOpenInBody,
  UnsafeInBody,
  CaptionQuoteUnclosed,
  ButtonWithoutBody,
  LastButtonWithoutBody,
  NoLabel,
};

enum class Language { English, Japanese };

struct Finding {
  int line = 0;  // 1-based; 0 when the finding concerns the whole script
  FindingKind kind = FindingKind::NoLabel;
  std::vector<std::string> arguments;  // UTF-8, put into the texts in order
  std::string message;                 // the English text
};

using Findings = std::vector<Finding>;

Finding finding(int line, FindingKind kind, std::vector<std::string> arguments = {});

// The finding's text in `language`.
std::string findingText(const Finding& finding, Language language);

// The language a message catalogue would take from these environment values: the
// first one set of LC_ALL, LC_MESSAGES and LANG; Japanese when it starts with "ja".
Language languageOf(const char* lcAll, const char* lcMessages, const char* lang);

// Orders findings by line, keeping the order of those on the same line.
void sortByLine(Findings& findings);

// A script text (Shift-JIS) in double quotes as UTF-8 for a message; long texts are
// shortened.
std::string quoted(std::string_view sjisText);

}  // namespace pryx::script
