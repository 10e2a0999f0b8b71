#include "player/gamefile/disassembler.h"

#include <array>
#include <charconv>
#include <concepts>
#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "platform/sjis.h"
#include "player/gamefile/chained_records.h"
#include "player/gamefile/chains.h"
#include "player/gamefile/decoded_instruction.h"

namespace pryx::gamefile {
namespace {

constexpr int kMaxIndent = 8;
// Blanks for the header's name column and for indenting code, both 16 wide.
constexpr std::string_view kBlanks = "                ";
static_assert(kBlanks.size() == 2 * kMaxIndent);

// The listing's text, appended in place: a large file's listing has hundreds of
// thousands of pieces, and a temporary string for each was most of the cost.
class Listing {
 public:
  struct Padded {  // a number right-aligned in `width` columns
    std::int64_t value;
    int width;
  };
  struct Quoted {  // a Shift-JIS text as a quoted UTF-8 string, line breaks and control bytes escaped
    std::string_view sjis;
  };

  Listing& operator<<(std::string_view text) {
    out_ += text;
    return *this;
  }
  Listing& operator<<(char c) {
    out_ += c;
    return *this;
  }
  template <std::integral Number>
    requires(!std::same_as<Number, char> && !std::same_as<Number, bool>)
  Listing& operator<<(Number number) {
    char digits[24];
    out_.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
    return *this;
  }
  Listing& operator<<(Padded padded) {
    char digits[24];
    auto length = std::to_chars(digits, digits + sizeof digits, padded.value).ptr - digits;
    if (length < padded.width) out_.append(static_cast<std::size_t>(padded.width - length), ' ');
    out_.append(digits, static_cast<std::size_t>(length));
    return *this;
  }
  Listing& operator<<(Quoted quoted);

  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

Listing& Listing::operator<<(Quoted quoted) {
  std::string decoded = platform::decodeSjis(quoted.sjis);
  out_ += '"';
  for (std::size_t i = 0; i < decoded.size(); ++i) {
    char c = decoded[i];
    if (c == '\r' && i + 1 < decoded.size() && decoded[i + 1] == '\n') {
      out_ += "\\n";
      ++i;
    } else if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += c;
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      auto byte = static_cast<unsigned char>(c);
      out_ += "\\x";
      out_ += kHex[byte >> 4];
      out_ += kHex[byte & 0xF];
    } else {
      out_ += c;
    }
  }
  out_ += '"';
  return *this;
}

std::string quotedText(std::string_view sjis) {
  Listing listing;
  listing << Listing::Quoted{sjis};
  return listing.take();
}

using Padded = Listing::Padded;
using Quoted = Listing::Quoted;

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
    return out_.take();
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

  // Calls `visit(position, instruction, decoded)` for each instruction from the first
  // one to the end of code, `instruction` being nullptr for a one-byte no-operation
  // and `decoded` nullopt for an instruction cut off by the end of the file.
  template <typename Visit>
  void walkCode(Visit visit) const {
    for (std::int64_t position = kFirstInstruction; image_.contains(position);) {
      const Instruction* entry = findInstruction(*image_.byteAt(position));
      visit(position, entry, decodeInstruction(image_, position));
      if (entry && entry->opcode == Opcode::EndOfCode) return;
      position += entry ? entry->size() : 1;
    }
  }

  // Follows the name pools' cursors through the @DEF records in code order, as the
  // player does when it runs them.
  void collectResourceNames() {
    std::array<std::int64_t, kKinds> cursors{};
    for (int kind = 0; kind < kKinds; ++kind) cursors[kind] = image_.headerSlot(kPoolOf[kind]).value_or(-1);
    walkCode([&](std::int64_t position, const Instruction* entry, const std::optional<DecodedInstruction>& decoded) {
      int kind = entry ? kindOf(entry->opcode) : -1;
      if (kind < 0 || !decoded) return;
      auto [number, length] = decoded->operands<2>();
      if (length <= 0) return;
      auto name = image_.textAt(cursors[kind], length);
      definitionNames_[position] = name ? quotedText(*name) : "(past the end of the file)";
      if (name) resourceNames_[kind][number] = quotedText(*name);
      cursors[kind] += length;
    });
  }

