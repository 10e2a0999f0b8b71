#include "project/document.h"

#include <algorithm>

namespace pryx::project {

ListKind listOf(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Cg: return ListKind::Cgs;
    case ResourceKind::Chr: return ListKind::Chrs;
    case ResourceKind::Bgm: return ListKind::Bgms;
  }
  return ListKind::Cgs;
}

PageField pageFieldOf(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Cg: return PageField::BackgroundCg;
    case ResourceKind::Chr: return PageField::Character;
    case ResourceKind::Bgm: return PageField::Music;
  }
  return PageField::BackgroundCg;
}

ProjectDocument::ProjectDocument(Project project, std::string path)
    : project_(std::move(project)), path_(std::move(path)) {}

void ProjectDocument::forgetPath() {
  path_.clear();
  notify(Change::fileState());
}

void ProjectDocument::markSaved(std::string path, std::string_view fileVersion) {
  path_ = std::move(path);
  project_.option(ProjectOption::FileVersion) = fileVersion;
  cleanStep_ = done_;
  typingOpen_ = false;
  notify(Change::projectOption(ProjectOption::FileVersion));
  notify(Change::fileState());
}

void ProjectDocument::forgetSavedState() {
  cleanStep_.reset();
  notify(Change::fileState());
}

void ProjectDocument::notify(const Change& change) { observers_.notify(change); }

void ProjectDocument::apply(const std::function<void(Project&)>& edit, const Change& change) {
  if (auto coming = change.announcement()) notify(*coming);
  edit(project_);
  notify(change);
}

template <typename T, typename Locate>
void ProjectDocument::assign(std::string_view name, Change change, T value, Locate locate, bool typing) {
  T& target = locate(project_);  // a position outside its list throws here, before anything changed
  if (target == value) return;
  auto setTo = [locate](T stored) { return [locate, stored = std::move(stored)](Project& project) { locate(project) = stored; }; };
  T before = target;
  record(name, {setTo(std::move(value)), setTo(std::move(before)), change, change, typing});
}

template <typename T, typename Locate>
void ProjectDocument::insertInto(std::string_view name, ListKind list, int position, T entry, Locate locate) {
  if (position < 1 || position > locate(project_).count() + 1) throw std::out_of_range("no list position to insert at");
  record(name, {[locate, position, entry = std::move(entry)](Project& project) { locate(project).insert(position, entry); },
                [locate, position](Project& project) { locate(project).remove(position); },
                Change::rowsInserted(list, position), Change::rowsRemoved(list, position)});
}

template <typename T, typename Locate>
void ProjectDocument::removeFrom(std::string_view name, ListKind list, int position, Locate locate) {
  T entry = locate(project_).at(position);
  record(name, {[locate, position](Project& project) { locate(project).remove(position); },
                [locate, position, entry = std::move(entry)](Project& project) { locate(project).insert(position, entry); },
                Change::rowsRemoved(list, position), Change::rowsInserted(list, position)});
}

void ProjectDocument::setButtonField(int page, int slot, ButtonField field, std::string text) {
  bool typed = field == ButtonField::ConditionValue1 || field == ButtonField::ConditionValue2 ||
               field == ButtonField::OperationValue;
  assign("コマンドの設定", Change::buttonField(page, slot, field), std::move(text),
         [page, slot, field](Project& project) -> std::string& {
           return project.pages.at(page).buttons.at(static_cast<std::size_t>(slot))[field];
         },
         typed);
}

void ProjectDocument::setButton(int page, int slot, const ButtonEvent& button) {
  step("コマンドの設定", [&] {
    for (int field = 0; field < kButtonFieldCount; ++field) {
      auto which = static_cast<ButtonField>(field);
      setButtonField(page, slot, which, button[which]);
    }
  });
}

void ProjectDocument::setPageText(int page, std::string text) {
  assign("メッセージの入力", Change::pageContent(page, PageField::Text), std::move(text),
         [page](Project& project) -> std::string& { return project.pages.at(page).text; }, true);
}

void ProjectDocument::setPageReference(int page, ResourceKind kind, PageReference reference) {
  assign("ページの設定", Change::pageContent(page, pageFieldOf(kind)), std::move(reference),
         [page, kind](Project& project) -> PageReference& { return referenceTo(project.pages.at(page), kind); });
}

void ProjectDocument::setPageOptions(int page, const PageOptions& options) {
  assign("ページのオプション", Change::pageContent(page, PageField::Options), options,
         [page](Project& project) -> PageOptions& { return project.pages.at(page).options; });
}

