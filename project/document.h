#pragma once
// The open project. Every change goes through one of the edits below: each is an
// undoable step (or part of one), and each tells the observers precisely what
// changed, so that the editor's windows update rows and fields, not whole lists.

#include "project/change.h"
#include "project/project.h"

#include "platform/observers.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace pryx::project {

using platform::Subscription;

class ProjectDocument {
 public:
  using Observer = std::function<void(const Change&)>;

  explicit ProjectDocument(Project project = newProject(), std::string path = {});

  const Project& project() const { return project_; }

  // The project file's path; empty while the project was never saved.
  const std::string& path() const { return path_; }
  // True when the project differs from what was opened or last saved.
  bool isModified() const { return !cleanStep_ || *cleanStep_ != done_; }
  // A cancelled "save as" forgets the path, so that the next save asks for a name.
  void forgetPath();
  // The file now holds the project as it is; its format version is stored as option 2.
  void markSaved(std::string path, std::string_view fileVersion);
  // The file does not hold the project as it is (it came from a recovery copy).
  void forgetSavedState();

  // Observers are called in the order they subscribed, after each change; rows that
  // move are announced to them before as well.
  [[nodiscard]] Subscription subscribe(Observer observer) { return observers_.subscribe(std::move(observer)); }

  // Single edits. Each is one undo step of its own unless made inside `step`.
  // Successive edits of one text field (typing) merge into one step.
  void setButtonField(int page, int slot, ButtonField field, std::string text);
  // Sets each field of the slot that differs from `button`.
  void setButton(int page, int slot, const ButtonEvent& button);
  void setPageText(int page, std::string text);
  void setPageReference(int page, ResourceKind kind, PageReference reference);
  void setPageOptions(int page, const PageOptions& options);
  void setProjectOption(ProjectOption option, std::string text);
  void insertPage(int position, Page page);
  void removePage(int position);
  void renamePage(int position, std::string name);
  void insertResource(ResourceKind kind, int position, Resource resource);
  void removeResource(ResourceKind kind, int position);
  void setResourcePath(ResourceKind kind, int position, std::string path);
  void insertVariable(int position, std::string name);
  void removeVariable(int position);

  // Makes every edit `body` performs one undo step called `name`. If `body` throws,
  // its edits are taken back before the exception leaves.
  template <typename Body>
  auto step(std::string_view name, Body&& body) {
    openStep(name);
    try {
      if constexpr (std::is_void_v<std::invoke_result_t<Body>>) {
        std::forward<Body>(body)();
        closeStep();
      } else {
        auto result = std::forward<Body>(body)();
        closeStep();
        return result;
      }
    } catch (...) {
      abandonStep();
      throw;
    }
  }

  // How many steps are in effect: undo lowers it, a new step or redo raises it.
  std::size_t stepsDone() const { return done_; }
  bool canUndo() const { return done_ > 0 && depth_ == 0; }
  bool canRedo() const { return done_ < steps_.size() && depth_ == 0; }
  // The name of the step undo or redo would take back or make again.
  std::string undoName() const;
  std::string redoName() const;
  void undo();
  void redo();

 private:
  // One reversible change of the project: `forward` makes it, `backward` takes it back.
  struct Edit {
    std::function<void(Project&)> forward;
    std::function<void(Project&)> backward;
    Change madeChange;
    Change undoneChange;
    bool typing = false;  // successive edits of this field merge into one step
  };
  struct Step {
    std::string name;
    std::vector<Edit> edits;
  };

  template <typename T, typename Locate>
  void assign(std::string_view name, Change change, T value, Locate locate, bool typing = false);
  template <typename T, typename Locate>
  void insertInto(std::string_view name, ListKind list, int position, T entry, Locate locate);
  template <typename T, typename Locate>
  void removeFrom(std::string_view name, ListKind list, int position, Locate locate);

  void record(std::string_view name, Edit edit);
  void pushStep(Step step);
  bool mergesWithLastStep(const Edit& edit) const;
  void openStep(std::string_view name);
  void closeStep();
  void abandonStep();
  void notify(const Change& change);
  // Makes one change of the project, told around it.
  void apply(const std::function<void(Project&)>& edit, const Change& change);

  Project project_;
  std::string path_;
  std::vector<Step> steps_;
  std::size_t done_ = 0;  // steps_[0..done_) are in effect
  std::optional<std::size_t> cleanStep_ = 0;  // done_ when the file matched; none once that state is gone
  int depth_ = 0;             // nesting of `step`
  Step open_;                 // the step being made while depth_ > 0
  bool typingOpen_ = false;   // the last step may still take more typing
  platform::ObserverList<Change> observers_;
};

}  // namespace pryx::project