  void header() {
    out_ << "Game file: " << image_.length() << " bytes"
         << (image_.hasMagic() ? "" : " (NOT a game file: it does not begin with \"PRYX\")") << "\n\nHeader\n";
    static constexpr std::pair<HeaderSlot, std::string_view> kSlots[] = {
        {HeaderSlot::ChrPool, "CHR-name pool"},    {HeaderSlot::CgPool, "CG-name pool"},
        {HeaderSlot::BgmPool, "BGM-name pool"},    {HeaderSlot::CaptionPool, "caption pool"},
        {HeaderSlot::MessagePool, "message pool"}, {HeaderSlot::LabelChain, "label chain"},
        {HeaderSlot::ButtonChain, "button chain"}, {HeaderSlot::TextChain, "text chain"},
    };
    for (const auto& [slot, name] : kSlots) {
      out_ << Padded{position(slot), 8} << "  " << name << kBlanks.substr(name.size());
      if (auto value = image_.headerSlot(slot)) {
        out_ << *value;
      } else {
        out_ << "(missing)";
      }
      out_ << '\n';
    }
  }

  void code() {
    out_ << "\nCode\n";
    int depth = 0;
    bool ended = false;
    walkCode([&](std::int64_t position, const Instruction* entry, const std::optional<DecodedInstruction>& decoded) {
      std::uint8_t byte = *image_.byteAt(position);
      if (entry && entry->opcode == Opcode::BlockClose && depth > 0) --depth;
      out_ << Padded{position, 8} << "  " << kBlanks.substr(0, 2 * std::min(depth, kMaxIndent));
      if (!entry) {
        out_ << "byte " << byte << " (no operation)\n";
        return;
      }
      if (entry->opcode == Opcode::BlockOpen) ++depth;
      if (entry->opcode == Opcode::EndOfCode) ended = true;
      out_ << entry->name;
      if (!decoded) {
        out_ << " (cut off by the end of the file)\n";
        return;
      }
      operands(*decoded);
      out_ << '\n';
    });
    if (!ended) out_ << "(the code has no end-of-code byte)\n";
  }

  void operands(const DecodedInstruction& decoded) {
    const Instruction& entry = *decoded.entry;
    for (std::size_t i = 0; i < entry.operands.size(); ++i) {
      const Operand& operand = entry.operands[i];
      std::int64_t value = decoded.values[i];
      out_ << (i == 0 ? "  " : ", ") << operand.name << ' ' << value;
      meaning(decoded, operand, value);
    }
  }

  // What an operand's value stands for, after the value.
  void meaning(const DecodedInstruction& decoded, const Operand& operand, std::int64_t value) {
    const Instruction& entry = *decoded.entry;
    switch (operand.role) {
      case OperandRole::Link: return linkMeaning(decoded);
      case OperandRole::LabelNumber: return labelMeaning(value);
      case OperandRole::CgNumber: return resourceMeaning(entry, Cg, value);
      case OperandRole::ChrNumber: return resourceMeaning(entry, Chr, value);
      case OperandRole::BgmNumber: return resourceMeaning(entry, Bgm, value);
      case OperandRole::VariableNumber:
        if (value <= 0) out_ << " (none)";
        return;
      case OperandRole::Comparison: return codeMeaning(comparisonText(static_cast<int>(value)), "never true");
      case OperandRole::Logic: return codeMeaning(logicText(static_cast<int>(value)), "never jumps");
      case OperandRole::Operator: return codeMeaning(operationText(static_cast<int>(value)), "does nothing");
      case OperandRole::GameMode:
        out_ << (value == 0 ? " (normal)" : value == 1 ? " (novel)" : " (outside the format)");
        return;
      case OperandRole::TextLength: {
        auto text = messages_.find(textRecord(decoded).message);
        if (text == messages_.end()) {
          out_ << " (no text in the text chain)";
        } else {
          out_ << ' ' << Quoted{text->second};
        }
        return;
      }
      case OperandRole::CaptionLength: {
        const ButtonRecord record = buttonRecord(decoded);
        auto text = captions_.find({record.slot, record.caption});
        if (text == captions_.end()) {
          out_ << " (no caption in the button chain)";
        } else {
          out_ << ' ' << Quoted{text->second};
        }
        return;
      }
      case OperandRole::NameLength: {
        auto name = definitionNames_.find(decoded.position);
        if (name != definitionNames_.end()) out_ << ' ' << name->second;
        return;
      }
      default: return;
    }
  }