void ProjectDocument::setProjectOption(ProjectOption option, std::string text) {
  assign("プロジェクトのオプション", Change::projectOption(option), std::move(text),
         [option](Project& project) -> std::string& { return project.option(option); }, true);
}

void ProjectDocument::insertPage(int position, Page page) {
  insertInto("ページの追加", ListKind::Pages, position, std::move(page),
             [](Project& project) -> NumberedList<Page>& { return project.pages; });
}

void ProjectDocument::removePage(int position) {
  removeFrom<Page>("ページの削除", ListKind::Pages, position,
                   [](Project& project) -> NumberedList<Page>& { return project.pages; });
}

void ProjectDocument::renamePage(int position, std::string name) {
  Change renamed = Change::rowRenamed(ListKind::Pages, position);
  assign("ページタイトルの変更", renamed, std::move(name),
         [position](Project& project) -> std::string& { return project.pages.at(position).name; });
}

void ProjectDocument::insertResource(ResourceKind kind, int position, Resource resource) {
  insertInto("リソースの追加", listOf(kind), position, std::move(resource),
             [kind](Project& project) -> NumberedList<Resource>& { return project.resources(kind); });
}

void ProjectDocument::removeResource(ResourceKind kind, int position) {
  removeFrom<Resource>("リソースの削除", listOf(kind), position,
                       [kind](Project& project) -> NumberedList<Resource>& { return project.resources(kind); });
}

void ProjectDocument::setResourcePath(ResourceKind kind, int position, std::string path) {
  assign("リソースの場所", Change::rowRenamed(listOf(kind), position), std::move(path),
         [kind, position](Project& project) -> std::string& { return project.resources(kind).at(position).path; });
}

void ProjectDocument::insertVariable(int position, std::string name) {
  insertInto("変数の定義", ListKind::Variables, position, std::move(name),
             [](Project& project) -> NumberedList<std::string>& { return project.variables; });
}

void ProjectDocument::removeVariable(int position) {
  removeFrom<std::string>("変数の削除", ListKind::Variables, position,
                          [](Project& project) -> NumberedList<std::string>& { return project.variables; });
}

bool ProjectDocument::mergesWithLastStep(const Edit& edit) const {
  if (!edit.typing || !typingOpen_ || done_ == 0 || done_ != steps_.size()) return false;
  const Step& last = steps_[done_ - 1];
  return last.edits.size() == 1 && last.edits.front().madeChange == edit.madeChange;
}

void ProjectDocument::record(std::string_view name, Edit edit) {
  apply(edit.forward, edit.madeChange);
  if (depth_ > 0) {
    open_.edits.push_back(std::move(edit));
    return;
  }
  if (mergesWithLastStep(edit)) {
    steps_[done_ - 1].edits.front().forward = std::move(edit.forward);
  } else {
    typingOpen_ = edit.typing;
    pushStep({std::string(name), {std::move(edit)}});
  }
  notify(Change::fileState());
}

void ProjectDocument::pushStep(Step step) {
  // A new step ends the redo history; a saved state inside it can never come back.
  steps_.resize(done_);
  if (cleanStep_ && *cleanStep_ > done_) cleanStep_.reset();
  steps_.push_back(std::move(step));
  ++done_;
}

void ProjectDocument::openStep(std::string_view name) {
  if (depth_++ == 0) open_ = {std::string(name), {}};
}

void ProjectDocument::closeStep() {
  if (--depth_ > 0) return;
  typingOpen_ = false;
  if (open_.edits.empty()) return;
  pushStep(std::exchange(open_, {}));
  notify(Change::fileState());
}

void ProjectDocument::abandonStep() {
  if (--depth_ > 0) return;
  Step abandoned = std::exchange(open_, {});
  for (auto edit = abandoned.edits.rbegin(); edit != abandoned.edits.rend(); ++edit) {
    apply(edit->backward, edit->undoneChange);
  }
}

std::string ProjectDocument::undoName() const { return canUndo() ? steps_[done_ - 1].name : std::string(); }
std::string ProjectDocument::redoName() const { return canRedo() ? steps_[done_].name : std::string(); }

void ProjectDocument::undo() {
  if (!canUndo()) return;
  typingOpen_ = false;
  const Step& step = steps_[--done_];
  for (auto edit = step.edits.rbegin(); edit != step.edits.rend(); ++edit) apply(edit->backward, edit->undoneChange);
  notify(Change::fileState());
}

void ProjectDocument::redo() {
  if (!canRedo()) return;
  typingOpen_ = false;
  const Step& step = steps_[done_++];
  for (const Edit& edit : step.edits) apply(edit.forward, edit.madeChange);
  notify(Change::fileState());
}

}  // namespace pryx::project
