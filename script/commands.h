#pragma once
// The script's elements read as commands: a keyword and the elements it consumes.
// Both passes of the compiler read the script through this one reader, so they
// always agree on which elements are commands and which are operands.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

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

// A command as read; its elements stay valid until the reader reads the next one.
struct ScriptCommand {
  const Keyword* keyword = nullptr;
  const Element* word = nullptr;      // the keyword's element
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
};

// Cuts the script as it reads, holding only the elements of the command at hand and
// the one after it, so a script of thousands of pages costs little memory.
class CommandReader {
 public:
  // With `findings`, elements skipped where a command is expected and commands whose
  // operands are odd are reported; with `cutFindings`, what the cutting finds
  // (quotes not closed on their line, text after a closing quote).
  explicit CommandReader(std::string_view script, Findings* findings = nullptr, Findings* cutFindings = nullptr);

  // The next command; nullopt at the end of the script.
  std::optional<ScriptCommand> next();

  // The element after the last command read, or nullptr when the script ends there.
  const Element* following() const;

  // The line of the script's last element (0 for a script without any), once next()
  // has returned nullopt.
  int lastLine() const { return lastLine_; }

  // How far the reading has come, in bytes.
  std::size_t position() const { return cutter_.position(); }

 private:
  // The element of index `index` (counted from the script's start), cut when it has
  // not been yet; nullptr past the end of the script.
  const Element* at(std::size_t index) {
    return index < first_ + window_.size() ? &window_[index - first_] : cutUpTo(index);
  }
  const Element* cutUpTo(std::size_t index);
  void dropRead();
  std::size_t operandCount(ScriptCommand& command, std::size_t index);
  void reportSkipped(const Element& element);
  void reportOperands(const ScriptCommand& command, std::size_t wanted);
  void reportTextAfterBlock(const ScriptCommand& command);
  void report(int line, FindingKind kind, std::vector<std::string> arguments = {});

  ElementCutter cutter_;
  Findings* findings_;
  std::vector<Element> window_;  // the elements from index first_ on
  std::size_t first_ = 0;
  std::size_t position_ = 0;  // the index of the next element to read
  bool cutToEnd_ = false;
  int lastLine_ = 0;
  bool inSkippedText_ = false;
};

}  // namespace pryx::script