  void linkMeaning(const DecodedInstruction& decoded) {
    if (decoded.entry->opcode != Opcode::Label) return;
    auto number = labelNumbers_.find(linkPosition(decoded.position));
    if (number == labelNumbers_.end()) {
      out_ << " (label not in the label chain)";
    } else {
      out_ << " (label " << number->second << ')';
    }
  }

  void labelMeaning(std::int64_t number) {
    if (number <= 0) {
      out_ << " (none)";
    } else if (static_cast<std::size_t>(number) > labels_.positions.size()) {
      out_ << " (no such label)";
    } else {
      out_ << " (at " << recordPosition(labels_.positions[static_cast<std::size_t>(number - 1)]) << ')';
    }
  }

  void resourceMeaning(const Instruction& entry, int kind, std::int64_t number) {
    if (kindOf(entry.opcode) >= 0) return;  // the definition shows its name after its length
    if (number == 0) {
      out_ << " (none)";
      return;
    }
    auto name = resourceNames_[kind].find(number);
    if (name == resourceNames_[kind].end()) {
      out_ << " (not defined)";
    } else {
      out_ << ' ' << name->second;
    }
  }

  void codeMeaning(std::string_view text, std::string_view otherwise) {
    out_ << " (" << (text.empty() ? otherwise : text) << ')';
  }

  void labelChain() {
    std::size_t count = labels_.positions.size();
    out_ << "\nLabel chain: " << count << (count == 1 ? " label" : " labels")
         << (labels_.broken ? " (the chain is broken after the last one shown)" : "") << '\n';
    std::unordered_set<std::int32_t> seen;
    for (std::size_t i = 0; i < count; ++i) {
      std::int32_t link = labels_.positions[i];
      if (!seen.insert(link).second) {
        out_ << "          (the chain loops back to " << recordPosition(link) << ")\n";
        return;
      }
      out_ << Padded{static_cast<std::int64_t>(i + 1), 8} << "  at " << recordPosition(link) << '\n';
    }
  }

  void recordChain(std::string_view title, const ListedChain& chain, bool buttons) {
    out_ << '\n' << title << ": " << chain.readCount << (chain.readCount == 1 ? " record" : " records") << '\n';
    for (const PoolRecord& record : chain.records) {
      out_ << Padded{recordPosition(record.link), 8} << "  " << (buttons ? "caption " : "message ") << record.number;
      if (buttons) out_ << ", slot " << record.slot;
      out_ << ", " << record.length << " bytes at " << record.textPosition << ' ';
      if (record.text) {
        out_ << Quoted{*record.text};
      } else {
        out_ << "(past the end of the file)";
      }
      out_ << '\n';
    }
    if (chain.loopsBackTo) out_ << "          (the chain loops back to " << recordPosition(*chain.loopsBackTo) << ")\n";
  }

  const GameImage& image_;
  LabelChain labels_;
  ListedChain textChain_, buttonChain_;
  std::map<std::int16_t, std::string_view> messages_;
  std::map<std::pair<std::uint8_t, std::int16_t>, std::string_view> captions_;
  std::unordered_map<std::int64_t, int> labelNumbers_;                     // link position to label number
  std::array<std::map<std::int64_t, std::string>, kKinds> resourceNames_;  // the last definition of each number
  std::unordered_map<std::int64_t, std::string> definitionNames_;          // @DEF position to its name
  Listing out_;
};

}  // namespace

std::string disassemble(const GameImage& image) { return Disassembler(image).run(); }

}  // namespace pryx::gamefile
