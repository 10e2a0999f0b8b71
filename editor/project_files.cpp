#include "editor/project_files.h"

#include "editor/editor_texts.h"

#include "authoring/resource_operations.h"
#include "project/project_file.h"

#include "platform/files.h"

namespace pryx::editor {
namespace {

using project::Message;

constexpr std::string_view kFilter = "ＰＲＹＸＴＯＯＬプロジェクトファイル(*.PXK)|*.PXK";
constexpr std::string_view kPartlyReadNotice =
    "一部を読み込めなかったため、このプロジェクトには名前がありません。元のファイルに上書きすると読み込めなかった部分が"
    "失われるので、保存するときは別の名前を付けてください。";
constexpr std::string_view kPartlyReadRefusal =
    "このファイルは一部しか読み込めませんでした。上書きすると読み込めなかった部分が失われるため、保存できません。別の"
    "名前を付けてください。";

Message readWarnings(const std::vector<std::string>& warnings) {
  std::string text = "このファイルは、次のとおりに読み込みました。";
  for (const std::string& warning : warnings) text += std::string(project::kLineBreak) + warning;
  return {text, "注意", project::MessageIcon::Warning, project::MessageButtons::Ok};
}

}  // namespace

void ProjectFiles::replaceDocument(std::unique_ptr<project::ProjectDocument> document) {
  document_ = std::move(document);
  events_.notify(ProjectEvent::Opened);
}

void ProjectFiles::createNew() {
  if (isOpen()) return;
  replaceDocument(std::make_unique<project::ProjectDocument>());
}

bool ProjectFiles::open() {
  if (isOpen()) return false;
  auto path = dialogs_.openFile({"ＰＲＹＸＴＯＯＬプロジェクトファイルを開く", std::string(kFilter)});
  return path && openPath(*path);
}

bool ProjectFiles::openPath(const std::string& path) {
  if (isOpen()) return false;
  project::DecodedProject decoded = project::openProjectFile(path);
  if (decoded.version >= project::kFirstUnreadableVersion) {
    // A newer editor's file: the fresh project without pages stays open, but with no
    // path, so that saving can never overwrite the file that was not read.
    dialogs_.show(project::openFailureMessage());
    project::Project empty = project::newProject();
    empty.pages.clear();
    replaceDocument(std::make_unique<project::ProjectDocument>(std::move(empty)));
    return true;
  }
  if (!decoded.project) {
    dialogs_.show(project::openFailureMessage());
    return false;
  }
  // A file read only in part must never be saved over: the project opens without a
  // name, so that the first save asks for one.
  const project::ReadFidelity& read = decoded.fidelity;
  readFrom_ = {read.leftOut ? path : std::string(), read.bytesReplaced || read.readAsUtf8 ? path : std::string(), read};
  if (read.leftOut) decoded.warnings.push_back(std::string(kPartlyReadNotice));
  replaceDocument(std::make_unique<project::ProjectDocument>(std::move(*decoded.project),
                                                             read.leftOut ? std::string() : path));
  if (!decoded.warnings.empty()) dialogs_.show(readWarnings(decoded.warnings));
  return true;
}

bool ProjectFiles::save() {
  if (!isOpen()) return false;
  if (document_->path().empty()) return saveAs();
  // Saving under another name is the default; choosing this file there writes over it.
  if (auto question = overwriteQuestion(document_->path())) return accepted(dialogs_.show(*question)) && saveAs();
  return saveTo(document_->path());
}

std::optional<project::Message> ProjectFiles::overwriteQuestion(const std::string& path) const {
  if (readFrom_.lossyFile.empty() || !platform::sameFile(path, readFrom_.lossyFile)) return std::nullopt;
  project::EncodedProject encoded = project::encodeProjectFile(document_->project());
  if (!project::overwriteLosesText(readFrom_.fidelity, encoded)) return std::nullopt;
  std::string text = "上書きすると、元のファイルの次の文字が「?」に変わって元に戻りません。名前を付けて保存しますか？";
  if (readFrom_.fidelity.bytesReplaced) {
    text += std::string(project::kLineBreak) + "読み込むときに Shift-JIS の文字にならないバイトを「?」に置き換えました。";
  }
  text += project::unstorableFieldList(encoded.unstorable);
  project::Message question = project::question(text);
  question.positiveDefault = true;
  return question;
}

bool ProjectFiles::saveAs() {
  if (!isOpen()) return false;
  auto path = dialogs_.saveFile({"ファイルに名前を付けて保存", std::string(kFilter)});
  if (!path) {
    document_->forgetPath();
    return false;
  }
  bool moved = authoring::keepResourcesOnMove(*document_, *path);
  if (saveTo(*path)) return true;
  if (moved) document_->undo();  // the paths go with the project file, which stayed where it was
  return false;
}

bool ProjectFiles::saveTo(const std::string& path) {
  if (!readFrom_.partlyReadFile.empty() && platform::sameFile(path, readFrom_.partlyReadFile)) {
    dialogs_.show(project::warning(kPartlyReadRefusal));
    return false;
  }
  project::SaveOutcome outcome = project::saveProject(*document_, path);
  if (!outcome.saved) {
    dialogs_.show(saveFailureWarning(outcome.error));
    return false;
  }
  // The file now holds what the author chose to write; it is no longer the one read.
  if (platform::sameFile(path, readFrom_.lossyFile)) readFrom_.lossyFile.clear();
  if (!outcome.unstorable.empty()) dialogs_.show(project::unstorableFieldsMessage(outcome.unstorable));
  return true;
}

bool ProjectFiles::close(bool ask) {
  if (!isOpen()) return true;
  if (ask && !mayLetGo(project::question("作成中のプログラムを終了してもよろしいですか。"))) return false;
  events_.notify(ProjectEvent::Closing);
  document_.reset();
  readFrom_ = {};
  return true;
}

bool ProjectFiles::confirmEnd() { return mayLetGo(project::question("終了してもよろしいですか？", "確認メッセージ")); }

bool ProjectFiles::mayLetGo(const std::optional<project::Message>& unchanged) {
  if (!isOpen()) return true;
  if (!document_->isModified()) return !unchanged || accepted(dialogs_.show(*unchanged));
  switch (dialogs_.show(saveChangesQuestion())) {
    case Answer::Yes: return save();
    case Answer::No: return true;
    default: return false;
  }
}

void ProjectFiles::offerRecovery(const RecoveryCopy& recovery) {
  if (!isOpen()) return;
  std::optional<std::string> copy = recovery.newerCopyOf(document_->path());
  if (!copy) return;
  std::string text = "このプロジェクトには、保存されていない変更の復元用コピーがあります。";
  text += project::kLineBreak;
  text += "復元しますか？";
  if (dialogs_.show({text, std::string(project::kQuestionTitle), project::MessageIcon::Question,
                     project::MessageButtons::YesNo}) != Answer::Yes) {
    (void)platform::removeFile(*copy);
    return;
  }
  project::DecodedProject decoded = project::openProjectFile(*copy);
  if (!decoded.project) {
    dialogs_.show(project::openFailureMessage());
    return;
  }
  std::string path = document_->path();
  events_.notify(ProjectEvent::Closing);
  replaceDocument(std::make_unique<project::ProjectDocument>(std::move(*decoded.project), path));
  document_->forgetSavedState();
}

}  // namespace pryx::editor
