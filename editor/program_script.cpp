#include "editor/program_script.h"

#include "editor/editor_texts.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sjis.h"
#include "script/check.h"

namespace pryx::editor {
namespace {

constexpr std::string_view kFilter = "ＰＲＹＸＴＯＯＬプロジェクト(*.PXJ)|*.PXJ";
constexpr std::string_view kDialogTitle = "ファイルを開く";

}  // namespace

std::string scriptTextOfFile(std::string_view bytes) {
  std::string decoded = platform::decodeSjis(bytes);
  std::string text;
  text.reserve(decoded.size());
  for (std::size_t i = 0; i < decoded.size(); ++i) {
    if (decoded[i] != '\r') {
      text += decoded[i];
    } else {
      text += '\n';  // CR LF, and a CR alone, end a line
      if (i + 1 < decoded.size() && decoded[i + 1] == '\n') ++i;
    }
  }
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

std::string scriptFileOfText(std::string_view text, bool* lossy) {
  std::string lines;
  lines.reserve(text.size() + 2);
  for (char c : text) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  lines += project::kLineBreak;
  return platform::encodeSjis(lines, lossy);
}

std::optional<project::Message> scriptFileNotice(std::string_view bytes) {
  bool invalid = false;
  (void)platform::decodeSjis(bytes, &invalid);
  bool loneCr = false;  // 0x0D is never the second byte of a character
  for (std::size_t at = bytes.find('\r'); at != std::string_view::npos && !loneCr; at = bytes.find('\r', at + 1)) {
    loneCr = at + 1 == bytes.size() || bytes[at + 1] != '\n';
  }
  if (!invalid && !loneCr) return std::nullopt;
  std::string text = "このファイルには次のものがあります。保存すると変わります。";
  if (invalid) text += std::string(project::kLineBreak) + "Shift-JIS として読めないバイト：保存すると「?」になります。";
  if (loneCr) text += std::string(project::kLineBreak) + "LF の付かない CR：保存すると改行（CR LF）になります。";
  return project::Message{text, "注意", project::MessageIcon::Warning, project::MessageButtons::Ok};
}

bool ProgramScript::mayLetGo(std::optional<std::string_view> unsaved, const std::optional<project::Message>& unchanged) {
  if (!unsaved) return !unchanged || accepted(dialogs_.show(*unchanged));
  switch (dialogs_.show(saveChangesQuestion())) {
    case Answer::Yes: return save(*unsaved);
    case Answer::No: return true;
    default: return false;
  }
}

bool ProgramScript::startNew(std::optional<std::string_view> unsaved) {
  if (!mayLetGo(unsaved, project::question("新規作成を実行しますか？"))) return false;
  path_.clear();
  return true;
}

std::optional<std::string> ProgramScript::open(std::optional<std::string_view> unsaved) {
  if (!mayLetGo(unsaved, std::nullopt)) return std::nullopt;
  auto path = dialogs_.openFile({std::string(kDialogTitle), std::string(kFilter)});
  if (!path) return std::nullopt;
  return openPath(*path);
}

std::optional<std::string> ProgramScript::openPath(const std::string& path) {
  auto bytes = platform::readWholeFile(path);
  if (!bytes) {
    dialogs_.show(project::warning("ファイルを開けませんでした。"));
    return std::nullopt;
  }
  path_ = path;
  std::string_view file(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  if (auto notice = scriptFileNotice(file)) dialogs_.show(*notice);
  return scriptTextOfFile(file);
}

bool ProgramScript::save(std::string_view text) {
  if (path_.empty()) return saveAs(text);
  return saveTo(path_, text);
}

bool ProgramScript::saveAs(std::string_view text) {
  auto path = dialogs_.saveFile({std::string(kDialogTitle), std::string(kFilter)});
  if (!path) {
    path_.clear();
    return false;
  }
  path_ = *path;
  return saveTo(path_, text);
}

bool ProgramScript::saveTo(const std::string& path, std::string_view text) {
  bool lossy = false;
  std::string error;
  if (!platform::writeFileReplacing(path, scriptFileOfText(text, &lossy), &error,
                                    platform::SymbolicLinks::WriteTheirTarget)) {
    dialogs_.show(saveFailureWarning(error));
    return false;
  }
  if (lossy) dialogs_.show(project::warning("Shift-JIS にない文字は「?」として保存しました。"));
  return true;
}

bool ProgramScript::confirmReturn(std::optional<std::string_view> unsaved) {
  return mayLetGo(unsaved, project::question("このプログラムを終了しますか？"));
}

script::Findings ProgramScript::check(std::string_view text) const {
  std::string bytes = scriptFileOfText(text);
  if (path_.empty()) return script::checkScriptText(bytes);
  return script::checkScriptText(bytes, platform::folderOf(path_));
}

}  // namespace pryx::editor
