#include "project/field_reader.h"
#include "project/file_texts.h"
#include "project/project_file.h"

#include "platform/ascii.h"
#include "platform/number_text.h"
#include "platform/sjis.h"
#include "platform/utf8.h"

#include <algorithm>


namespace pryx::project {
namespace {

// A byte that is no character can only be saved as "?": the author sees at once what
// will be written, and every message says the same.
std::string withQuestionMarks(std::string text) {
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  for (std::size_t at = text.find(kReplacement); at != std::string::npos; at = text.find(kReplacement, at + 1)) {
    text.replace(at, kReplacement.size(), "?");
  }
  return text;
}

using platform::saturate;

// The whole-number part of a field's leading number, held inside the field's type.
template <typename T>
T wholeField(const Field& field, bool& outOfRange) {
  std::int64_t whole = platform::wholePart(platform::leadingNumber(field.text));
  T value = saturate<T>(whole);
  outOfRange |= value != whole;
  return value;
}

bool isTrue(const Field& field) { return platform::equalsIgnoringAsciiCase(field.text, "TRUE"); }

// An empty field leaves the reference unset. A field in the form the writer gives a
// number (" 3 ") comes back as that number, so that the file is written again byte
// for byte; any other field is kept as the text read.
PageReference referenceFrom(const Field& field) {
  if (field.text.empty()) return {};
  if (!field.quoted) {
    std::int64_t value = numericValue(field.text);
    if (field.raw == numberLine(value)) return PageReference::number(value);
  }
  return PageReference::text(field.text);
}

// Every page begins with a field "@", so the file holds no more pages than "@"
// characters: reserving that many spares moving thousands of pages as the list grows.
int mostPages(std::string_view text) {
  auto marks = std::count(text.begin(), text.end(), '@');
  return static_cast<int>(std::min<std::ptrdiff_t>(marks, kMaxPages));
}

class Reader {
 public:
  explicit Reader(std::string_view text) : in_(text) {
    project_ = newProject();
    project_.pages.clear();
    project_.pages.reserve(mostPages(text));
  }

  DecodedProject read() && {
    // A file that declares a newer format is refused even when it ends early.
    bool optionsComplete = readOptions();
    version_ = static_cast<int>(saturate<std::int32_t>(
        platform::wholePart(platform::leadingNumber(project_.option(ProjectOption::FileVersion)))));
    if (version_ >= kFirstUnreadableVersion) {
      DecodedProject refused;
      refused.version = version_;
      refused.refusal = "このエディタが読めるのは形式のバージョン " + std::to_string(kFirstUnreadableVersion - 1) +
                        " までです（このファイルは " + std::to_string(version_) + "）。";
      return refused;
    }
    if (!optionsComplete) return finish();
    for (ResourceKind kind : kResourceKinds) {
      if (!readResources(kind)) return finish();
    }
    if (!readVariables()) return finish();
    readPages();
    return finish();
  }

 private:
  enum class ButtonsEnd { NextPage, SkipToNextPage, EndOfFile };

  bool hasPageOptions() const { return version_ == kFirstVersionWithPageOptions; }

  void endsEarly(std::string_view where) { warnings_.push_back("ファイルが" + std::string(where) + "の途中で終わっています。"); }

  bool readOptions() {
    for (std::string& option : project_.options) {
      auto field = in_.nextField();
      if (!field) {
        endsEarly("プロジェクトのオプション");
        return false;
      }
      option = field->text;
    }
    return true;
  }

  bool readResources(ResourceKind kind) {
    std::string where = resourceKindName(kind) + " のリスト";
    auto open = in_.nextField();
    if (!open) {
      endsEarly(where);
      return false;
    }
    if (!open->is("{")) return true;  // no such section; the field is dropped
    NumberedList<Resource>& list = project_.resources(kind);
    int leftOut = 0;
    for (;;) {
      auto name = in_.nextField();
      if (!name) {
        endsEarly(where);
        return false;
      }
      if (name->is("}")) break;
      auto path = in_.nextField();
      if (list.count() < kMaxResources) list.append({name->text, path ? path->text : std::string()});
      else ++leftOut;
      if (!path) {
        endsEarly(where);
        return false;
      }
    }
    if (leftOut > 0) {
      leftOut_ = true;
      warnings_.push_back(resourceKindName(kind) + " は " + std::to_string(kMaxResources) + " 個までです。残りの " +
                          std::to_string(leftOut) + " 個は読み込みませんでした。");
    }
    return true;
  }

  bool readVariables() {
    auto open = in_.nextField();
    if (!open) {
      endsEarly("変数のリスト");
      return false;
    }
    if (!open->is("{")) return true;
    for (;;) {
      auto name = in_.nextField();
      if (!name) {
        endsEarly("変数のリスト");
        return false;
      }
      if (name->is("}")) return true;
      project_.variables.append(name->text);
    }
  }

