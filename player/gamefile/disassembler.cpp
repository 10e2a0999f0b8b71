#include "player/gamefile/disassembler.h"

#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "platform/sjis.h"
#include "player/gamefile/chains.h"
#include "player/gamefile/instructions.h"

namespace pryx::gamefile {
namespace {

constexpr int kMaxIndent = 8;

// A Shift-JIS text as a quoted UTF-8 string; line breaks and control bytes escaped.
std::string quotedText(std::string_view sjis) {
  std::string decoded = platform::decodeSjis(sjis);
  std::string out = "\"";
  for (std::size_t i = 0; i < decoded.size(); ++i) {
    char c = decoded[i];
    if (c == '\r' && i + 1 < decoded.size() && decoded[i + 1] == '\n') {
      out += "\\n";
      ++i;
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string padded(std::int64_t value, int width) {
  std::string text = std::to_string(value);
  return text.size() < static_cast<std::size_t>(width) ? std::string(width - text.size(), ' ') + text : text;
}

class Disassembler {
 public:
  explicit Disassembler(const GameImage& image)
      : image_(image),
        labels_(loadLabelChain(image)) {
    for (std::size_t i = 0; i < labels_.positions.size(); ++i) {
      labelNumbers_.try_emplace(labels_.positions[i], static_cast<int>(i + 1));
    }
    // As the player's tables: a later record of the same number replaces the text.
    textChain_.readCount = forEachTextRecord(image, [&](const PoolRecord& record) {
      if (record.text) messages_[record.number] = *record.text;
      textChain_.add(record);
    });
    buttonChain_.readCount = forEachButtonRecord(image, [&](const PoolRecord& record) {
      if (record.text) captions_[{record.slot, record.number}] = *record.text;
      buttonChain_.add(record);
    });
    collectResourceNames();
  }

  std::string run() {
    header();
    code();
    labelChain();
    recordChain("Text chain", textChain_, false);
    recordChain("Button chain", buttonChain_, true);
    return std::move(out_);
  }

 private:
  enum Kind { Cg, Chr, Bgm, kKinds };

  // A record chain as listed: the player reads a looping chain up to its record
  // limit, but its records are listed once, up to the first that comes round again.
  struct ListedChain {
    int readCount = 0;
    std::vector<PoolRecord> records;
    std::unordered_set<std::int32_t> links;
    std::optional<std::int32_t> loopsBackTo;

    void add(const PoolRecord& record) {
      if (loopsBackTo) return;
      if (links.insert(record.link).second) {
        records.push_back(record);
      } else {
        loopsBackTo = record.link;
      }
    }
  };

  static int kindOf(Opcode opcode) {
    switch (opcode) {
      case Opcode::DefCg: return Cg;
      case Opcode::DefChr: return Chr;
      case Opcode::DefBgm: return Bgm;
      default: return -1;
    }
  }

  static constexpr HeaderSlot kPoolOf[kKinds] = {HeaderSlot::CgPool, HeaderSlot::ChrPool, HeaderSlot::BgmPool};

  // Calls `visit(position, instruction)` for each instruction from the first one to
  // the end of code, `instruction` being nullptr for a one-byte no-operation.
  template <typename Visit>
  void walkCode(Visit visit) const {
    for (std::int64_t position = kFirstInstruction; image_.contains(position);) {
      const Instruction* entry = findInstruction(*image_.byteAt(position));
      visit(position, entry);
      if (entry && entry->opcode == Opcode::EndOfCode) return;
      position += entry ? entry->size() : 1;
    }
  }

  // Follows the name pools' cursors through the @DEF records in code order, as the
  // player does when it runs them.
  void collectResourceNames() {
    std::array<std::int64_t, kKinds> cursors{};
    for (int kind = 0; kind < kKinds; ++kind) cursors[kind] = image_.headerSlot(kPoolOf[kind]).value_or(-1);
    walkCode([&](std::int64_t position, const Instruction* entry) {
      int kind = entry ? kindOf(entry->opcode) : -1;
      if (kind < 0 || !image_.contains(position, entry->size())) return;
      std::int64_t number = *image_.int16At(position + 1);
      std::int64_t length = *image_.int16At(position + 3);
      if (length <= 0) return;
      auto name = image_.textAt(cursors[kind], length);
      definitionNames_[position] = name ? quotedText(*name) : "(past the end of the file)";
      if (name) resourceNames_[kind][number] = quotedText(*name);
      cursors[kind] += length;
    });
  }

  void line(std::string text) {
    out_ += text;
    out_ += '\n';
  }

  void header() {
    line("Game file: " + std::to_string(image_.length()) + " bytes" +
         (image_.hasMagic() ? "" : " (NOT a game file: it does not begin with \"PRYX\")"));
    line("");
    line("Header");
    static constexpr std::pair<HeaderSlot, std::string_view> kSlots[] = {
        {HeaderSlot::ChrPool, "CHR-name pool"},    {HeaderSlot::CgPool, "CG-name pool"},
        {HeaderSlot::BgmPool, "BGM-name pool"},    {HeaderSlot::CaptionPool, "caption pool"},
        {HeaderSlot::MessagePool, "message pool"}, {HeaderSlot::LabelChain, "label chain"},
        {HeaderSlot::ButtonChain, "button chain"}, {HeaderSlot::TextChain, "text chain"},
    };
    for (const auto& [slot, name] : kSlots) {
      auto value = image_.headerSlot(slot);
      std::string text = padded(position(slot), 8) + "  " + std::string(name);
      text += std::string(16 - name.size(), ' ') + (value ? std::to_string(*value) : "(missing)");
      line(text);
    }
  }

  void code() {
    line("");
    line("Code");
    int depth = 0;
    bool ended = false;
    walkCode([&](std::int64_t position, const Instruction* entry) {
      std::uint8_t byte = *image_.byteAt(position);
      if (entry && entry->opcode == Opcode::BlockClose && depth > 0) --depth;
      std::string text = padded(position, 8) + "  " + std::string(2 * std::min(depth, kMaxIndent), ' ');
      if (!entry) {
        line(text + "byte " + std::to_string(byte) + " (no operation)");
        return;
      }
      if (entry->opcode == Opcode::BlockOpen) ++depth;
      if (entry->opcode == Opcode::EndOfCode) ended = true;
      text += entry->name;
      if (!image_.contains(position, entry->size())) {
        line(text + " (cut off by the end of the file)");
        return;
      }
      line(text + operands(position, *entry));
    });
    if (!ended) line("(the code has no end-of-code byte)");
  }

  std::string operands(std::int64_t position, const Instruction& entry) const {
    std::string text;
    for (std::size_t i = 0; i < entry.operands.size(); ++i) {
      const Operand& operand = entry.operands[i];
      std::int64_t at = position + operandOffset(entry, i);
      std::int64_t value = operand.type == FieldType::Byte    ? *image_.byteAt(at)
                           : operand.type == FieldType::Int16 ? *image_.int16At(at)
                                                              : *image_.int32At(at);
      text += i == 0 ? "  " : ", ";
      text += std::string(operand.name) + " " + std::to_string(value) + meaning(position, entry, operand, value);
    }
    return text;
  }

  std::string meaning(std::int64_t position, const Instruction& entry, const Operand& operand,
                      std::int64_t value) const {
    switch (operand.role) {
      case OperandRole::Link: return linkMeaning(position, entry);
      case OperandRole::LabelNumber: return labelMeaning(value);
      case OperandRole::CgNumber: return resourceMeaning(entry, Cg, value);
      case OperandRole::ChrNumber: return resourceMeaning(entry, Chr, value);
      case OperandRole::BgmNumber: return resourceMeaning(entry, Bgm, value);
      case OperandRole::VariableNumber: return value <= 0 ? " (none)" : "";
      case OperandRole::Comparison: return codeMeaning(comparisonText(static_cast<int>(value)), "never true");
      case OperandRole::Logic: return codeMeaning(logicText(static_cast<int>(value)), "never jumps");
      case OperandRole::Operator: return codeMeaning(operationText(static_cast<int>(value)), "does nothing");
      case OperandRole::GameMode: return value == 0 ? " (normal)" : value == 1 ? " (novel)" : " (outside the format)";
      case OperandRole::TextLength: {
        auto text = messages_.find(numberAt(position + 5));
        return text == messages_.end() ? " (no text in the text chain)" : " " + quotedText(text->second);
      }
      case OperandRole::CaptionLength: {
        auto text = captions_.find({image_.byteAt(position + 7).value_or(0), numberAt(position + 5)});
        return text == captions_.end() ? " (no caption in the button chain)" : " " + quotedText(text->second);
      }
      case OperandRole::NameLength: {
        auto name = definitionNames_.find(position);
        return name == definitionNames_.end() ? "" : " " + name->second;
      }
      default: return "";
    }
  }

  std::int16_t numberAt(std::int64_t position) const { return image_.int16At(position).value_or(-1); }

  std::string linkMeaning(std::int64_t position, const Instruction& entry) const {
    if (entry.opcode != Opcode::Label) return "";
    auto number = labelNumbers_.find(position + 1);
    return number == labelNumbers_.end() ? " (label not in the label chain)"
                                         : " (label " + std::to_string(number->second) + ")";
  }

  std::string labelMeaning(std::int64_t number) const {
    if (number <= 0) return " (none)";
    if (static_cast<std::size_t>(number) > labels_.positions.size()) return " (no such label)";
    return " (at " + std::to_string(labels_.positions[static_cast<std::size_t>(number - 1)] - 1) + ")";
  }

  std::string resourceMeaning(const Instruction& entry, int kind, std::int64_t number) const {
    if (kindOf(entry.opcode) >= 0) return "";  // the definition shows its name after its length
    if (number == 0) return " (none)";
    auto name = resourceNames_[kind].find(number);
    return name == resourceNames_[kind].end() ? " (not defined)" : " " + name->second;
  }

  static std::string codeMeaning(std::string_view text, std::string_view otherwise) {
    return text.empty() ? " (" + std::string(otherwise) + ")" : " (" + std::string(text) + ")";
  }

  void labelChain() {
    line("");
    line("Label chain: " + std::to_string(labels_.positions.size()) +
         (labels_.positions.size() == 1 ? " label" : " labels") +
         (labels_.broken ? " (the chain is broken after the last one shown)" : ""));
    std::unordered_set<std::int32_t> seen;
    for (std::size_t i = 0; i < labels_.positions.size(); ++i) {
      std::int32_t position = labels_.positions[i];
      if (!seen.insert(position).second) {
        line("          (the chain loops back to " + std::to_string(position - 1) + ")");
        return;
      }
      line(padded(static_cast<std::int64_t>(i + 1), 8) + "  at " + std::to_string(position - 1));
    }
  }

  void recordChain(std::string_view title, const ListedChain& chain, bool buttons) {
    line("");
    line(std::string(title) + ": " + std::to_string(chain.readCount) + (chain.readCount == 1 ? " record" : " records"));
    for (const PoolRecord& record : chain.records) {
      std::string text =
          padded(record.link - 1, 8) + "  " + (buttons ? "caption " : "message ") + std::to_string(record.number);
      if (buttons) text += ", slot " + std::to_string(record.slot);
      text += ", " + std::to_string(record.length) + " bytes at " + std::to_string(record.textPosition) + " ";
      text += record.text ? quotedText(*record.text) : "(past the end of the file)";
      line(text);
    }
    if (chain.loopsBackTo) line("          (the chain loops back to " + std::to_string(*chain.loopsBackTo - 1) + ")");
  }

  const GameImage& image_;
  LabelChain labels_;
  ListedChain textChain_, buttonChain_;
  std::map<std::int16_t, std::string_view> messages_;
  std::map<std::pair<std::uint8_t, std::int16_t>, std::string_view> captions_;
  std::unordered_map<std::int64_t, int> labelNumbers_;                     // link position to label number
  std::array<std::map<std::int64_t, std::string>, kKinds> resourceNames_;  // the last definition of each number
  std::unordered_map<std::int64_t, std::string> definitionNames_;          // @DEF position to its name
  std::string out_;
};

}  // namespace

std::string disassemble(const GameImage& image) { return Disassembler(image).run(); }

}  // namespace pryx::gamefile
