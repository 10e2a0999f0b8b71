// The frame's side of program mode: the switch into it and the return from it.

#include "editor/child_window.h"
#include "editor/editor_frame.h"
#include "editor/progress_window.h"
#include "editor/program_mode_window.h"

#include "authoring/script_generation.h"

namespace pryx::editor {
namespace {

project::Message switchQuestion() {
  std::string text = "このモードで開発する場合は、現在開発中のプロジェクトを終了します。";
  text += project::kLineBreak;
  text += "事前に必ずファイルの保存をしておいてください。";
  text += project::kLineBreak;
  text += "実行しますか？";
  return {text, std::string(project::kQuestionTitle), project::MessageIcon::Information,
          project::MessageButtons::OkCancel};
}

}  // namespace

ProgramModeWindow* EditorFrame::programModeWindow() const { return program_; }

void EditorFrame::tool_pro_Click() {
  if (program_ != nullptr || questionOpen()) return;
  // Unsaved changes are saved first or let go, as the author answers.
  if (files_.isOpen() && !files_.mayLetGo(switchQuestion())) return;
  std::string script;
  if (files_.isOpen()) script = authoring::generateScript(files_.document()->project(), *progress_, files_.document()->path());
  auto* window = new ProgramModeWindow(dialogs_, this);
  enterProgramMode(window);
  window->setScript(QString::fromStdString(script));
  files_.close(false);
}

void EditorFrame::openScript(const QString& path) {
  if (program_ != nullptr || files_.isOpen()) return;
  auto* window = new ProgramModeWindow(dialogs_, this);
  if (!window->openPath(path.toStdString())) {
    delete window;
    return;
  }
  enterProgramMode(window);
}

void EditorFrame::enterProgramMode(ProgramModeWindow* window) {
  const FrameActions& a = actions_;
  for (QMenu* menu : {a.file, a.view, a.project, a.tool}) menu->menuAction()->setEnabled(false);
  for (const Child& child : children_) child.window->hide();
  closePageList();
  progress_->hide();
  a.Toolbar1->hide();
  program_ = window;
  connect(window, &ProgramModeWindow::returned, this, &EditorFrame::leaveProgramMode);
  // A distribution is built from a script file on disk, chosen here: unsaved edits are not part of it.
  window->buildItem()->setEnabled(true);
  connect(window->buildItem(), &QAction::triggered, this, [this] {
    auto script = dialogs_.openFile({"配布ファイル作成元プログラムの指定", "ＰＲＹＸＴＯＯＬプロジェクト(*.PXJ)|*.PXJ"});
    if (!script) return;
    state_.setScriptPath(*script);
    openDistributionWindow(BuildSource::Script);
  });
  window->show();
}

void EditorFrame::leaveProgramMode() {
  const FrameActions& a = actions_;
  a.Toolbar1->show();
  // No project is open after program mode: view and project stay disabled.
  a.file->menuAction()->setEnabled(true);
  a.tool->menuAction()->setEnabled(true);
  if (program_ != nullptr) program_->deleteLater();
  program_ = nullptr;
}

}  // namespace pryx::editor
