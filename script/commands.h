#pragma once
// The element list read as commands: a keyword and the elements it consumes. Both
// passes of the compiler read the script through this one reader, so they always
// agree on which elements are commands and which are operands.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "player/gamefile/instructions.h"
#include "script/elements.h"
#include "script/findings.h"

namespace pryx::script {

// How a command takes its operands.
enum class CommandForm : std::uint8_t {
  Plain,       // one element per operand of its instruction
  Definition,  // "@DEF": the kind word decides
  Label,       // "#": a name
  Text,        // "@TEXT": a text block, or one element
  Button,      // "@BTN": slot and caption
};

struct Keyword {
  std::string_view text;  // in capitals
  CommandForm form;
  gamefile::Opcode opcode;  // the instruction written (not used for "@DEF")
};

// The keyword an element spells in any letter case, or nullptr.
const Keyword* findKeyword(std::string_view element);

enum class DefinitionKind : std::uint8_t { None, Cg, Chr, Bgm, Param };

struct ScriptCommand {
  const Keyword* keyword = nullptr;
  std::size_t index = 0;              // of the keyword element
  std::span<const Element> operands;  // every element consumed after the keyword
  std::size_t missingOperands = 0;    // wanted beyond the end of the script
  DefinitionKind definition = DefinitionKind::None;
  bool hasTextBlock = false;
  bool textBlockClosed = false;
  std::span<const Element> lines;  // of the text block

  // The i-th operand, or an empty text when the script ended before it.
  std::string_view operand(std::size_t i) const {
    return i < operands.size() ? operands[i].text() : std::string_view();
  }
  // The index of the last element the command consumed.
  std::size_t lastIndex() const { return index + operands.size(); }
};

class CommandReader {
 public:
  // With `findings`, elements skipped where a command is expected and commands whose
  // operands are odd are reported.
  explicit CommandReader(std::span<const Element> elements, Findings* findings = nullptr);

  // The next command; nullopt at the end of the script.
  std::optional<ScriptCommand> next();

 private:
  std::size_t operandCount(ScriptCommand& command) const;
  void reportSkipped(const Element& element);
  void reportOperands(const ScriptCommand& command, std::size_t wanted);
  void reportTextAfterBlock(const ScriptCommand& command);
  void report(int line, std::string message);

  std::span<const Element> elements_;
  Findings* findings_;
  std::size_t position_ = 0;
  bool inSkippedText_ = false;
};

}  // namespace pryx::script
