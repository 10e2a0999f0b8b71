#include "project/file_texts.h"
#include "project/project_file.h"

#include "platform/number_text.h"
#include "platform/sjis.h"

#include <algorithm>

namespace pryx::project {
namespace {

constexpr std::string_view kQuoteInQuotedText = "「\"」で囲んで保存する項目に「\"」が含まれています（「'」として保存します）";
constexpr std::string_view kLineBreakInField = "改行が含まれています（空白として保存します）";
constexpr std::string_view kClosingBraceLine = "「}」だけの行があります（「} 」として保存します）";
constexpr std::string_view kLoneLineBreak = "CR LF 以外の改行が含まれています（CR LF として保存します）";
constexpr std::string_view kNoShiftJisCode = "Shift-JIS にない文字が含まれています（「?」として保存します）";

// Lines the reader takes as structure where a list entry or a caption is expected.
constexpr std::string_view kListEnd = "}";
constexpr std::string_view kPageStart = "@";
constexpr std::string_view kNoMarker = "";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool needsQuotes(std::string_view text, std::string_view marker) {
  if (text.empty()) return false;
  return text.find(',') != std::string_view::npos || isBlank(text.front()) || isBlank(text.back()) ||
         text.front() == '"' || (!marker.empty() && text == marker);
}

bool hasShiftJisCodes(std::string_view text) {
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return true;
  bool lossy = false;
  platform::encodeSjis(text, &lossy);
  return !lossy;
}

class Writer {
 public:
  void line(std::string_view text) {
    out_ += text;
    out_ += kLineBreak;
  }

  // A text read back as one field: quoted where the reader would cut or change it.
  template <typename Place>
  std::string field(std::string_view text, std::string_view marker, const Place& place) {
    std::string stored(text);
    if (stored.find_first_of("\r\n") != std::string::npos) {
      std::replace_if(stored.begin(), stored.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
      report(place(), kLineBreakInField);
    }
    if (needsQuotes(stored, marker) && stored.find('"') != std::string::npos) {
      std::replace(stored.begin(), stored.end(), '"', '\'');
      report(place(), kQuoteInQuotedText);
    }
    if (!hasShiftJisCodes(stored)) report(place(), kNoShiftJisCode);
    return needsQuotes(stored, marker) ? '"' + stored + '"' : stored;
  }

  template <typename Place>
  void fieldLine(std::string_view text, std::string_view marker, const Place& place) {
    line(field(text, marker, place));
  }

  // A page text between "{" and "}", one line per line of the text.
  template <typename Place>
  void pageText(std::string_view text, const Place& place) {
    bool loneBreak = false, braceLine = false;
    std::size_t start = 0;
    for (;;) {
      std::size_t end = text.find_first_of("\r\n", start);
      std::string_view piece = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
      if (piece == kListEnd) {
        line("} ");
        braceLine = true;
      } else {
        line(piece);
      }
      if (end == std::string_view::npos) break;
      bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
      loneBreak |= !crLf;
      start = end + (crLf ? 2 : 1);
    }
    if (loneBreak) report(place(), kLoneLineBreak);
    if (braceLine) report(place(), kClosingBraceLine);
    if (!hasShiftJisCodes(text)) report(place(), kNoShiftJisCode);
  }

  void number(double value) { line(numberLine(value)); }
  void number(std::int64_t value) { line(numberLine(value)); }
  void boolean(bool value) { line(value ? "True" : "False"); }

  EncodedProject finish() && { return {platform::encodeSjis(out_), std::move(unstorable_), charactersLost_}; }

 private:
  void report(std::string place, std::string_view problem) {
    charactersLost_ |= problem == kNoShiftJisCode;
    unstorable_.push_back({std::move(place), std::string(problem)});
  }

  std::string out_;
  std::vector<UnstorableField> unstorable_;
  bool charactersLost_ = false;
};

bool isTextField(ButtonField field) {
  return field == ButtonField::Caption || field == ButtonField::ConditionValue1 ||
         field == ButtonField::ConditionValue2 || field == ButtonField::OperationValue;
}

void writeReference(Writer& out, const PageReference& reference, const std::string& place) {
  if (const auto* number = reference.asNumber()) out.number(*number);
  else if (const auto* text = reference.asText()) out.fieldLine(*text, kNoMarker, [&] { return place; });
  else out.line("");
}

void writePage(Writer& out, int position, const Page& page) {
  auto place = [&](std::string_view part) { return pagePlace(position, page) + "の" + std::string(part); };
  out.line("@," + out.field(page.name, kNoMarker, [&] { return place("タイトル"); }));
  writeReference(out, page.music, place("BGM"));
  writeReference(out, page.backgroundCg, place("背景 CG"));
  writeReference(out, page.character, place("キャラクター"));
  out.line("{");
  out.pageText(page.text, [&] { return place("テキスト"); });
  out.line("}");

  const PageOptions& options = page.options;
  out.number(std::int64_t{options.speed});
  out.boolean(options.speedOn);
  out.number(std::int64_t{options.textColour});
  out.number(std::int64_t{options.shadowColour});
  out.boolean(options.quick);
  out.number(std::int64_t{options.loadSlot});
  out.number(std::int64_t{options.saveSlot});

  for (int slot = 0; slot < kButtonSlots; ++slot) {
    const ButtonEvent& button = page.buttons[static_cast<std::size_t>(slot)];
    if (!button.inUse()) continue;
    for (int index = 0; index < kButtonFieldCount; ++index) {
      auto field = static_cast<ButtonField>(index);
      const std::string& text = button[field];
      if (isTextField(field)) {
        std::string_view marker = field == ButtonField::Caption ? kPageStart : kNoMarker;
        out.fieldLine(text, marker, [&] { return place(buttonFieldPlace(slot, field)); });
      } else {
        out.number(platform::leadingNumber(text));
      }
    }
  }
}

}  // namespace

EncodedProject encodeProjectFile(const Project& project) {
  Writer out;
  for (int option = 1; option <= kProjectOptionCount; ++option) {
    std::string_view text = option == static_cast<int>(ProjectOption::FileVersion)
                                ? kProjectFileVersion
                                : std::string_view(project.options[static_cast<std::size_t>(option) - 1]);
    out.fieldLine(text, kNoMarker, [&] { return "プロジェクトのオプション " + std::to_string(option); });
  }
  for (ResourceKind kind : kResourceKinds) {
    out.line("{");
    int number = 0;
    for (const Resource& resource : project.resources(kind)) {
      ++number;
      auto place = [&](std::string_view part) {
        return resourceKindName(kind) + " " + std::to_string(number) + " の" + std::string(part);
      };
      out.line(out.field(resource.name, kListEnd, [&] { return place("名前"); }) + "," +
               out.field(resource.path, kNoMarker, [&] { return place("ファイル"); }));
    }
    out.line("}");
  }
  out.line("{");
  int variable = 0;
  for (const std::string& name : project.variables) {
    ++variable;
    out.fieldLine(name, kListEnd, [&] { return "変数 " + std::to_string(variable) + " の名前"; });
  }
  out.line("}");
  for (int position = 1; position <= project.pageCount(); ++position) writePage(out, position, project.pages[position]);
  return std::move(out).finish();
}

}  // namespace pryx::project