  void readPages() {
    bool atPageStart = false;
    for (;;) {
      if (!atPageStart && !in_.skipTo("@")) return;
      if (project_.pageCount() == kMaxPages) {
        leftOut_ = true;
        warnings_.push_back("ページは " + std::to_string(kMaxPages) + " ページまでです。それより後のページは読み込みませんでした。");
        return;
      }
      project_.pages.append(Page{});
      int position = project_.pageCount();
      Page& page = project_.pages[position];
      std::string where = "ページ " + std::to_string(position);
      if (!readPageHead(page, where)) return;
      if (hasPageOptions() && !readPageOptions(page, where)) return;
      ButtonsEnd end = readButtons(page, where);
      if (end == ButtonsEnd::EndOfFile) return;
      atPageStart = end == ButtonsEnd::NextPage;
    }
  }

  // Name, references and text; false at the end of the file.
  bool readPageHead(Page& page, const std::string& where) {
    auto name = in_.nextField();
    if (!name) {
      endsEarly(where);
      return false;
    }
    page.name = name->text;
    for (PageReference* reference : {&page.music, &page.backgroundCg, &page.character}) {
      auto field = in_.nextField();
      if (!field) {
        endsEarly(where);
        return false;
      }
      *reference = referenceFrom(*field);
    }
    if (!in_.skipTo("{")) {
      endsEarly(where);
      return false;
    }
    bool closed = false, first = true;
    while (auto line = in_.nextLine()) {
      if (*line == "}") {
        closed = true;
        break;
      }
      if (!first) page.text += kLineBreak;
      page.text += *line;
      first = false;
    }
    if (!closed || (in_.atEnd() && hasPageOptions())) endsEarly(where);
    return !in_.atEnd();
  }

  bool readPageOptions(Page& page, const std::string& where) {
    Field fields[7];
    for (Field& field : fields) {
      auto read = in_.nextField();
      if (!read) {
        endsEarly(where);
        return false;
      }
      field = std::move(*read);
    }
    bool outOfRange = false;
    PageOptions& options = page.options;
    options.speed = wholeField<std::int16_t>(fields[0], outOfRange);
    options.speedOn = isTrue(fields[1]);
    options.textColour = wholeField<std::int32_t>(fields[2], outOfRange);
    options.shadowColour = wholeField<std::int32_t>(fields[3], outOfRange);
    options.quick = isTrue(fields[4]);
    options.loadSlot = wholeField<std::int16_t>(fields[5], outOfRange);
    options.saveSlot = wholeField<std::int16_t>(fields[6], outOfRange);
    if (outOfRange && !optionsClamped_) {
      optionsClamped_ = true;
      warnings_.push_back(where + " などのオプションに範囲外の数値があり、範囲の端の値にしました。");
    }
    return true;
  }

  // Buttons are packed into slots 0, 1, 2 ... in the order read.
  ButtonsEnd readButtons(Page& page, const std::string& where) {
    for (ButtonEvent& button : page.buttons) {
      auto caption = in_.nextField();
      if (!caption) return ButtonsEnd::EndOfFile;
      // A caption (or a page start) that is the file's last field begins nothing.
      if (in_.atEnd()) {
        endsEarly(where + " のボタン");
        return ButtonsEnd::EndOfFile;
      }
      if (caption->is("@")) return ButtonsEnd::NextPage;
      button.fields[0] = caption->text;
      for (std::size_t index = 1; index < button.fields.size(); ++index) {
        auto field = in_.nextField();
        if (!field) {
          endsEarly(where + " のボタン");
          return ButtonsEnd::EndOfFile;
        }
        button.fields[index] = field->text;
      }
    }
    return ButtonsEnd::SkipToNextPage;
  }

  DecodedProject finish() {
    DecodedProject decoded;
    decoded.project = std::move(project_);
    decoded.version = version_;
    decoded.warnings = std::move(warnings_);
    decoded.fidelity.leftOut = leftOut_;
    return decoded;
  }

  FieldReader in_;
  Project project_;
  int version_ = 0;
  bool optionsClamped_ = false;
  bool leftOut_ = false;
  std::vector<std::string> warnings_;
};

}  // namespace

DecodedProject decodeProjectFile(std::string_view bytes) {
  // A file saved as UTF-8 by another editor is read as it is, so that nothing is lost.
  // Without a byte-order mark only a file that is no Shift-JIS counts: every file the
  // writer produces is Shift-JIS, and half-width kana pairs can look like UTF-8.
  bool invalidBytes = false;
  std::string text = platform::decodeSjis(bytes, &invalidBytes);
  if (platform::looksLikeUtf8(bytes) && (bytes.starts_with(platform::kUtf8ByteOrderMark) || invalidBytes)) {
    if (bytes.starts_with(platform::kUtf8ByteOrderMark)) bytes.remove_prefix(platform::kUtf8ByteOrderMark.size());
    DecodedProject decoded = Reader(bytes).read();
    decoded.fidelity.readAsUtf8 = true;
    if (decoded.project) {
      decoded.warnings.insert(decoded.warnings.begin(),
                              "このファイルは UTF-8 で書かれていたため、UTF-8 として読み込みました。保存すると "
                              "Shift-JIS になります。");
    }
    return decoded;
  }
  if (invalidBytes) text = withQuestionMarks(std::move(text));
  DecodedProject decoded = Reader(text).read();
  decoded.fidelity.bytesReplaced = invalidBytes;
  if (invalidBytes && decoded.project) {
    decoded.warnings.insert(decoded.warnings.begin(), "Shift-JIS の文字にならないバイトを「?」に置き換えました。");
  }
  return decoded;
}

}  // namespace pryx::project
