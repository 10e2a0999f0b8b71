#include "editor/project_files.h"

#include "editor/editor_texts.h"

#include "authoring/resource_operations.h"
#include "project/project_file.h"

#include "platform/files.h"

namespace pryx::editor {
namespace {

using project::Message;

constexpr std::string_view kFilter = "ＰＲＹＸＴＯＯＬプロジェクトファイル(*.PXK)|*.PXK";

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
  replaceDocument(std::make_unique<project::ProjectDocument>(std::move(*decoded.project), path));
  if (!decoded.warnings.empty()) dialogs_.show(readWarnings(decoded.warnings));
  return true;
}

bool ProjectFiles::save() {
  if (!isOpen()) return false;
  if (document_->path().empty()) return saveAs();
  return saveTo(document_->path());
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
  project::SaveOutcome outcome = project::saveProject(*document_, path);
  if (!outcome.saved) {
    dialogs_.show(saveFailureWarning(outcome.error));
    return false;
  }
  if (!outcome.unstorable.empty()) dialogs_.show(project::unstorableFieldsMessage(outcome.unstorable));
  return true;
}

bool ProjectFiles::close(bool ask) {
  if (!isOpen()) return true;
  if (ask && !mayLetGo(project::question("作成中のプログラムを終了してもよろしいですか。"))) return false;
  events_.notify(ProjectEvent::Closing);
  document_.reset();
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
